// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_window.h"

#include "frontend/charts/chart_export.h"
#include "frontend/charts/export_dialog.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/year/daily_csv.h"
#include "frontend/platform/added_window.h"
#include "frontend/platform/platform.h"

#include <QAction>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varmkalk {

namespace {

constexpr QSize kWindowSize{1000, 700};

ChartWindow* open_year(Platform& platform, std::variant<ChartYear, FileError> loaded,
                       const QElapsedTimer& since_click, QWidget* parent) {
  if (const auto* error = std::get_if<FileError>(&loaded)) {
    platform.beep();
    platform.message_box(parent, QCoreApplication::translate("ChartWindow", "Diagram"),
                         error->message, MessageIcon::Exclamation);
    return nullptr;
  }
  auto* window = new ChartWindow(
      platform, std::make_shared<const ChartYear>(std::get<ChartYear>(std::move(loaded))),
      since_click, nullptr);
  open_added_window(*window, parent, parent);
  return window;
}

}  // namespace

ChartWindow::ChartWindow(Platform& platform, std::shared_ptr<const ChartYear> year,
                         QElapsedTimer since_click, QWidget* parent)
    : QWidget(parent, Qt::Window),
      platform_(platform),
      year_(std::move(year)),
      since_click_(since_click),
      tabs_(new QTabWidget(this)) {
  setObjectName(QStringLiteral("Diagram"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QCoreApplication::translate("ChartWindow", "Diagram – %1").arg(year_->identity));
  fit_to_screen(*this, kWindowSize, parent);

  auto* layout = new QVBoxLayout(this);
  if (!year_->notices.isEmpty()) {
    auto* notices = new QLabel(year_->notices.join(QStringLiteral("\n")), this);
    notices->setObjectName(QStringLiteral("notices"));
    notices->setWordWrap(true);
    layout->addWidget(notices);
  }
  if (!year_->note.isEmpty()) {
    auto* note = new QLabel(year_->note, this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  for (const ChartInfo& info : chart_infos()) {
    if (chart_shown(info.kind, *year_)) {
      tabs_->addTab(new ChartPage(info, year_, tabs_), info.title);
    }
  }
  layout->addWidget(tabs_, 1);

  auto* export_menu = new QMenu(this);
  connect(add_action(*export_menu, "export_png",
                     QCoreApplication::translate("ChartWindow", "Diagrammet som PNG-bild…")),
          &QAction::triggered, this, &ChartWindow::export_png);
  connect(add_action(*export_menu, "export_pdf",
                     QCoreApplication::translate("ChartWindow", "Diagrammet som PDF…")),
          &QAction::triggered, this, &ChartWindow::export_pdf);
  connect(add_action(*export_menu, "export_report",
                     QCoreApplication::translate("ChartWindow", "Alla diagram som PDF-rapport…")),
          &QAction::triggered, this, &ChartWindow::export_report);
  connect(add_action(*export_menu, "export_csv",
                     QCoreApplication::translate("ChartWindow", "Dagsvärdena som CSV-fil…")),
          &QAction::triggered, this, &ChartWindow::export_csv);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  add_export_and_close(*this, *buttons, export_menu);
  layout->addLayout(buttons);

  const auto* first = static_cast<ChartPage*>(tabs_->widget(0));
  first_painted_ =
      first->chart_view() != nullptr ? first->chart_view()->viewport() : tabs_->widget(0);
  first_painted_->installEventFilter(this);
}

std::vector<const ChartPage*> ChartWindow::pages() const {
  std::vector<const ChartPage*> pages;
  for (int i = 0; i < tabs_->count(); ++i) {
    pages.push_back(static_cast<const ChartPage*>(tabs_->widget(i)));
  }
  return pages;
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == first_painted_ && event->type() == QEvent::Paint) {
    // Painted now, within this paint event, so that the time includes the drawing.
    first_painted_->removeEventFilter(this);
    first_painted_ = nullptr;
    QCoreApplication::sendEvent(watched, event);
    const qint64 elapsed = since_click_.isValid() ? since_click_.elapsed() : 0;
    qInfo().noquote() << QStringLiteral("Diagram %1: första diagrammet ritat %2 ms efter klicket")
                             .arg(year_->identity)
                             .arg(elapsed);
    emit first_chart_shown(elapsed);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

const ChartPage& ChartWindow::shown_page() const {
  return *static_cast<const ChartPage*>(tabs_->currentWidget());
}

void ChartWindow::export_png() {
  const ChartPage& page = shown_page();
  save_export_as(platform_, this,
                 QCoreApplication::translate("ChartWindow", "Spara diagrammet som PNG-bild"),
                 QStringLiteral("%1-%2.png").arg(year_->identity, page.info().file_stem),
                 QCoreApplication::translate("ChartWindow", "PNG-bild (*.png)"),
                 [&page] { return chart_png(page); });
}

void ChartWindow::export_pdf() {
  const ChartPage& page = shown_page();
  save_export_as(platform_, this,
                 QCoreApplication::translate("ChartWindow", "Spara diagrammet som PDF"),
                 QStringLiteral("%1-%2.pdf").arg(year_->identity, page.info().file_stem),
                 QCoreApplication::translate("ChartWindow", "PDF-dokument (*.pdf)"),
                 [&page] { return chart_pdf(page); });
}

void ChartWindow::export_report() {
  save_export_as(platform_, this,
                 QCoreApplication::translate("ChartWindow", "Spara alla diagram som PDF-rapport"),
                 QStringLiteral("%1-diagram.pdf").arg(year_->identity),
                 QCoreApplication::translate("ChartWindow", "PDF-dokument (*.pdf)"),
                 [this] { return report_pdf(*year_, pages(), QDateTime::currentDateTime()); });
}

void ChartWindow::export_csv() {
  save_export_as(platform_, this,
                 QCoreApplication::translate("ChartWindow", "Spara dagsvärdena som CSV-fil"),
                 QStringLiteral("%1-dagsvarden.csv").arg(year_->identity),
                 QCoreApplication::translate("ChartWindow", "CSV-fil (*.csv)"),
                 [this] { return daily_csv(*year_, platform_.locale()); });
}

ChartWindow* open_calculation_charts(Platform& platform, const CalculationYear& computed,
                                     const QStringList& summary_lines, QWidget* parent,
                                     const std::optional<core::YearCost>& cost,
                                     const std::optional<HeatPumpChart>& heat_pump) {
  QElapsedTimer since_click;
  since_click.start();
  auto year = load_calculated_year(computed, summary_lines);
  if (auto* loaded = std::get_if<ChartYear>(&year)) {
    loaded->cost = cost;
    loaded->heat_pump = heat_pump;
  }
  return open_year(platform, std::move(year), since_click, parent);
}

ChartWindow* open_kept_charts(Platform& platform, const QString& folder, const QString& identity,
                              const QString& program_folder, const CalculationYear& again,
                              QWidget* parent, const std::optional<core::YearCost>& cost) {
  QElapsedTimer since_click;
  since_click.start();
  auto year = load_kept_year(folder, identity, engine_climate_dir(program_folder), again);
  if (auto* loaded = std::get_if<ChartYear>(&year)) {
    loaded->cost = cost;
  }
  return open_year(platform, std::move(year), since_click, parent);
}

}  // namespace varmkalk
