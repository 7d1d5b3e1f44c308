// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/keymark_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "core/heatpump/season_tables.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

constexpr std::array<std::string_view, 8> kHeader{
    "modelID", "varName", "value", "temperature", "climate", "indoorUnittype", "info", "hpType"};
// The rows after the last block, which describe the whole family, have no hpType.
constexpr std::size_t kFamilyRowFields = 7;
constexpr std::size_t kVarName = 1;
constexpr std::size_t kValue = 2;
constexpr std::size_t kTemperatureColumn = 3;
constexpr std::size_t kClimate = 4;
constexpr std::size_t kHpType = 7;

constexpr int kAverageClimate = 3;
constexpr int kColderClimate = 2;
constexpr int kRatingClimate = 10;
constexpr int kLowFlowFamily = 4;
constexpr int kMediumFlowFamily = 5;
constexpr int kSingleSource = 0;
constexpr int kBrineSource = 2;
constexpr std::size_t kTitlesShown = 12;

struct Cell {
  std::string value;
  long line = 0;
};

using CellKey = std::tuple<std::string, int, int, int>;  // varName, temperature, climate, hpType

// What one pass over the file found of the chosen variant.
struct Found {
  bool title_found = false;
  long title_line = 0;
  std::map<CellKey, Cell> cells;
  std::optional<Cell> reversibility;
  std::optional<Cell> type;
  std::vector<std::string> titles;
};

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

class Reader {
 public:
  explicit Reader(std::string_view file_name) : file_name_(shown_name(file_name)) {}

  [[noreturn]] void fail(long line, std::string_view problem) const {
    throw KeymarkError(file_name_ + ", rad " + std::to_string(line) + ": " + std::string(problem));
  }
  [[noreturn]] void fail_field(long line, std::string_view field, std::string_view code,
                               std::string_view problem) const {
    std::string place = "fält " + std::string(field);
    if (!code.empty()) {
      place += " (" + message_safe(code) + ")";
    }
    fail(line, place + ": " + std::string(problem));
  }
  [[noreturn]] void fail_file(std::string_view problem) const {
    throw KeymarkError(file_name_ + ": " + std::string(problem));
  }

  // The line's fields: quoted ("" for a quote) or plain, separated by commas.
  std::vector<std::string> fields(std::string_view line, long number) const {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (true) {
      std::string field;
      if (at < line.size() && line[at] == '"') {
        ++at;
        while (true) {
          if (at >= line.size()) {
            fail(number, "ett citattecken stängs inte");
          }
          if (line[at] == '"') {
            if (at + 1 < line.size() && line[at + 1] == '"') {
              field += '"';
              at += 2;
              continue;
            }
            ++at;
            break;
          }
          field += line[at++];
        }
        if (at < line.size() && line[at] != ',') {
          fail(number,
               "text efter ett citattecken som stänger fält " + std::to_string(fields.size() + 1));
        }
      } else {
        const std::size_t end = std::min(line.find(',', at), line.size());
        field = line.substr(at, end - at);
        if (field.find('"') != std::string::npos) {
          fail(number, "ett citattecken mitt i fält " + std::to_string(fields.size() + 1));
        }
        at = end;
      }
      fields.push_back(std::move(field));
      if (at >= line.size()) {
        return fields;
      }
      ++at;  // the comma
    }
  }

  int whole_number(const std::vector<std::string>& row, std::size_t column, long line) const {
    const std::string& text = row[column];
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
      fail_field(line, kHeader[column], row[kVarName],
                 quoted_for_message(text) + " är inget heltal");
    }
    return value;
  }

  Found scan(std::string_view bytes, std::optional<std::string_view> wanted) const {
    Found found;
    bytes = without_utf8_bom(bytes);
    bool header_read = false;
    bool in_wanted = false;
    long number = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
      const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
      std::string_view line = bytes.substr(at, end - at);
      at = end + 1;
      ++number;
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
      }
      if (line.empty()) {
        continue;
      }
      const std::vector<std::string> row = fields(line, number);
      if (!header_read) {
        if (row.size() != kHeader.size() || !std::equal(row.begin(), row.end(), kHeader.begin())) {
          fail(number,
               "rubrikraden ska vara modelID,varName,value,temperature,climate,"
               "indoorUnittype,info,hpType");
        }
        header_read = true;
        continue;
      }
      if (row.size() != kHeader.size() && row.size() != kFamilyRowFields) {
        fail(number, std::to_string(row.size()) + " fält; en rad har 8 (7 efter sista varianten)");
      }
      const std::string& name = row[kVarName];
      if (row.size() == kFamilyRowFields) {
        if (name == "Type" && !found.type) {
          found.type = Cell{row[kValue], number};
        }
        continue;
      }
      if (name == "title") {
        const std::string title(trimmed(row[kValue]));
        found.titles.push_back(title);
        in_wanted = wanted && !found.title_found && title == trimmed(*wanted);
        if (in_wanted) {
          found.title_found = true;
          found.title_line = number;
        }
        continue;
      }
      if (found.titles.empty()) {
        fail(number, "värdet " + quoted_for_message(name) + " står före första variantens title");
      }
      if (!in_wanted) {
        continue;
      }
      if (name == "reversibility") {
        if (!found.reversibility) {
          found.reversibility = Cell{row[kValue], number};
        }
      } else if (name.starts_with("EN14825_") || name == "EN14511_2_001") {
        const CellKey key{name, whole_number(row, kTemperatureColumn, number),
                          whole_number(row, kClimate, number), whole_number(row, kHpType, number)};
        found.cells.try_emplace(key, Cell{row[kValue], number});
      }
    }
    if (!header_read) {
      fail_file("filen är tom; en Keymark-deklaration börjar med rubrikraden modelID,varName,...");
    }
    return found;
  }

  double number(const Cell& cell, std::string_view code, double lowest, double highest) const {
    const std::string& text = cell.value;
    double value = 0;
    const bool digits_only =
        !text.empty() && text.find_first_not_of("-.0123456789") == std::string::npos;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (!digits_only || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
      fail_field(cell.line, "value", code, quoted_for_message(text) + " är inget tal");
    }
    if (value < lowest || value > highest) {
      fail_field(cell.line, "value", code,
                 text + " ligger utanför " + range_text(lowest) + " till " + range_text(highest));
    }
    return value;
  }

  const std::string& file_name() const { return file_name_; }

 private:
  static std::string range_text(double value) {
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
  }

  std::string file_name_;
};

struct Limits {
  double lowest;
  double highest;
};
constexpr Limits kHeat{0.01, 1000};
constexpr Limits kCop{0.5, 20};
constexpr Limits kOutdoor{-60, 30};
constexpr Limits kCyclingLoss{0, 1};
constexpr Limits kFlow{20, 100};
constexpr Limits kIdlePower{0, 10000};

// A fixed test point and the codes of its heat, COP and cycling loss.
struct FixedPoint {
  double outdoor_c;
  std::string_view heat;
  std::string_view cop;
  std::string_view cycling_loss;
};
constexpr std::array<FixedPoint, 4> kFixedPoints{{
    {-7, "EN14825_008", "EN14825_009", "EN14825_047"},
    {2, "EN14825_010", "EN14825_011", "EN14825_048"},
    {7, "EN14825_012", "EN14825_013", "EN14825_049"},
    {12, "EN14825_014", "EN14825_015", "EN14825_050"},
}};
constexpr FixedPoint kColdestPoint{-15, "EN14825_044", "EN14825_045", "EN14825_051"};

std::string declaration_name(int climate, int family) {
  return declaration_label(
      climate == kAverageClimate ? SeasonClimate::average : SeasonClimate::colder,
      family == kLowFlowFamily ? FlowFamily::low_35 : FlowFamily::medium_55);
}

class DeclarationReader {
 public:
  DeclarationReader(const Reader& reader, const Found& found, int climate, int family, int hp_type)
      : reader_(reader), found_(found), climate_(climate), family_(family), hp_type_(hp_type) {}

  bool present() const {
    for (const auto& [key, cell] : found_.cells) {
      if (std::get<0>(key).starts_with("EN14825_") && std::get<1>(key) == family_ &&
          std::get<2>(key) == climate_ && std::get<3>(key) == hp_type_) {
        return true;
      }
    }
    return false;
  }

  const Cell* find(std::string_view code) const {
    const auto cell = found_.cells.find(CellKey{std::string(code), family_, climate_, hp_type_});
    return cell == found_.cells.end() ? nullptr : &cell->second;
  }

  double needed(std::string_view code, Limits limits) const {
    const Cell* cell = find(code);
    if (cell == nullptr) {
      reader_.fail(found_.title_line, std::string(code) + " saknas i deklarationen för " +
                                          declaration_name(climate_, family_));
    }
    return reader_.number(*cell, code, limits.lowest, limits.highest);
  }

  std::optional<double> optional(std::string_view code, Limits limits) const {
    const Cell* cell = find(code);
    if (cell == nullptr) {
      return std::nullopt;
    }
    return reader_.number(*cell, code, limits.lowest, limits.highest);
  }

  DeclaredPoint fixed(const FixedPoint& point, double unit_loss) const {
    return {point.outdoor_c, needed(point.heat, kHeat), needed(point.cop, kCop),
            optional(point.cycling_loss, kCyclingLoss).value_or(unit_loss)};
  }

  SeasonalDeclaration read() const {
    SeasonalDeclaration declaration;
    declaration.design_load_kw = needed("EN14825_002", kHeat);
    declaration.scop = needed("EN14825_003", kCop);
    declaration.bivalent_c = needed("EN14825_004", kOutdoor);
    declaration.operation_limit_c = needed("EN14825_005", kOutdoor);
    declaration.cycling_loss = optional("EN14825_021", kCyclingLoss).value_or(0.9);
    declaration.highest_flow_c = optional("EN14825_022", kFlow);
    if (find(kColdestPoint.heat) != nullptr || find(kColdestPoint.cop) != nullptr) {
      declaration.points.push_back(fixed(kColdestPoint, declaration.cycling_loss));
    }
    for (const FixedPoint& point : kFixedPoints) {
      declaration.points.push_back(fixed(point, declaration.cycling_loss));
    }
    declaration.points.push_back(
        {declaration.bivalent_c, needed("EN14825_016", kHeat), needed("EN14825_017", kCop)});
    declaration.points.push_back(
        {declaration.operation_limit_c, needed("EN14825_018", kHeat), needed("EN14825_019", kCop)});
    declaration.idle.off_w = needed("EN14825_023", kIdlePower);
    declaration.idle.thermostat_off_w = needed("EN14825_024", kIdlePower);
    declaration.idle.standby_w = needed("EN14825_025", kIdlePower);
    declaration.idle.crankcase_w = needed("EN14825_026", kIdlePower);
    return declaration;
  }

 private:
  const Reader& reader_;
  const Found& found_;
  int climate_;
  int family_;
  int hp_type_;
};

HeatSource heat_source(const Reader& reader, const Found& found) {
  if (!found.type) {
    reader.fail_file("raden Type, som anger värmekällan, saknas efter sista varianten");
  }
  const std::string_view type = trimmed(found.type->value);
  if (type == "Outdoor Air/Water") {
    return HeatSource::outdoor_air;
  }
  if (type == "Brine/Water and Water/Water" || type == "Brine/Water") {
    return HeatSource::brine;
  }
  if (type == "Exhaust Air/Water") {
    return HeatSource::exhaust_air;
  }
  reader.fail_field(found.type->line, "value", "Type",
                    "värmekällan " + quoted_for_message(type) +
                        " kan inte beräknas; det går med Outdoor Air/Water, "
                        "Brine/Water and Water/Water och Exhaust Air/Water");
}

}  // namespace

std::vector<std::string> keymark_titles(std::string_view bytes, std::string_view file_name) {
  return Reader(file_name).scan(bytes, std::nullopt).titles;
}

HeatPumpUnit read_keymark_unit(std::string_view bytes, std::string_view file_name,
                               std::string_view title) {
  const Reader reader(file_name);
  const Found found = reader.scan(bytes, title);
  if (!found.title_found) {
    std::string known;
    for (std::size_t i = 0; i < found.titles.size() && i < kTitlesShown; ++i) {
      known += (i == 0 ? "" : ", ") + quoted_for_message(found.titles[i]);
    }
    if (found.titles.size() > kTitlesShown) {
      known += ", …";
    }
    reader.fail_file("ingen variant har titeln " + quoted_for_message(trimmed(title)) +
                     (known.empty() ? "; filen har inga varianter" : "; filen har " + known));
  }
  HeatPumpUnit unit;
  unit.title = std::string(trimmed(title));
  unit.source = heat_source(reader, found);
  const int hp_type = unit.source == HeatSource::brine ? kBrineSource : kSingleSource;
  if (found.reversibility) {
    const Cell& cell = *found.reversibility;
    if (cell.value != "0" && cell.value != "1") {
      reader.fail_field(cell.line, "value", "reversibility",
                        quoted_for_message(cell.value) + " är varken 0 eller 1");
    }
    unit.reversible = cell.value == "1";
  }
  const DeclarationReader rating(reader, found, kRatingClimate, kLowFlowFamily, hp_type);
  unit.rating_kw = rating.optional("EN14511_2_001", kHeat);
  for (const SeasonClimate climate : kSeasonClimates) {
    const int climate_code = climate == SeasonClimate::average ? kAverageClimate : kColderClimate;
    for (const FlowFamily family : kFlowFamilies) {
      const int family_code = family == FlowFamily::low_35 ? kLowFlowFamily : kMediumFlowFamily;
      const DeclarationReader declaration(reader, found, climate_code, family_code, hp_type);
      if (declaration.present()) {
        unit.declarations[static_cast<int>(climate)][static_cast<int>(family)] = declaration.read();
      } else if (climate == SeasonClimate::average) {
        reader.fail(found.title_line,
                    "variant " + quoted_for_message(unit.title) + " saknar deklarationen för " +
                        declaration_name(climate_code, family_code) +
                        " (EN14825-rader med temperature " + std::to_string(family_code) +
                        ", climate " + std::to_string(climate_code) + ", hpType " +
                        std::to_string(hp_type) + ")");
      }
    }
  }
  return unit;
}

}  // namespace varmkalk::core
