// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/model_input_error.h"

#include "core/text/number_text.h"

namespace varmkalk::core {

ModelInputError day_not_finite(int day_number, float outdoor_temp) {
  return ModelInputError("Dag " + std::to_string(day_number) + " med utetemperaturen " +
                         shortest_text(outdoor_temp) +
                         " °C ger inget ändligt värde; indata ligger utanför modellens "
                         "giltighetsområde");
}

}  // namespace varmkalk::core
