// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/sweep/sweep_results.h"

#include <QByteArray>

#include <memory>

namespace varmkalk {

// The sweep's chart as a PNG picture, as the chart window exports its charts: laid out at the
// charts' export size, with twice as many pixels.
QByteArray sweep_chart_png(const std::shared_ptr<const Sweep>& sweep);

// The sweep's chart on one landscape A4 page of PDF, drawn as vectors.
QByteArray sweep_chart_pdf(const std::shared_ptr<const Sweep>& sweep);

}  // namespace varmkalk
