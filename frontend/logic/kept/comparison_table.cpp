// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/comparison_table.h"

#include "core/case/climates.h"
#include "core/formats/summary_report.h"
#include "core/formats/summary_table.h"
#include "frontend/logic/form/display_names.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/kept/spreadsheet_csv.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <functional>

namespace varmkalk {

namespace {

using core::ReportValue;
using core::SummaryReport;
using core::SummaryValueLine;

QString inputs_section() {
  return QCoreApplication::translate("ComparisonTable", "Indata");
}

QString results_section() {
  return QCoreApplication::translate("ComparisonTable", "Resultat");
}

// A report label as a row's name: "- Brännarens maxeffekt: " is "Brännarens maxeffekt".
QString label_of(std::string_view report_label) {
  QString label = from_utf8(report_label).trimmed();
  if (label.startsWith(QStringLiteral("- "))) {
    label.remove(0, 2);
  }
  if (label.endsWith(QLatin1Char(':'))) {
    label.chop(1);
  }
  if (label.endsWith(QStringLiteral(" är"))) {
    label.chop(3);
  }
  return label;
}

QString unit_of(std::string_view report_unit) {
  const QString unit = from_utf8(report_unit).trimmed();
  if (unit == QStringLiteral("C")) {
    return QStringLiteral("°C");
  }
  return unit == QStringLiteral("-") ? QString() : unit;
}

// A value of one calculation before it is written.
struct Figure {
  enum class Kind { number, text, unknown, undefined, missing };
  Kind kind = Kind::missing;
  double number = 0.0;
  QString text;
};

Figure number_figure(double value) {
  return {Figure::Kind::number, value, {}};
}

Figure text_figure(const QString& text) {
  return {Figure::Kind::text, 0.0, text};
}

Figure report_figure(const ReportValue& value) {
  switch (value.kind) {
    case ReportValue::Kind::number:
      return number_figure(value.number);
    case ReportValue::Kind::too_wide:
      return {Figure::Kind::unknown, 0.0, {}};
    case ReportValue::Kind::undefined:
      return {Figure::Kind::undefined, 0.0, {}};
  }
  return {};
}

// One calculation's sources: the case from its inputs file where it has one, its summary.
struct Source {
  std::optional<core::BoilerCase> input;
  const SummaryReport* summary = nullptr;
  std::optional<core::YearCost> cost;
  std::optional<PriceSource> prices;
  std::optional<ComparedHeatPump> heat_pump;
};

Source source_of(const KeptCalculation& calculation) {
  Source source;
  if (calculation.summary) {
    source.summary = &*calculation.summary;
  }
  if (calculation.inputs) {
    const auto derived = derive_case(input_in_locale(*calculation.inputs, QLocale::c()),
                                     calculation.inputs->identity, QLocale::c());
    if (const auto* input = std::get_if<core::BoilerCase>(&derived)) {
      source.input = *input;
    }
  }
  return source;
}

struct RowDefinition {
  QString section;
  QString label;
  QString unit;
  int decimals = 0;
  std::function<Figure(const Source&)> figure;
};

// An input quantity: from the case where the inputs file gave one, else as the summary printed it.
RowDefinition input_row(const SummaryValueLine& line,
                        std::function<float(const core::BoilerCase&)> of_case,
                        std::function<Figure(const SummaryReport&)> of_summary,
                        const QString& label = {}) {
  const int decimals = line.decimals == core::kWholeNumber ? 0 : line.decimals;
  const bool whole = line.decimals == core::kWholeNumber;
  return {inputs_section(), label.isEmpty() ? label_of(line.label) : label, unit_of(line.unit),
          decimals, [of_case, of_summary, whole](const Source& source) {
            if (source.input) {
              const double value = of_case(*source.input);
              return number_figure(whole ? std::trunc(value) : value);
            }
            return source.summary ? of_summary(*source.summary) : Figure{};
          }};
}

// An input the summary prints on a line of its own, as its table gives it.
RowDefinition input_row(const SummaryValueLine& line) {
  const core::SummaryRow& row = core::summary_row(line);
  const ReportValue SummaryReport::*member = row.member;
  return input_row(line, row.of_case,
                   [member](const SummaryReport& report) { return report_figure(report.*member); });
}

RowDefinition text_row(const QString& label,
                       std::function<QString(const core::BoilerCase&)> of_case,
                       std::function<QString(const SummaryReport&)> of_summary) {
  return {inputs_section(), label, {}, 0, [of_case, of_summary](const Source& source) {
            if (source.input) {
              return text_figure(of_case(*source.input));
            }
            return source.summary ? text_figure(of_summary(*source.summary)) : Figure{};
          }};
}

RowDefinition result_row(const core::SummaryRow& row) {
  const SummaryValueLine& line = *row.line;
  const ReportValue SummaryReport::*member = row.member;
  return {results_section(), label_of(line.label), unit_of(line.unit),
          line.decimals == core::kWholeNumber ? 0 : line.decimals, [member](const Source& source) {
            return source.summary ? report_figure(source.summary->*member) : Figure{};
          }};
}

QString burner_kind_text(bool modulating) {
  return modulating ? QCoreApplication::translate("ComparisonTable", "modulerande")
                    : QCoreApplication::translate("ComparisonTable", "enstegs");
}

QString climate_text(const QString& name, bool own_file) {
  return own_file ? QCoreApplication::translate("ComparisonTable", "klimatfilen %1").arg(name)
                  : name;
}

Figure flue_gas_figure(const SummaryReport& report, bool high,
                       ReportValue core::ReportFlueGasPoint::*member) {
  return report_figure((high ? report.high_temp : report.low_temp).*member);
}

RowDefinition flue_gas_row(const QString& label, const SummaryValueLine& line, bool high,
                           float core::FlueGasPoint::*of_case,
                           ReportValue core::ReportFlueGasPoint::*of_report) {
  return input_row(
      line,
      [high, of_case](const core::BoilerCase& input) {
        return (high ? input.flue_gas.high_temp : input.flue_gas.low_temp).*of_case;
      },
      [high, of_report](const SummaryReport& report) {
        return flue_gas_figure(report, high, of_report);
      },
      label);
}

// The design outdoor temperature, which the summary names only through the place: with one
// decimal, in °C.
constexpr SummaryValueLine kDesignOutdoorTempLine{"- Dimensionerande utetemperatur", 0, 5, 1, " C"};

// The layout of a flue-gas point's supply and return temperatures: Fixed 4.1, in °C.
constexpr SummaryValueLine kPointTempLine{"", 0, core::kFlueGasPointWidth,
                                          core::kFlueGasPointDecimals, " C"};

RowDefinition burner_row() {
  return text_row(
      QCoreApplication::translate("ComparisonTable", "Brännare"),
      [](const core::BoilerCase& input) { return burner_kind_text(input.burner.is_modulating()); },
      [](const SummaryReport& report) {
        const auto max = report.max_power_kw.known();
        const auto min = report.min_power_kw.known();
        return max && min
                   ? burner_kind_text(core::burner_kind(*max, *min) == core::BurnerKind::modulating)
                   : QCoreApplication::translate("ComparisonTable", "okänt");
      });
}

RowDefinition pilot_row(const SummaryValueLine& line) {
  return input_row(
      line, [](const core::BoilerCase& input) { return input.combustion.pilot_power_w; },
      [](const SummaryReport& report) {
        return report.pilot_power_w ? report_figure(*report.pilot_power_w) : number_figure(0.0);
      });
}

// Both flue-gas points, the high one first as the form shows them.
void add_flue_gas_rows(std::vector<RowDefinition>& rows) {
  using core::FlueGasPoint;
  using core::ReportFlueGasPoint;
  for (const bool high : {true, false}) {
    const QString level = high ? QCoreApplication::translate("ComparisonTable", "höga")
                               : QCoreApplication::translate("ComparisonTable", "låga");
    rows.push_back(
        flue_gas_row(QCoreApplication::translate("ComparisonTable",
                                                 "Avgastemperatur vid %1 radiatortemperaturer")
                         .arg(level),
                     core::kFlueGasTempLine, high, &FlueGasPoint::flue_gas_temp_c,
                     &ReportFlueGasPoint::flue_gas_temp_c));
    rows.push_back(flue_gas_row(
        QCoreApplication::translate("ComparisonTable", "Framtemperatur, %1").arg(level),
        kPointTempLine, high, &FlueGasPoint::supply_temp_c, &ReportFlueGasPoint::supply_temp_c));
    rows.push_back(flue_gas_row(
        QCoreApplication::translate("ComparisonTable", "Returtemperatur, %1").arg(level),
        kPointTempLine, high, &FlueGasPoint::return_temp_c, &ReportFlueGasPoint::return_temp_c));
  }
}

void add_climate_rows(std::vector<RowDefinition>& rows) {
  rows.push_back(text_row(
      QCoreApplication::translate("ComparisonTable", "Klimat"),
      [](const core::BoilerCase& input) {
        return climate_text(climate_name(input.climate),
                            std::holds_alternative<core::OwnClimate>(input.climate));
      },
      [](const SummaryReport& report) {
        return climate_text(climate_name(report.climate),
                            std::holds_alternative<std::string>(report.climate));
      }));
  rows.push_back(input_row(
      kDesignOutdoorTempLine,
      [](const core::BoilerCase& input) { return core::design_outdoor_temp_c(input.climate); },
      [](const SummaryReport& report) {
        const auto* place = std::get_if<core::Place>(&report.climate);
        return place ? number_figure(core::climate_of(*place).design_outdoor_temp_c)
                     : Figure{Figure::Kind::unknown, 0.0, {}};
      }));
}

// The year on the gas bill's terms, whole kronor, kWh, m³ and kg, after where each column's prices
// come from where that is known.
void add_cost_rows(std::vector<RowDefinition>& rows, bool with_prices) {
  const QString section = QCoreApplication::translate("ComparisonTable", "Kostnad och klimat");
  if (with_prices) {
    rows.push_back({section,
                    QCoreApplication::translate("ComparisonTable", "Priser och utsläppsfaktorer"),
                    {},
                    0,
                    [](const Source& source) {
                      return source.prices ? text_figure(price_source_text(*source.prices))
                                           : Figure{};
                    }});
  }
  const std::vector<CostFigure> figures = cost_figures(core::YearCost{});
  for (std::size_t i = 0; i < figures.size(); ++i) {
    rows.push_back({section, figures[i].label, figures[i].unit, 0, [i](const Source& source) {
                      if (!source.cost) {
                        return Figure{};
                      }
                      const std::optional<double> value = cost_figures(*source.cost)[i].value;
                      return value ? number_figure(std::round(*value))
                                   : Figure{Figure::Kind::undefined, 0.0, {}};
                    }});
  }
}

// The inputs in the order the summary report prints them, then its results.
std::vector<RowDefinition> row_definitions() {
  using Kind = core::SummaryRowKind;
  std::vector<RowDefinition> rows{burner_row()};
  for (const core::SummaryRow& row : core::summary_rows()) {
    if (row.part != core::SummaryPart::inputs) {
      continue;
    }
    switch (row.kind) {
      case Kind::value:
        rows.push_back(input_row(*row.line));
        break;
      case Kind::pilot:
        rows.push_back(pilot_row(*row.line));
        break;
      case Kind::flue_gas_point:
        // The report prints the low point first; both are added there.
        if (row.point == &core::FlueGasPoints::low_temp) {
          add_flue_gas_rows(rows);
        }
        break;
      case Kind::heating_system:
        rows.push_back(text_row(
            QCoreApplication::translate("ComparisonTable", "Värmesystem"),
            [](const core::BoilerCase& input) { return heating_system_text(input.heating_system); },
            [](const SummaryReport& report) {
              return heating_system_text(report.heating_system);
            }));
        break;
      case Kind::climate:
        add_climate_rows(rows);
        break;
      case Kind::empty:
      case Kind::text:
      case Kind::efficiency:
      case Kind::file_names:
        break;
    }
  }
  for (const core::SummaryRow& row : core::summary_rows()) {
    if (row.part == core::SummaryPart::results && row.member) {
      rows.push_back(result_row(row));
    }
  }
  return rows;
}

// The number as shown: `decimals` decimals, halves away from zero, never "-0".
double shown_number(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(value * scale) / scale;
  return rounded == 0.0 ? 0.0 : rounded;
}

// In the locale's decimal separator, without grouping and with the plain minus sign that every
// spreadsheet reads.
QString number_text(double value, int decimals, const QLocale& locale) {
  QLocale plain = locale;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  return plain.toString(shown_number(value, decimals), 'f', decimals)
      .replace(plain.negativeSign(), QStringLiteral("-"));
}

QString figure_text(const Figure& figure, int decimals, const QLocale& locale) {
  switch (figure.kind) {
    case Figure::Kind::number:
      return number_text(figure.number, decimals, locale);
    case Figure::Kind::text:
      return figure.text;
    case Figure::Kind::unknown:
      return QCoreApplication::translate("ComparisonTable", "okänt");
    case Figure::Kind::undefined:
      return QStringLiteral("–");
    case Figure::Kind::missing:
      return QCoreApplication::translate("ComparisonTable", "saknas");
  }
  return {};
}

// The heat pump's name, then each of its figures; "ingen" for a calculation without one.
void add_heat_pump_rows(std::vector<RowDefinition>& rows) {
  const QString section = QCoreApplication::translate("ComparisonTable", "Värmepump");
  rows.push_back({section, section, {}, 0, [](const Source& source) {
                    return text_figure(
                        source.heat_pump ? source.heat_pump->name
                                         : QCoreApplication::translate("ComparisonTable", "ingen"));
                  }});
  for (const core::SideBySideFigure& figure : core::side_by_side_figures()) {
    if (figure.of == core::FigureOf::boiler) {
      continue;
    }
    const int decimals = core::figure_decimals(figure.format);
    rows.push_back({section, from_utf8(figure.label), from_utf8(figure.unit), decimals,
                    [&figure, decimals](const Source& source) {
                      if (!source.heat_pump || !source.heat_pump->sides) {
                        return Figure{};
                      }
                      const std::optional<double> value =
                          figure.heat_pump(*source.heat_pump->sides);
                      return value ? number_figure(shown_number(*value, decimals))
                                   : Figure{Figure::Kind::undefined, 0.0, {}};
                    }});
  }
  rows.push_back(
      {section, QCoreApplication::translate("ComparisonTable", "Återbetalningstid"),
       QCoreApplication::translate("ComparisonTable", "år"), 1, [](const Source& source) {
         if (!source.heat_pump || !source.heat_pump->sides ||
             !source.heat_pump->sides->has_investment) {
           return Figure{Figure::Kind::undefined, 0.0, {}};
         }
         const std::optional<double>& years = source.heat_pump->sides->payback_years;
         return years
                    ? number_figure(shown_number(*years, 1))
                    : text_figure(QCoreApplication::translate("ComparisonTable", "lönar sig inte"));
       }});
}

}  // namespace

ComparisonTable comparison_table(const std::vector<KeptCalculation>& calculations,
                                 const QLocale& locale,
                                 const std::vector<std::optional<core::YearCost>>& costs,
                                 const std::vector<KeptPrices>& prices,
                                 const std::vector<std::optional<ComparedHeatPump>>& heat_pumps) {
  ComparisonTable table;
  std::vector<Source> sources;
  for (std::size_t i = 0; i < calculations.size(); ++i) {
    const KeptCalculation& calculation = calculations[i];
    table.identities += calculation.shown_identity();
    sources.push_back(source_of(calculation));
    if (i < costs.size()) {
      sources.back().cost = costs[i];
    }
    if (i < prices.size()) {
      sources.back().prices = prices[i].source;
    }
    if (i < heat_pumps.size()) {
      sources.back().heat_pump = heat_pumps[i];
    }
    table.sources += sources.back().input
                         ? QCoreApplication::translate("ComparisonTable", "indatafil")
                         : QCoreApplication::translate("ComparisonTable", "sammanfattning");
  }
  std::vector<RowDefinition> definitions = row_definitions();
  if (!costs.empty()) {
    add_cost_rows(definitions, !prices.empty());
  }
  if (std::any_of(heat_pumps.begin(), heat_pumps.end(),
                  [](const auto& heat_pump) { return heat_pump.has_value(); })) {
    add_heat_pump_rows(definitions);
  }
  for (const RowDefinition& definition : definitions) {
    ComparisonRow row{definition.section, definition.label, definition.unit, {}};
    std::optional<Figure> first;
    QString first_text;
    for (const Source& source : sources) {
      const Figure figure = definition.figure(source);
      ComparisonCell cell{figure_text(figure, definition.decimals, locale), {}, false};
      if (!first) {
        first = figure;
        first_text = cell.text;
      } else if (cell.text != first_text) {
        cell.differs = true;
        if (figure.kind == Figure::Kind::number && first->kind == Figure::Kind::number) {
          const double difference =
              shown_number(shown_number(figure.number, definition.decimals) -
                               shown_number(first->number, definition.decimals),
                           definition.decimals);
          cell.difference = (difference > 0.0 ? QStringLiteral("+") : QString()) +
                            number_text(difference, definition.decimals, locale);
        }
      }
      row.cells.push_back(cell);
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

QString shown_text(const ComparisonCell& cell) {
  return cell.difference.isEmpty() ? cell.text
                                   : QStringLiteral("%1  (%2)").arg(cell.text, cell.difference);
}

QString column_heading(const ComparisonTable& table, qsizetype column) {
  return table.identities[column] + QLatin1Char('\n') + table.sources[column];
}

QByteArray comparison_csv(const ComparisonTable& table, const QLocale& locale) {
  QStringList header{QCoreApplication::translate("ComparisonTable", "Del"),
                     QCoreApplication::translate("ComparisonTable", "Storhet"),
                     QCoreApplication::translate("ComparisonTable", "Enhet")};
  QStringList sources{QString(), QCoreApplication::translate("ComparisonTable", "Indata från"),
                      QString()};
  for (qsizetype i = 0; i < table.identities.size(); ++i) {
    header += table.identities[i];
    sources += table.sources[i];
    if (i > 0) {
      header += QStringLiteral("%1 − %2").arg(table.identities[i], table.identities[0]);
      sources += QString();
    }
  }
  std::vector<QStringList> rows{header, sources};
  for (const ComparisonRow& row : table.rows) {
    QStringList fields{row.section, row.label, row.unit};
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      fields += row.cells[i].text;
      if (i > 0) {
        fields += row.cells[i].difference;
      }
    }
    rows.push_back(fields);
  }
  return spreadsheet_bytes(rows, csv_separator(locale));
}

}  // namespace varmkalk
