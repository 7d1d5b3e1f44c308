// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::batch {

// The cell's number, the float the control file's reader makes of the same digits, or what is
// wrong with it: blanks and tabs around it do not count; a decimal comma, a thousands separator
// or blanks in it are named with how to write it instead.
std::optional<float> number_of(std::string_view cell, std::string& fault);

// The double a number cell holds, a leading '+' allowed: empty for text that is no whole number,
// and with `fault` set for one beyond the range of doubles.
std::optional<double> double_of(std::string_view cell, std::string& fault);

// The cell's number read to the nearest double, from `min_value` to `max_value` (in `unit`), or
// what is wrong with it.
std::optional<double> ranged_number_of(std::string_view cell, double min_value, double max_value,
                                       std::string_view unit, std::string& fault);

}  // namespace varmkalk::batch
