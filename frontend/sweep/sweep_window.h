// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/sweep/sweep_results.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>
#include <memory>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace varmkalk {

class Platform;

// The window "Känslighetsanalys": one input of the form's case varied over a range (or over its
// choices), both annual efficiencies and the annual energies of every point computed in memory
// in the background, shown as a chart and a table and exported as CSV, PNG or PDF. It works on a
// copy of the case and writes no file but the exports the user asks for.
class SweepWindow : public QDialog {
  Q_OBJECT

 public:
  // `program_folder` is where the engine is looked for, whose climate folder is the fallback for
  // the climate files, as for the engine itself. The first sweep starts at once.
  SweepWindow(Platform& platform, SweepBase base, const QString& program_folder,
              QWidget* parent = nullptr);
  ~SweepWindow() override;

  // Selects the input to vary, fills in its range and sweeps it; an input the list does not offer
  // for the case is ignored.
  void choose(SweepInput input);
  SweepInput chosen() const;
  // Sweeps the chosen input over the range as typed, after checking it.
  void run_sweep();
  void cancel_sweep();
  bool is_sweeping() const;

  // The sweep on show, complete; nullptr while none is.
  std::shared_ptr<const Sweep> shown() const { return shown_; }
  QChart* chart() const;

  // The exports, each asking for a file name first.
  void export_csv();
  void export_png();
  void export_pdf();

 signals:
  void sweep_finished();
  void sweep_cancelled();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void build();
  void input_chosen();
  std::optional<SweepRange> typed_range();
  void sweep_done();
  void sweep_cancelled_by_user();
  void show_sweep(std::shared_ptr<const Sweep> sweep);
  void fill_table(const Sweep& sweep);
  void set_chart(std::unique_ptr<QChart> chart);
  void save(const QString& title, const QString& suggested_name, const QString& filter,
            const std::function<QByteArray()>& bytes);
  void refuse(const QString& message);

  Platform& platform_;
  const SweepBase base_;
  std::shared_ptr<const core::FoundClimates> climates_;
  SweepResult current_;
  // The heat pump beside the boiler at every point, or why it cannot be had; neither without one.
  std::optional<core::HeatPumpInstallation> heat_pump_;
  QString heat_pump_fault_;
  Sweep pending_;
  std::shared_ptr<const Sweep> shown_;
  std::unique_ptr<SweepJob> job_;
  QElapsedTimer since_start_;

  QComboBox* input_list_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QSpinBox* points_ = nullptr;
  QPushButton* run_button_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* current_label_ = nullptr;
  QChartView* chart_view_ = nullptr;
  QTableWidget* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* export_button_ = nullptr;
};

}  // namespace varmkalk
