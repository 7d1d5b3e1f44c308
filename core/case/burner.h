// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varmkalk::core {

enum class BurnerKind { single_stage, modulating };

// The one rule for a burner's kind: modulating when its minimum power is below its maximum,
// otherwise (equal, or a minimum above the maximum) single-stage.
constexpr BurnerKind burner_kind(float max_power_w, float min_power_w) {
  return min_power_w < max_power_w ? BurnerKind::modulating : BurnerKind::single_stage;
}

// The burner by its two powers; its kind follows from them by burner_kind, so that the two can
// never contradict each other.
class Burner {
 public:
  Burner() : Burner(0.0f, 0.0f) {}
  Burner(float max_power_w, float min_power_w)
      : max_power_w_(max_power_w),
        min_power_w_(min_power_w),
        kind_(burner_kind(max_power_w, min_power_w)) {}

  // A single-stage burner runs at one power: its minimum is its maximum.
  static Burner single_stage(float power_w) { return Burner(power_w, power_w); }

  BurnerKind kind() const { return kind_; }
  bool is_modulating() const { return kind_ == BurnerKind::modulating; }
  float max_power_w() const { return max_power_w_; }
  float min_power_w() const { return min_power_w_; }
  // The power at which a modulating burner's flue-gas temperature is evaluated.
  float mean_power_w() const { return (min_power_w_ + max_power_w_) / 2.0f; }

  friend bool operator==(const Burner&, const Burner&) = default;

 private:
  float max_power_w_;
  float min_power_w_;
  BurnerKind kind_;
};

}  // namespace varmkalk::core
