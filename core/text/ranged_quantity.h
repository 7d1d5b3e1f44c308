// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>
#include <span>
#include <string_view>

namespace varmkalk::core {

// One of a set of inputs described once: its key (a kalvex-batch column, a member of the inputs
// file), its Swedish label and unit, the member of `Inputs` it sets, its default and where that
// comes from, and the range a value may take.
template <typename Inputs>
struct RangedQuantity {
  std::string_view key;
  std::string_view label;  // Swedish, without the unit
  std::string_view unit;   // UTF-8
  double Inputs::*member;
  double default_value;
  double min_value;
  double max_value;
  std::string_view source;  // Swedish: where the default comes from
};

// The first of `quantities` whose value in `inputs` is no finite number within its range, if any.
template <typename Inputs>
std::optional<RangedQuantity<Inputs>> first_outside_range(
    std::span<const RangedQuantity<Inputs>> quantities, const Inputs& inputs) {
  for (const RangedQuantity<Inputs>& quantity : quantities) {
    const double value = inputs.*quantity.member;
    if (!std::isfinite(value) || value < quantity.min_value || value > quantity.max_value) {
      return quantity;
    }
  }
  return std::nullopt;
}

}  // namespace varmkalk::core
