// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"

#include <array>
#include <string_view>

namespace varmkalk {

// An option of a group of the input form by the name the inputs file gives it.
template <typename Value>
struct ChoiceName {
  Value value;
  std::string_view name;
};

inline constexpr std::array<ChoiceName<Burner>, 3> kBurnerNames{
    {{Burner::Unchosen, "unchosen"},
     {Burner::SingleStage, "single_stage"},
     {Burner::Modulating, "modulating"}}};
inline constexpr std::array<ChoiceName<HotWaterHeater>, 3> kHotWaterHeaterNames{
    {{HotWaterHeater::Unchosen, "unchosen"},
     {HotWaterHeater::Yes, "yes"},
     {HotWaterHeater::No, "no"}}};
inline constexpr std::array<ChoiceName<ConvectionSource>, 3> kConvectionSourceNames{
    {{ConvectionSource::Unchosen, "unchosen"},
     {ConvectionSource::Constant, "constant"},
     {ConvectionSource::KnownLoss, "known_loss"}}};
inline constexpr std::array<ChoiceName<StandbySource>, 3> kStandbySourceNames{
    {{StandbySource::Unchosen, "unchosen"},
     {StandbySource::Constants, "constants"},
     {StandbySource::KnownLosses, "known_losses"}}};
inline constexpr std::array<ChoiceName<core::HeatingSystem>, 2> kHeatingSystemNames{
    {{core::HeatingSystem::radiators_80_60, "80_60"},
     {core::HeatingSystem::radiators_55_45, "55_45"}}};
inline constexpr std::array<ChoiceName<MinReturnTemp>, 3> kMinReturnTempNames{
    {{MinReturnTemp::C65, "65"}, {MinReturnTemp::C35, "35"}, {MinReturnTemp::Indoor, "indoor"}}};
inline constexpr std::array<ChoiceName<core::Place>, 6> kPlaceNames{
    {{core::Place::malmo, "malmo"},
     {core::Place::jonkoping, "jonkoping"},
     {core::Place::stockholm, "stockholm"},
     {core::Place::falun, "falun"},
     {core::Place::ostersund, "ostersund"},
     {core::Place::kiruna, "kiruna"}}};

inline constexpr std::array<ChoiceName<bool>, 2> kYesNoNames{{{false, "no"}, {true, "yes"}}};

// Calls visit(key, member, names) for every option group of FormInput, `member` a reference to
// the group's value in `input` and `names` the table above for it. The inputs file is written and
// read through this one list, so a group added to FormInput is one more line here.
template <typename Input, typename Visitor>
void for_each_choice(Input& input, Visitor&& visit) {
  visit(std::string_view("burner"), input.burner, kBurnerNames);
  visit(std::string_view("hot_water_heater"), input.hot_water_heater, kHotWaterHeaterNames);
  visit(std::string_view("convection_source"), input.convection_source, kConvectionSourceNames);
  visit(std::string_view("standby_source"), input.standby_source, kStandbySourceNames);
  visit(std::string_view("heating_system"), input.heating_system, kHeatingSystemNames);
  visit(std::string_view("min_return_temp"), input.min_return_temp, kMinReturnTempNames);
  visit(std::string_view("climate"), input.climate, kPlaceNames);
  // "Egen klimatfil" in the climate group, which then counts instead of the place.
  visit(std::string_view("own_climate"), input.own_climate, kYesNoNames);
  // "Egna temperaturer" in the heating-system group, which then counts instead of the system.
  visit(std::string_view("own_design_temps"), input.own_design_temps, kYesNoNames);
}

}  // namespace varmkalk
