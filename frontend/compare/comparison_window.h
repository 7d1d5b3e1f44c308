// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/year_cost.h"
#include "frontend/compare/comparison_charts.h"
#include "frontend/logic/kept/comparison_table.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/run/folder_year.h"

#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

class QTableWidget;

namespace varmkalk {

class Platform;

// The window "Jämför beräkningar": a table with a column per calculation (its inputs and every
// result of its summary, values that differ from the first column's marked and the difference
// shown), the two annual efficiencies of each as bars, the chart "Verkningsgrad och
// utetemperatur" of all of them overlaid, a "Diagram" button per calculation for its own charts,
// and exports of the table as CSV and of the whole comparison as PDF. Not modal; it deletes
// itself when closed.
class ComparisonWindow : public QWidget {
  Q_OBJECT

 public:
  // `folder` holds the calculations' files; `program_folder` is where the engine, and so the
  // bundled climate files, are looked for. `session`'s calculation, not kept yet, is priced with
  // the session's inputs of cost.
  ComparisonWindow(Platform& platform, const QString& folder, const QString& program_folder,
                   const std::vector<KeptCalculation>& calculations, QWidget* parent = nullptr,
                   const std::optional<SessionCalculation>& session = std::nullopt);

  const ComparisonTable& table() const { return table_; }
  const std::vector<ComparedCalculation>& compared() const { return compared_; }
  // What could not be read for the charts, as the window tells it.
  const QStringList& notes() const { return notes_; }
  // The warnings each calculation's run gave above its summary, "<identity>: <warning>".
  const QStringList& warnings() const { return warnings_; }
  QTableWidget* table_widget() const { return table_widget_; }
  // Each calculation's year on the gas bill's terms, in the order of the table's columns.
  const std::vector<std::optional<core::YearCost>>& costs() const { return costs_; }

  // The exports, each asking for a file name first.
  void export_csv();
  void export_pdf();

 private:
  void fill_table();

  Platform& platform_;
  QString folder_;
  QString program_folder_;
  // Each calculation's year, run once: its cost, its warnings and its charts take it.
  std::vector<CalculationYear> years_;
  std::vector<KeptPrices> prices_;
  std::vector<std::optional<core::YearCost>> costs_;
  ComparisonTable table_;
  std::vector<ComparedCalculation> compared_;
  QStringList notes_;
  QStringList warnings_;
  QTableWidget* table_widget_;
};

// "Jämför beräkningar…": the list of the calculations kept in `folder` to mark two to six of, then
// their comparison in a window of its own over `parent`, `session`'s calculation priced with the
// session's inputs of cost.
void open_comparison(Platform& platform, const QString& folder, const QString& program_folder,
                     QWidget* parent, const std::optional<SessionCalculation>& session);

}  // namespace varmkalk
