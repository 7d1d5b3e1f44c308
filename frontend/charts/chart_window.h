// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/charts/chart_page.h"
#include "frontend/logic/year/chart_year.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QTabWidget;

namespace varmkalk {

class Platform;

// The window "Diagram – <identity>": a tab per chart of a calculation's year, "Exportera…" with
// the exports of the shown chart, of all charts as a report and of the daily values, and
// "Stäng". It is not modal, so it can stay open beside the main menu's summary, and it deletes
// itself when closed.
class ChartWindow : public QWidget {
  Q_OBJECT

 public:
  // `since_click` runs from the user's click that asked for the window: the time to the first
  // chart on the screen is logged.
  ChartWindow(Platform& platform, std::shared_ptr<const ChartYear> year, QElapsedTimer since_click,
              QWidget* parent = nullptr);

  const ChartYear& year() const { return *year_; }
  QTabWidget* tabs() const { return tabs_; }
  std::vector<const ChartPage*> pages() const;

  // The exports, each asking for a file name first.
  void export_png();
  void export_pdf();
  void export_report();
  void export_csv();

 signals:
  // The first chart has been drawn on the screen, `milliseconds` after the click.
  void first_chart_shown(qint64 milliseconds);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ChartPage& shown_page() const;

  Platform& platform_;
  std::shared_ptr<const ChartYear> year_;
  QElapsedTimer since_click_;
  QTabWidget* tabs_;
  QWidget* first_painted_ = nullptr;
};

// Opens the charts of the calculation just made, of its year `computed` (see
// load_calculated_year), and returns the window, or tells the user why it cannot and returns
// nullptr. `cost` is the year on the gas bill's terms the result box shows, for the report's first
// page and the energy-flow page.
// `heat_pump` is the heat pump the result box shows beside the boiler, for its pages.
ChartWindow* open_calculation_charts(Platform& platform, const CalculationYear& computed,
                                     const QStringList& summary_lines, QWidget* parent,
                                     const std::optional<core::YearCost>& cost = std::nullopt,
                                     const std::optional<HeatPumpChart>& heat_pump = std::nullopt);

// Opens the charts of a kept calculation from its result files in `folder` and its year run
// again `again` (see load_kept_year), for a window that lists kept calculations. `program_folder`
// is where the engine is looked for, whose climate folder is the fallback; `cost` is its year on
// the gas bill's terms.
ChartWindow* open_kept_charts(Platform& platform, const QString& folder, const QString& identity,
                              const QString& program_folder, const CalculationYear& again,
                              QWidget* parent,
                              const std::optional<core::YearCost>& cost = std::nullopt);

}  // namespace varmkalk
