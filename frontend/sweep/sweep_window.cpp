// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/sweep/sweep_window.h"

#include "frontend/charts/export_dialog.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/logic/heatpump/heat_pump_units.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/year/wrapped_lines.h"
#include "frontend/platform/added_window.h"
#include "frontend/platform/platform.h"
#include "frontend/sweep/sweep_chart.h"
#include "frontend/sweep/sweep_export.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varmkalk {

namespace {

constexpr QSize kWindowSize{1100, 780};
const QColor kUnmetCellColor{255, 210, 210};
const QColor kPartLoadCellColor{225, 225, 225};
const QColor kRefusedTextColor{110, 110, 110};
constexpr int kChartStretch = 3;
constexpr int kTableStretch = 2;

// A column's heading in lines of a few words, so that the columns of numbers stay narrow.
constexpr qsizetype kHeadingLineLength = 16;

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// The case's own value and year, for the line above the chart.
QString current_text(const SweepBase& base, SweepInput input, const SweepResult& current,
                     const QLocale& locale) {
  const double position = current_position(input, base);
  QString value;
  if (is_category(input)) {
    const std::vector<SweepPoint> choices = sweep_points(input, base, {});
    value = choices.at(static_cast<std::size_t>(position)).category;
  } else {
    value = sweep_value_text(position, locale);
    if (!sweep_unit(input).isEmpty()) {
      value += QLatin1Char(' ') + sweep_unit(input);
    }
  }
  const QString prefix = QCoreApplication::translate("SweepWindow", "Formulärets fall: %1 %2")
                             .arg(sweep_input_name(input, base), value);
  if (current.status == core::CaseStatus::error) {
    return QCoreApplication::translate("SweepWindow", "%1. Det beräknas inte: %2")
        .arg(prefix, QString::fromStdString(current.message));
  }
  Sweep own;
  own.input = input;
  own.base = base.input;
  own.points = {SweepPoint{position, {}, base.input, {}}};
  own.results = {current};
  const QString efficiency = sweep_cell_text(own, 0, SweepColumn::efficiency, locale);
  if (efficiency.isEmpty()) {
    return prefix + QLatin1Char('.');
  }
  return QCoreApplication::translate("SweepWindow",
                                     "%1, årsverkningsgrad %2 % (exkl. cirkpump %3 %).")
      .arg(prefix, efficiency,
           sweep_cell_text(own, 0, SweepColumn::efficiency_without_pump, locale));
}

}  // namespace

SweepWindow::SweepWindow(Platform& platform, SweepBase base, const QString& program_folder,
                         QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      base_(std::move(base)),
      climates_(sweep_climates(base_, QDir::currentPath(), engine_climate_dir(program_folder))),
      current_(sweep_point_result(base_.input, *climates_)) {
  setObjectName(QStringLiteral("Kanslighetsanalys"));
  setWindowTitle(tr("VARMKALK - Känslighetsanalys"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  setAttribute(Qt::WA_DeleteOnClose);
  fit_to_screen(*this, kWindowSize, parent);
  if (base_.heat_pump) {
    auto loaded = load_heat_pump(base_.heat_pump->choice, heat_pump_folder(program_folder));
    if (auto* unit = std::get_if<LoadedHeatPump>(&loaded)) {
      heat_pump_ = unit->installation;
    } else {
      heat_pump_fault_ = std::get<QString>(loaded);
    }
  }
  build();
  choose(SweepInput::min_return_temp);
}

SweepWindow::~SweepWindow() = default;

void SweepWindow::resizeEvent(QResizeEvent* event) {
  // At least half the window, however small the screen made it: a chart of a few pixels shows
  // only its axes' ellipses.
  chart_view_->setMinimumHeight(height() / 2);
  QDialog::resizeEvent(event);
}

void SweepWindow::build() {
  auto* layout = new QVBoxLayout(this);

  auto* choice_row = new QHBoxLayout;
  input_list_ = named(new QComboBox(this), "sweep_input");
  auto* model = new QStandardItemModel(input_list_);
  for (const SweepInput input : kSweepInputs) {
    auto* item = new QStandardItem(sweep_heading(input, base_));
    item->setData(static_cast<int>(input), Qt::UserRole);
    const QString unavailable = sweep_unavailable(input, base_);
    if (!unavailable.isEmpty()) {
      item->setEnabled(false);
      item->setToolTip(unavailable);
      item->setText(item->text() + tr(" – bara för modulerande brännare"));
    }
    model->appendRow(item);
  }
  input_list_->setModel(model);
  auto* input_label = new QLabel(tr("&Indata som varieras:"), this);
  input_label->setBuddy(input_list_);
  choice_row->addWidget(input_label);
  choice_row->addWidget(input_list_, 1);

  from_ = named(new QLineEdit(this), "sweep_from");
  to_ = named(new QLineEdit(this), "sweep_to");
  points_ = named(new QSpinBox(this), "sweep_points");
  points_->setRange(kMinSweepPoints, kMaxSweepPoints);
  for (auto [label_text, field] :
       {std::pair{tr("&Från:"), static_cast<QWidget*>(from_)},
        std::pair{tr("&Till:"), static_cast<QWidget*>(to_)},
        std::pair{tr("Antal &punkter:"), static_cast<QWidget*>(points_)}}) {
    auto* label = new QLabel(label_text, this);
    label->setBuddy(field);
    choice_row->addWidget(label);
    choice_row->addWidget(field);
  }
  run_button_ = named(new QPushButton(tr("&Beräkna"), this), "sweep_run");
  run_button_->setDefault(true);
  choice_row->addWidget(run_button_);
  layout->addLayout(choice_row);

  note_ = named(new QLabel(this), "sweep_note");
  note_->setWordWrap(true);
  current_label_ = named(new QLabel(this), "sweep_current");
  current_label_->setWordWrap(true);
  layout->addWidget(note_);
  layout->addWidget(current_label_);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  chart_view_ = named(new QChartView(splitter), "sweep_chart");
  chart_view_->setRenderHint(QPainter::Antialiasing);
  table_ = named(new QTableWidget(splitter), "sweep_table");
  table_->setColumnCount(static_cast<int>(kSweepColumns.size()));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setStretchLastSection(true);
  splitter->addWidget(chart_view_);
  splitter->addWidget(table_);
  // The chart is what the window is for: it never folds away behind the table.
  splitter->setChildrenCollapsible(false);
  splitter->setStretchFactor(0, kChartStretch);
  splitter->setStretchFactor(1, kTableStretch);
  layout->addWidget(splitter, 1);

  auto* bottom = new QHBoxLayout;
  progress_ = named(new QProgressBar(this), "sweep_progress");
  cancel_button_ = named(new QPushButton(tr("&Avbryt"), this), "sweep_cancel");
  progress_->hide();
  cancel_button_->hide();
  status_ = named(new QLabel(this), "sweep_status");
  auto* export_menu = new QMenu(this);
  connect(add_action(*export_menu, "export_csv", tr("Tabellen som CSV-fil…")), &QAction::triggered,
          this, &SweepWindow::export_csv);
  connect(add_action(*export_menu, "export_png", tr("Diagrammet som PNG-bild…")),
          &QAction::triggered, this, &SweepWindow::export_png);
  connect(add_action(*export_menu, "export_pdf", tr("Diagrammet som PDF…")), &QAction::triggered,
          this, &SweepWindow::export_pdf);
  export_button_ = named(new QPushButton(tr("&Exportera…"), this), "export");
  export_button_->setMenu(export_menu);
  export_button_->setAutoDefault(false);
  auto* close_button = named(new QPushButton(tr("&Stäng"), this), "close");
  close_button->setAutoDefault(false);
  bottom->addWidget(progress_);
  bottom->addWidget(cancel_button_);
  bottom->addWidget(status_, 1);
  bottom->addWidget(export_button_);
  bottom->addWidget(close_button);
  layout->addLayout(bottom);

  connect(input_list_, &QComboBox::activated, this, [this] { input_chosen(); });
  connect(run_button_, &QPushButton::clicked, this, &SweepWindow::run_sweep);
  connect(cancel_button_, &QPushButton::clicked, this, &SweepWindow::cancel_sweep);
  connect(close_button, &QPushButton::clicked, this, &QDialog::close);
}

void SweepWindow::choose(SweepInput input) {
  // As the list, which offers no input the case cannot vary.
  if (!sweep_unavailable(input, base_).isEmpty()) {
    return;
  }
  input_list_->setCurrentIndex(input_list_->findData(static_cast<int>(input), Qt::UserRole));
  input_chosen();
}

SweepInput SweepWindow::chosen() const {
  return static_cast<SweepInput>(input_list_->currentData(Qt::UserRole).toInt());
}

void SweepWindow::input_chosen() {
  const SweepInput input = chosen();
  const bool category = is_category(input);
  for (QWidget* field :
       {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_), static_cast<QWidget*>(points_)}) {
    field->setEnabled(!category);
  }
  if (category) {
    from_->clear();
    to_->clear();
  } else {
    const SweepRange range = default_range(input, base_);
    from_->setText(sweep_value_text(range.from, platform_.locale()));
    to_->setText(sweep_value_text(range.to, platform_.locale()));
    points_->setValue(range.points);
  }
  note_->setText(sweep_note(input, base_));
  note_->setVisible(!note_->text().isEmpty());
  current_label_->setText(current_text(base_, input, current_, platform_.locale()));
  run_sweep();
}

std::optional<SweepRange> SweepWindow::typed_range() {
  SweepRange range;
  range.points = points_->value();
  for (auto [field, label, value] :
       {std::tuple{from_, tr("Från"), &range.from}, std::tuple{to_, tr("Till"), &range.to}}) {
    const std::optional<double> number = read_form_number(field->text(), platform_.locale());
    if (!number) {
      refuse(field->text().trimmed().isEmpty()
                 ? QStringLiteral("Fältet \"%1\" är tomt. Skriv ett tal.").arg(label)
                 : QCoreApplication::translate(
                       "SweepWindow",
                       "Fältet \"%1\" innehåller \"%2\", som inte är ett tal. Skriv "
                       "talet med %3, till exempel %4.")
                       .arg(label, field->text().trimmed(),
                            decimal_separator_name(platform_.locale()),
                            platform_.locale().toString(12.5)));
      field->setFocus();
      return std::nullopt;
    }
    *value = *number;
  }
  if (const QString fault = range_fault(chosen(), base_, range); !fault.isEmpty()) {
    refuse(fault);
    return std::nullopt;
  }
  return range;
}

void SweepWindow::run_sweep() {
  const SweepInput input = chosen();
  SweepRange range;
  if (!is_category(input)) {
    const std::optional<SweepRange> typed = typed_range();
    if (!typed) {
      return;
    }
    range = *typed;
  }
  // A sweep still running is given up for the new one.
  job_.reset();

  pending_ = Sweep{};
  pending_.input = input;
  pending_.heading = sweep_heading(input, base_);
  pending_.points = sweep_points(input, base_, range);
  pending_.base = base_.input;
  pending_.current_position = current_position(input, base_);
  pending_.current = current_;

  std::vector<core::BoilerCase> cases;
  cases.reserve(pending_.points.size());
  for (const SweepPoint& point : pending_.points) {
    cases.push_back(point.input);
  }
  // What is on show belongs to the sweep before; it is greyed until the new one is complete.
  chart_view_->setEnabled(false);
  table_->setEnabled(false);
  export_button_->setEnabled(false);
  status_->setText(tr("Beräknar %1 punkter …").arg(cases.size()));

  job_ = std::make_unique<SweepJob>(std::move(cases), climates_);
  connect(job_.get(), &SweepJob::taking_long, this, [this] {
    progress_->setRange(0, job_->point_count());
    progress_->show();
    cancel_button_->show();
  });
  connect(job_.get(), &SweepJob::progressed, progress_, &QProgressBar::setValue);
  connect(job_.get(), &SweepJob::finished, this, &SweepWindow::sweep_done);
  connect(job_.get(), &SweepJob::cancelled, this, &SweepWindow::sweep_cancelled_by_user);
  since_start_.start();
  job_->start();
}

void SweepWindow::cancel_sweep() {
  if (job_) {
    job_->cancel();
  }
}

bool SweepWindow::is_sweeping() const {
  return job_ && job_->is_running();
}

QChart* SweepWindow::chart() const {
  return chart_view_->chart();
}

void SweepWindow::sweep_done() {
  pending_.results = job_->results();
  pending_.prices = base_.prices;
  add_sweep_costs(pending_, *climates_);
  pending_.heat_pump = heat_pump_;
  if (base_.heat_pump) {
    pending_.economy = base_.heat_pump->economy;
  }
  add_sweep_heat_pump(pending_, *climates_);
  const qint64 elapsed = since_start_.elapsed();
  progress_->hide();
  cancel_button_->hide();
  show_sweep(std::make_shared<const Sweep>(std::move(pending_)));
  QString status = tr("%1 punkter beräknade på %2 ms.").arg(shown_->points.size()).arg(elapsed);
  if (!heat_pump_fault_.isEmpty()) {
    status += QLatin1Char(' ') + tr("Värmepumpen visas inte: %1").arg(heat_pump_fault_);
  } else if (const std::optional<CostCrossing> crossing = cost_crossing(*shown_)) {
    status += QLatin1Char(' ') + tr("Gaspannans och värmepumpens kostnader möts vid %1 %2.")
                                     .arg(platform_.locale().toString(crossing->position, 'f', 1),
                                          sweep_unit(shown_->input));
  }
  status_->setText(status);
  emit sweep_finished();
}

void SweepWindow::sweep_cancelled_by_user() {
  progress_->hide();
  cancel_button_->hide();
  // Nothing of a sweep left half done is shown, nor anything of the one before.
  show_sweep(nullptr);
  status_->setText(
      tr("Beräkningen avbröts. Inga värden visas; tryck på Beräkna för att börja om."));
  emit sweep_cancelled();
}

void SweepWindow::show_sweep(std::shared_ptr<const Sweep> sweep) {
  shown_ = std::move(sweep);
  table_->setRowCount(0);
  if (shown_) {
    set_chart(build_sweep_chart(shown_));
    fill_table(*shown_);
  } else {
    auto empty = std::make_unique<QChart>();
    empty->setTitle(tr("Ingen beräkning visas"));
    set_chart(std::move(empty));
  }
  chart_view_->setEnabled(true);
  table_->setEnabled(true);
  export_button_->setEnabled(shown_ != nullptr);
}

void SweepWindow::fill_table(const Sweep& sweep) {
  const QLocale locale = platform_.locale();
  const std::vector<SweepColumn> columns = sweep_columns(sweep);
  table_->setColumnCount(static_cast<int>(columns.size()));
  QStringList headings;
  for (const SweepColumn column : columns) {
    headings << wrapped_lines(sweep_column_heading(sweep, column), kHeadingLineLength)
                    .join(QLatin1Char('\n'));
  }
  table_->setHorizontalHeaderLabels(headings);
  table_->setRowCount(static_cast<int>(sweep.points.size()));
  // The form's own case is shown in the middle of the table.
  QTableWidgetItem* current_row = nullptr;
  for (std::size_t row = 0; row < sweep.points.size(); ++row) {
    const bool current = is_current_point(sweep, row);
    const bool refused = sweep.results[row].status == core::CaseStatus::error;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const SweepColumn column = columns[c];
      auto* item = new QTableWidgetItem(sweep_cell_text(sweep, row, column, locale));
      if (column != SweepColumn::remark && column != SweepColumn::value) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      if (column == SweepColumn::remark) {
        item->setToolTip(item->text());
      }
      if (current) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
      if (refused) {
        item->setForeground(kRefusedTextColor);
      }
      const core::AnnualTotals& totals = sweep.results[row].totals;
      if (column == SweepColumn::unmet_days && totals.unmet_days > 0 && !refused) {
        item->setBackground(totals.unmet_days > totals.part_load_days ? kUnmetCellColor
                                                                      : kPartLoadCellColor);
      }
      table_->setItem(static_cast<int>(row), static_cast<int>(c), item);
      if (current && c == 0) {
        current_row = item;
      }
    }
  }
  table_->resizeColumnsToContents();
  if (current_row != nullptr) {
    table_->scrollToItem(current_row, QAbstractItemView::PositionAtCenter);
  }
}

void SweepWindow::set_chart(std::unique_ptr<QChart> chart) {
  QChart* old = chart_view_->chart();
  chart_view_->setChart(chart.release());
  delete old;
}

void SweepWindow::save(const QString& title, const QString& suggested_name, const QString& filter,
                       const std::function<QByteArray()>& bytes) {
  if (shown_) {
    save_export_as(platform_, this, title, suggested_name, filter, bytes);
  }
}

void SweepWindow::export_csv() {
  save(tr("Spara tabellen som CSV-fil"), QStringLiteral("kanslighetsanalys.csv"),
       tr("CSV-fil (*.csv)"), [this] { return sweep_csv(*shown_, platform_.locale()); });
}

void SweepWindow::export_png() {
  save(tr("Spara diagrammet som PNG-bild"), QStringLiteral("kanslighetsanalys.png"),
       tr("PNG-bild (*.png)"), [this] { return sweep_chart_png(shown_); });
}

void SweepWindow::export_pdf() {
  save(tr("Spara diagrammet som PDF"), QStringLiteral("kanslighetsanalys.pdf"),
       tr("PDF-dokument (*.pdf)"), [this] { return sweep_chart_pdf(shown_); });
}

void SweepWindow::refuse(const QString& message) {
  platform_.beep();
  platform_.message_box(this, tr("Felaktigt värde"), message, MessageIcon::Exclamation);
}

}  // namespace varmkalk
