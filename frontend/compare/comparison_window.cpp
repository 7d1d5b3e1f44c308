// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/compare/comparison_window.h"

#include "frontend/logic/heatpump/heat_pump_units.h"
#include "frontend/logic/heatpump/side_by_side_view.h"
#include "frontend/logic/kept/cost_figures.h"

#include "frontend/charts/chart_window.h"
#include "frontend/charts/export_dialog.h"
#include "frontend/compare/comparison_export.h"
#include "frontend/compare/kept_list_dialog.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/platform/added_window.h"
#include "frontend/platform/platform.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varmkalk {

namespace {

constexpr QSize kWindowSize{1360, 860};
constexpr int kLabelColumn = 0;
constexpr int kUnitColumn = 1;
constexpr int kFirstValueColumn = 2;
constexpr int kBarChartShare = 2;  // of the charts' height, against the overlay's 3
constexpr int kOverlayShare = 3;
// The overlay's least height against the bars': its axis labels take one line, not three.
constexpr int kOverlayLeastShare = 2;
constexpr int kBarLeastShare = 3;

QTableWidgetItem* table_item(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

QChartView* chart_view(std::unique_ptr<QChart> chart, const char* name, QWidget* parent) {
  auto* view = new QChartView(chart.release(), parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

}  // namespace

ComparisonWindow::ComparisonWindow(Platform& platform, const QString& folder,
                                   const QString& program_folder,
                                   const std::vector<KeptCalculation>& calculations,
                                   QWidget* parent,
                                   const std::optional<SessionCalculation>& session)
    : QWidget(parent, Qt::Window),
      platform_(platform),
      folder_(folder),
      program_folder_(program_folder),
      years_(kept_years(calculations, folder, engine_climate_dir(program_folder))),
      prices_(kept_prices(calculations, session)),
      costs_(kept_costs(years_, prices_)),
      table_(
          comparison_table(calculations, platform.locale(), costs_, prices_,
                           kept_heat_pumps(calculations, years_, prices_, session,
                                           heat_pump_folder(program_folder), platform.locale()))),
      table_widget_(new QTableWidget(this)) {
  setObjectName(QStringLiteral("jamforelse"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QCoreApplication::translate("ComparisonWindow", "Jämför beräkningar – %1")
                     .arg(table_.identities.join(QStringLiteral(", "))));
  fit_to_screen(*this, kWindowSize, parent);

  const QString climate_dir = engine_climate_dir(program_folder_);
  for (std::size_t i = 0; i < calculations.size(); ++i) {
    const KeptCalculation& calculation = calculations[i];
    ComparedCalculation compared{calculation.shown_identity(), std::nullopt, std::nullopt, nullptr};
    if (calculation.summary) {
      if (const auto value = calculation.summary->efficiency_percent.known()) {
        compared.efficiency_percent = *value;
      }
      if (const auto value = calculation.summary->efficiency_without_pump_percent.known()) {
        compared.efficiency_without_pump_percent = *value;
      }
    }
    auto year = load_kept_year(folder_, calculation.identity, climate_dir, years_[i]);
    if (auto* loaded = std::get_if<ChartYear>(&year)) {
      for (const QString& notice : loaded->notices) {
        warnings_ += QStringLiteral("%1: %2").arg(calculation.shown_identity(), notice);
      }
      compared.year = std::make_shared<const ChartYear>(std::move(*loaded));
    } else {
      notes_ +=
          QCoreApplication::translate(
              "ComparisonWindow", "%1 saknas i diagrammet över verkningsgrad och utetemperatur. %2")
              .arg(compared.identity, std::get<FileError>(year).message);
    }
    compared_.push_back(std::move(compared));
  }

  auto* layout = new QVBoxLayout(this);
  auto* explanation =
      new QLabel(QCoreApplication::translate(
                     "ComparisonWindow",
                     "Värden som skiljer sig från %1 är markerade, med skillnaden inom "
                     "parentes. Indata kommer från indatafilen, eller från sammanfattningen "
                     "för en beräkning som sparades utan indatafil.")
                     .arg(table_.identities.value(0)),
                 this);
  explanation->setWordWrap(true);
  layout->addWidget(explanation);
  if (!warnings_.isEmpty()) {
    auto* warnings = new QLabel(warnings_.join(QLatin1Char('\n')), this);
    warnings->setObjectName(QStringLiteral("warnings"));
    warnings->setWordWrap(true);
    layout->addWidget(warnings);
  }
  if (!notes_.isEmpty()) {
    auto* note = new QLabel(notes_.join(QLatin1Char('\n')), this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }

  fill_table();
  auto* charts = new QWidget(this);
  auto* chart_layout = new QVBoxLayout(charts);
  chart_layout->setContentsMargins(0, 0, 0, 0);
  QChartView* bars = chart_view(efficiency_bar_chart(compared_), "efficiency_bars", charts);
  QChartView* overlay =
      chart_view(efficiency_overlay_chart(compared_), "efficiency_overlay", charts);
  // On a small screen no label is cut to "…": the table beside gives way (it scrolls), and the
  // charts scroll where the window is too low for both.
  const QSize least = efficiency_bar_chart_least_size(*bars->chart());
  bars->setMinimumSize(least);
  overlay->setMinimumSize(least.width(), least.height() * kOverlayLeastShare / kBarLeastShare);
  chart_layout->addWidget(bars, kBarChartShare);
  chart_layout->addWidget(overlay, kOverlayShare);
  auto* charts_area = new QScrollArea(this);
  charts_area->setWidgetResizable(true);
  charts_area->setFrameShape(QFrame::NoFrame);
  charts_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  charts_area->setWidget(charts);
  charts_area->setMinimumWidth(least.width() +
                               charts_area->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  // The table as wide as its columns, the charts on the rest of the window.
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(table_widget_);
  splitter->addWidget(charts_area);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  int table_width =
      2 * table_widget_->frameWidth() + table_widget_->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < table_widget_->columnCount(); ++column) {
    table_width += table_widget_->columnWidth(column);
  }
  splitter->setSizes({table_width, width() - table_width});
  layout->addWidget(splitter, 1);

  auto* buttons = new QHBoxLayout;
  for (std::size_t i = 0; i < calculations.size(); ++i) {
    auto* chart_button =
        new QPushButton(QCoreApplication::translate("ComparisonWindow", "&%1 Diagram – %2")
                            .arg(i + 1)
                            .arg(compared_[i].identity),
                        this);
    chart_button->setObjectName(QStringLiteral("diagram_%1").arg(i + 1));
    const QString identity = calculations[i].identity;
    connect(chart_button, &QPushButton::clicked, this, [this, identity, i] {
      open_kept_charts(platform_, folder_, identity, program_folder_, years_.at(i), this,
                       costs_.at(i));
    });
    buttons->addWidget(chart_button);
  }
  buttons->addStretch(1);
  auto* export_menu = new QMenu(this);
  connect(add_action(*export_menu, "export_csv",
                     QCoreApplication::translate("ComparisonWindow", "Tabellen som CSV-fil…")),
          &QAction::triggered, this, &ComparisonWindow::export_csv);
  connect(add_action(*export_menu, "export_pdf",
                     QCoreApplication::translate("ComparisonWindow", "Jämförelsen som PDF…")),
          &QAction::triggered, this, &ComparisonWindow::export_pdf);
  add_export_and_close(*this, *buttons, export_menu);
  layout->addLayout(buttons);
}

void ComparisonWindow::fill_table() {
  const auto columns = static_cast<int>(kFirstValueColumn + table_.identities.size());
  table_widget_->setObjectName(QStringLiteral("comparison_table"));
  table_widget_->setColumnCount(columns);
  QStringList headers{QCoreApplication::translate("ComparisonWindow", "Storhet"),
                      QCoreApplication::translate("ComparisonWindow", "Enhet")};
  for (qsizetype i = 0; i < table_.identities.size(); ++i) {
    headers += column_heading(table_, i);
  }
  table_widget_->setHorizontalHeaderLabels(headers);
  table_widget_->verticalHeader()->hide();
  table_widget_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_widget_->setWordWrap(false);

  QFont bold = table_widget_->font();
  bold.setBold(true);
  QString section;
  for (const ComparisonRow& row : table_.rows) {
    if (row.section != section) {
      section = row.section;
      const int at = table_widget_->rowCount();
      table_widget_->insertRow(at);
      QTableWidgetItem* heading = table_item(section, Qt::AlignLeft);
      heading->setFont(bold);
      table_widget_->setItem(at, kLabelColumn, heading);
      table_widget_->setSpan(at, kLabelColumn, 1, columns);
    }
    const int at = table_widget_->rowCount();
    table_widget_->insertRow(at);
    table_widget_->setItem(at, kLabelColumn, table_item(row.label, Qt::AlignLeft));
    table_widget_->setItem(at, kUnitColumn, table_item(row.unit, Qt::AlignLeft));
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      const ComparisonCell& cell = row.cells[i];
      QTableWidgetItem* item = table_item(shown_text(cell), Qt::AlignRight);
      if (cell.differs) {
        item->setBackground(kDifferenceColor);
        item->setToolTip(QCoreApplication::translate("ComparisonWindow", "Skiljer sig från %1")
                             .arg(table_.identities.value(0)));
      }
      table_widget_->setItem(at, kFirstValueColumn + static_cast<int>(i), item);
    }
  }
  table_widget_->resizeColumnsToContents();
  table_widget_->resizeRowsToContents();
}

void ComparisonWindow::export_csv() {
  save_export_as(platform_, this,
                 QCoreApplication::translate("ComparisonWindow", "Spara tabellen som CSV-fil"),
                 QStringLiteral("jamforelse-%1.csv").arg(table_.identities.join(QLatin1Char('-'))),
                 QCoreApplication::translate("ComparisonWindow", "CSV-fil (*.csv)"),
                 [this] { return comparison_csv(table_, platform_.locale()); });
}

void ComparisonWindow::export_pdf() {
  save_export_as(
      platform_, this, QCoreApplication::translate("ComparisonWindow", "Spara jämförelsen som PDF"),
      QStringLiteral("jamforelse-%1.pdf").arg(table_.identities.join(QLatin1Char('-'))),
      QCoreApplication::translate("ComparisonWindow", "PDF-dokument (*.pdf)"), [this] {
        return comparison_pdf(table_, compared_, warnings_ + notes_, QDateTime::currentDateTime());
      });
}

void open_comparison(Platform& platform, const QString& folder, const QString& program_folder,
                     QWidget* parent, const std::optional<SessionCalculation>& session) {
  auto* list =
      new KeptListDialog(platform, KeptListDialog::Purpose::compare, folder, std::nullopt, parent);
  QObject::connect(list, &KeptListDialog::calculations_picked, parent,
                   [&platform, folder, program_folder, parent,
                    session](const std::vector<KeptCalculation>& calculations) {
                     auto* window = new ComparisonWindow(platform, folder, program_folder,
                                                         calculations, nullptr, session);
                     open_added_window(*window, parent, parent);
                   });
  platform.show_modal(*list);
}

}  // namespace varmkalk
