#pragma once

// The boiler model as the engine's run sequence uses it: start_model before the daily loop,
// simulate_day and record_day for every climate record, finish_year after the last one.
#include "annual_sums.h"
#include "day_model.h"
#include "model_input_error.h"
#include "start_model.h"
