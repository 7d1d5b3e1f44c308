// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/main_menu.h"

#include "frontend/app/calculation_run.h"
#include "frontend/app/fonts.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/identity_form.h"
#include "frontend/app/save_question_form.h"
#include "frontend/app/shapes.h"
#include "frontend/charts/chart_window.h"
#include "frontend/compare/comparison_window.h"
#include "frontend/controls/control_names.h"
#include "frontend/help/help_dialogs.h"
#include "frontend/help/info_picture.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/form/refused_fields.h"
#include "frontend/logic/heatpump/heat_pump_days.h"
#include "frontend/logic/heatpump/heat_pump_units.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/year/wrapped_lines.h"
#include "frontend/platform/fixed_layout_window.h"
#include "frontend/platform/platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QtMath>

#include <algorithm>
#include <variant>

namespace varmkalk {

namespace {

const QColor kMenuBlue{0, 0, 255};
const QColor kBannerBlue{128, 128, 255};

QString credits_text() {
  return QCoreApplication::translate("MainMenu",
                                     "VARMKALK-projektet\n"
                                     "Värme- och energiteknik\n"
                                     "se README i källkoden\n"
                                     "december 2026");
}

constexpr double kTitlePointSize = 27.75;
constexpr int kTitleWeight = 600;
constexpr double kVersionPointSize = 9.75;
constexpr int kVersionWeight = 300;
constexpr double kResultPointSize = 9.75;
constexpr int kMenuWidthTwips = 11130;
constexpr int kMenuHeightTwips = 7335;
constexpr int kMenuLeftTwips = 1545;
constexpr int kMenuTopTwips = 2325;

QPlainTextEdit* add_text_box(QWidget* parent, const char* name, const QRect& geometry) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setGeometry(geometry);
  return box;
}

}  // namespace

MainMenu::MainMenu(Platform& platform, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      identity_form_opener_([this](InputForm& input_form) { open_identity_form(input_form); }),
      run_(new CalculationRun(platform, *this)) {
  setObjectName(QStringLiteral("Huvudmeny"));
  // The working folder in the title: the user always sees where the result files go.
  setWindowTitle(QCoreApplication::translate(
                     "MainMenu", "VARMKALK - Beräkning av värmepannors årsverkningsgrad – %1")
                     .arg(QDir::toNativeSeparators(QDir::currentPath())));
  setWindowIcon(QIcon(info_picture()));
  setFont(sans_font(kDefaultPointSize));
  set_background(this, kMenuBlue);

  auto* banner = new ShapeWidget(kBannerBlue, this);
  banner->setObjectName(QLatin1String(control::menu::kBanner));
  banner->setGeometry(twips_rect(360, 300, 10335, 1035));

  QLabel* title = add_label(this, control::menu::kTitle, QStringLiteral("VARMKALK"),
                            twips_rect(960, 540, 4575, 675));
  title->setFont(copperplate_font(kTitlePointSize, kTitleWeight));
  set_background(title, kBannerBlue);

  QLabel* version =
      add_label(this, "vernumber", QStringLiteral("ver. 1.1"), twips_rect(3240, 1080, 1215, 195));
  version->setFont(copperplate_font(kVersionPointSize, kVersionWeight));
  set_background(version, kBannerBlue);

  QPlainTextEdit* credits = add_text_box(this, "namninfo", twips_rect(8040, 420, 2535, 855));
  credits->setPlainText(credits_text());
  credits->setReadOnly(true);
  credits->setFrameShape(QFrame::NoFrame);
  credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  credits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette credits_palette = credits->palette();
  credits_palette.setColor(QPalette::Base, kBannerBlue);
  credits->setPalette(credits_palette);

  new_calculation_button_ = add_button(this, control::menu::kNewCalculation, tr("&Ny beräkning"),
                                       twips_rect(360, 2100, 1695, 735));
  run_button_ = add_button(this, control::menu::kRun, tr("&Beräkna och visa resultat"),
                           twips_rect(360, 3000, 1695, 735));
  exit_button_ = add_button(this, control::menu::kExit, tr("&Avsluta programmet"),
                            twips_rect(360, 3900, 1695, 735));
  further_button_ = add_button(this, control::menu::kFurtherCalculation,
                               tr("&Ytterligare beräkning"), twips_rect(360, 4800, 1695, 735));
  info_button_ = add_button(this, control::menu::kProgramInfo, tr("&Programinfo"),
                            twips_rect(360, 5700, 1695, 735));
  // In the place of "Ny beräkning", which is gone once a summary can be shown.
  chart_button_ =
      add_button(this, control::menu::kCharts, tr("&Diagram"), twips_rect(360, 2100, 1695, 735));
  // Also in the place of "Ny beräkning": a run without a summary shows no "Diagram".
  correct_button_ =
      add_button(this, "rattaindata", tr("&Rätta indata"), twips_rect(360, 2100, 1695, 735));
  // Outside the calculation cycle: it only reads kept files.
  QPushButton* compare_button =
      add_button(this, "jamfor", QCoreApplication::translate("MainMenu", "&Jämför beräkningar…"),
                 twips_rect(360, 6540, 1695, 600));

  result_heading_ = add_label(this, control::menu::kResultHeading,
                              QCoreApplication::translate("MainMenu", "BERÄKNINGSRESULTAT"),
                              twips_rect(5280, 1860, 2295, 195));
  result_heading_->setFont(sans_font(kDefaultPointSize, true));
  set_background(result_heading_, kMenuBlue);
  // Black on pure blue can hardly be read.
  QPalette heading_palette = result_heading_->palette();
  heading_palette.setColor(QPalette::WindowText, kWhite);
  result_heading_->setPalette(heading_palette);

  result_box_ = add_text_box(this, control::menu::kResultText, twips_rect(2280, 2100, 8475, 4335));
  result_box_->setFont(fixed_font(kResultPointSize));
  // The summary is the engine's, to be read and copied, not changed.
  result_box_->setReadOnly(true);
  result_box_->setLineWrapMode(QPlainTextEdit::NoWrap);
  result_box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  result_box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  run_button_->hide();
  further_button_->hide();
  chart_button_->hide();
  correct_button_->hide();
  result_heading_->hide();
  result_box_->hide();

  setTabOrder(new_calculation_button_, result_box_);
  setTabOrder(result_box_, run_button_);
  setTabOrder(run_button_, exit_button_);
  setTabOrder(exit_button_, info_button_);
  setTabOrder(info_button_, credits);
  setTabOrder(credits, further_button_);
  setTabOrder(further_button_, chart_button_);
  setTabOrder(chart_button_, correct_button_);
  // On a screen lower than the menu, its controls scroll; its place keeps it on the screen.
  scroll_fixed_layout(*this, twips_size(kMenuWidthTwips, kMenuHeightTwips));
  place_on_screen(*this, QPoint(twips(kMenuLeftTwips), twips(kMenuTopTwips)));

  connect(new_calculation_button_, &QPushButton::clicked, this, [this] { new_calculation(); });
  connect(run_button_, &QPushButton::clicked, run_, &CalculationRun::run);
  connect(run_, &CalculationRun::busy_changed, this, &MainMenu::set_engine_running);
  connect(run_, &CalculationRun::further_calculation_offered, this,
          &MainMenu::show_further_calculation);
  connect(run_, &CalculationRun::result_cleared, this, &MainMenu::clear_result_text);
  connect(run_, &CalculationRun::engine_ran, this, [this] { undecided_id_ = calc_id(); });
  connect(run_, &CalculationRun::summary_ready, this, &MainMenu::show_summary);
  connect(run_, &CalculationRun::summary_ready, correct_button_, &QWidget::hide);
  connect(run_, &CalculationRun::run_failed, this, &MainMenu::after_failed_run);
  connect(run_, &CalculationRun::input_needed, this, [this] { next_cycle(std::nullopt); });
  connect(exit_button_, &QPushButton::clicked, this, &MainMenu::exit_program);
  connect(further_button_, &QPushButton::clicked, this, [this] { next_cycle(std::nullopt); });
  connect(correct_button_, &QPushButton::clicked, this, [this] {
    if (confirmed_) {
      next_cycle(confirmed_->input);
    }
  });
  connect(info_button_, &QPushButton::clicked, this, &MainMenu::show_program_info);
  connect(run_, &CalculationRun::summary_ready, chart_button_, &QWidget::show);
  connect(run_, &CalculationRun::result_cleared, chart_button_, &QWidget::hide);
  connect(chart_button_, &QPushButton::clicked, this, &MainMenu::show_charts);
  connect(compare_button, &QPushButton::clicked, this, [this] {
    open_comparison(platform_, QDir::currentPath(), run_->engine().program_folder(), this,
                    confirmed_);
  });
  set_next_step(new_calculation_button_);
}

void MainMenu::show_again() {
  show();
  // The window the user works in again: its next step takes the keyboard.
  activateWindow();
}

void MainMenu::switch_to_input_ready() {
  result_heading_->show();
  result_box_->show();
  run_button_->show();
  new_calculation_button_->hide();
  set_next_step(run_button_);
}

void MainMenu::show_further_calculation() {
  further_button_->show();
  set_next_step(further_button_);
}

void MainMenu::set_engine_running(bool running) {
  for (QPushButton* button : {run_button_, exit_button_, further_button_, correct_button_}) {
    button->setEnabled(!running);
  }
}

EngineRun& MainMenu::engine_run() {
  return run_->engine();
}

QString MainMenu::result_text() const {
  QString text = result_box_->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void MainMenu::set_result_text(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result_box_->setPlainText(plain);
}

void MainMenu::append_result_line(const QString& line) {
  QTextCursor cursor(result_box_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(line + QLatin1Char('\n'));
}

void MainMenu::clear_result_text() {
  result_box_->clear();
}

void MainMenu::show_summary(const QStringList& notices, const QStringList& lines,
                            std::shared_ptr<const CalculationYear> year) {
  clear_result_text();
  // The box does not wrap, so that the summary's table keeps its columns; the notices are broken
  // to its width here, so that they are read without scrolling.
  const int text_width =
      result_box_->contentsRect().width() -
      result_box_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, result_box_) -
      2 * qCeil(result_box_->document()->documentMargin());
  const int columns = std::max(
      1, text_width / QFontMetrics(result_box_->font()).horizontalAdvance(QLatin1Char('0')));
  for (const QString& notice : notices) {
    for (const QString& line : wrapped_lines(notice, columns)) {
      append_result_line(line);
    }
    append_result_line(QString());
  }
  const core::CostInputs prices = confirmed_ ? confirmed_->prices : core::default_cost_inputs();
  const std::variant<core::YearCost, QString> cost = calculation_cost(*year, prices);
  shown_cost_.reset();
  if (const auto* billed = std::get_if<core::YearCost>(&cost)) {
    shown_cost_ = *billed;
    for (const QString& line :
         cost_lines(*shown_cost_, platform_.locale(), prices.fuel_hhv_ratio)) {
      append_result_line(line);
    }
  } else {
    // The engine's summary stands; only the year on the bill's terms is missing, and why.
    const QString why =
        tr("Året på gasräkningens villkor kan inte visas: %1").arg(std::get<QString>(cost));
    for (const QString& line : wrapped_lines(why, columns)) {
      append_result_line(line);
    }
    append_result_line(QString());
  }
  show_heat_pump(*year, prices, columns);
  for (const QString& line : lines) {
    append_result_line(line);
  }
  summary_lines_ = lines;
  shown_year_ = std::move(year);
  result_box_->moveCursor(QTextCursor::Start);
}

void MainMenu::show_heat_pump(const CalculationYear& year, const core::CostInputs& prices,
                              int columns) {
  shown_sides_.reset();
  if (!confirmed_ || !confirmed_->heat_pump) {
    return;
  }
  const HeatPumpPlan& plan = *confirmed_->heat_pump;
  const auto sides = calculation_side_by_side(
      year, prices, plan, heat_pump_folder(QCoreApplication::applicationDirPath()));
  if (const auto* why = std::get_if<QString>(&sides)) {
    for (const QString& line :
         wrapped_lines(tr("Värmepumpen kan inte visas bredvid gaspannan: %1").arg(*why), columns)) {
      append_result_line(line);
    }
    append_result_line(QString());
    return;
  }
  shown_sides_ = ShownHeatPump{std::get<core::SideBySide>(sides),
                               heat_pump_name(plan.choice, platform_.locale()), plan};
  for (const QString& line :
       side_by_side_lines(shown_sides_->sides, shown_sides_->name, platform_.locale())) {
    append_result_line(line);
  }
}

QStringList MainMenu::undecided_files() const {
  QStringList files;
  if (undecided_id_.isEmpty()) {
    return files;
  }
  for (const QString& name : identity_file_names(undecided_id_)) {
    if (platform_.file_exists(name)) {
      files += name;
    }
  }
  return files;
}

void MainMenu::open_input_form(const std::optional<FormInput>& input) {
  hide();
  auto* input_form = new InputForm(platform_, identity_form_opener_, this);
  input_form->set_previous_calculation(confirmed_);
  if (input) {
    input_form->set_form_input(*input);
    // The only case offered back is the one confirmed last, refused by the engine.
    if (confirmed_) {
      input_form->show_started_from(confirmed_->identity);
      input_form->keep_identity(confirmed_->identity);
      if (const std::optional<CaseRefusal> refusal = case_refusal(*input, confirmed_->locale)) {
        input_form->show_correction(refusal->fields,
                                    correction_text(confirmed_->identity, *refusal));
      }
    }
  }
  connect(input_form, &InputForm::returned_to_start, this, &MainMenu::show_again);
  // Modal to the main menu only: the charts, comparisons and sweeps already open stay usable
  // beside the form while the next variant is typed.
  input_form->setWindowModality(Qt::WindowModal);
  platform_.show_modal(*input_form);
}

void MainMenu::set_identity_form_opener(IdentityFormOpener opener) {
  identity_form_opener_ = std::move(opener);
}

void MainMenu::end_program() {
  close();
}

void MainMenu::closeEvent(QCloseEvent* event) {
  // Ended without an answer to the keep question (or past it): nothing is deleted, and what
  // stays is whole, its inputs file beside its result files.
  if (!undecided_files().isEmpty()) {
    const QString calc_id = undecided_id_;
    undecided_id_.clear();
    keep_inputs(calc_id);
  }
  event->accept();
  emit program_ended();
}

void MainMenu::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QWidget::keyPressEvent(event);
    return;
  }
  auto* focused = qobject_cast<QPushButton*>(focusWidget());
  QPushButton* button = focused != nullptr ? focused : next_step_;
  if (button != nullptr && button->isVisible() && button->isEnabled()) {
    button->animateClick();
  }
  event->accept();
}

void MainMenu::new_calculation(const std::optional<FormInput>& input) {
  // The engine creates its result files as new files and stops when one exists; the summary
  // of an earlier run must not be taken for the next one.
  const QList<DeletionFailure> failures =
      delete_cycle_files({result_file_name(), control_file_name()});
  if (!failures.isEmpty()) {
    tell_files_left(failures, true);
    return;
  }
  open_input_form(input);
}

void MainMenu::open_identity_form(InputForm& input_form) {
  auto* identity_form = new IdentityForm(platform_, input_form);
  // The identity form is a child of the input form: it cannot outlive it.
  connect(identity_form, &IdentityForm::confirmed, this,
          [this, identity_form, &input_form](const QString& calc_id) {
            confirmed_ = SessionCalculation{calc_id, input_form.form_input(), platform_.locale(),
                                            input_form.prices(), input_form.heat_pump()};
            run_->forget_summary();
            correct_button_->hide();
            identity_form->close();
            input_form.unload();
            show_again();
            switch_to_input_ready();
          });
  platform_.show_modal(*identity_form);
}

void MainMenu::next_cycle(const std::optional<FormInput>& input) {
  clear_result_text();
  const bool charts_shown = !chart_button_->isHidden();
  chart_button_->hide();
  const QStringList undecided = undecided_files();
  if (undecided.isEmpty()) {
    // Every calculation's files are settled: only the working files go, as for "Ny beräkning".
    undecided_id_.clear();
    new_calculation(input);
    return;
  }
  auto* question = new SaveQuestionForm(SaveQuestion::BeforeFurtherCalculation, undecided, this);
  connect(question, &SaveQuestionForm::answered, this, [this, question, input](KeepFiles answer) {
    const QList<DeletionFailure> failures = settle_files(answer);
    question->accept();
    if (!failures.isEmpty() && !tell_files_left(failures, true)) {
      return;
    }
    open_input_form(input);
  });
  // Closed without an answer: the calculation's files stay in the folder, and so do its charts.
  connect(question, &QDialog::rejected, chart_button_,
          [this, charts_shown] { chart_button_->setVisible(charts_shown); });
  platform_.show_modal(*question);
}

void MainMenu::after_failed_run() {
  // Files the engine made before it refused the case's first day hold nothing to keep: they go,
  // and with them the question about them.
  const QList<DeletionFailure> failures =
      delete_files(QDir::currentPath(), empty_identity_files(QDir::currentPath(), undecided_id_));
  if (!failures.isEmpty()) {
    tell_files_left(failures, false);
  }
  if (confirmed_) {
    correct_button_->show();
  }
}

void MainMenu::set_next_step(QPushButton* button) {
  for (QPushButton* other : {new_calculation_button_, run_button_, exit_button_, further_button_,
                             info_button_, chart_button_, correct_button_}) {
    other->setDefault(other == button);
  }
  next_step_ = button;
  button->setFocus();
}

QList<DeletionFailure> MainMenu::settle_files(KeepFiles answer) {
  const QString calc_id = undecided_id_;
  undecided_id_.clear();
  if (answer == KeepFiles::Yes) {
    keep_inputs(calc_id);
  }
  return delete_cycle_files(files_to_delete(answer, calc_id));
}

QList<DeletionFailure> MainMenu::delete_cycle_files(const QStringList& names) {
  run_->forget_summary();
  return delete_files(QDir::currentPath(), names);
}

bool MainMenu::tell_files_left(const QList<DeletionFailure>& failures, bool before_new_cycle) {
  const bool working_file_left =
      std::any_of(failures.begin(), failures.end(), [](const DeletionFailure& failure) {
        return failure.name == control_file_name() || failure.name == result_file_name();
      });
  QString text = deletion_failure_message(QDir::currentPath(), failures);
  if (working_file_left && before_new_cycle) {
    text +=
        tr("\n\nEn ny beräkning kan inte börja förrän styrfil.dat och resultat.dat är borttagna, "
           "eftersom beräkningsprogrammet aldrig skriver över en befintlig fil. Ta bort filerna "
           "eller gör mappen skrivbar och försök igen.");
  }
  platform_.beep();
  platform_.message_box(this, QCoreApplication::translate("MainMenu", "Filer kunde inte tas bort"),
                        text, MessageIcon::Exclamation);
  return !working_file_left;
}

void MainMenu::show_program_info() {
  if (QDialog* info = create_proginfo(this)) {
    platform_.show_modal(*info);
  }
}

void MainMenu::show_charts() {
  if (shown_year_) {
    const std::optional<HeatPumpChart> heat_pump =
        shown_sides_ ? heat_pump_chart(*shown_year_, *shown_sides_,
                                       heat_pump_folder(QCoreApplication::applicationDirPath()))
                     : std::nullopt;
    open_calculation_charts(platform_, *shown_year_, summary_lines_, this, shown_cost_, heat_pump);
  }
}

void MainMenu::exit_program() {
  // Asked only for a calculation whose files await the answer: a resultat.dat left behind by a
  // calculation already settled, or by an earlier run of the program, names no files of its own.
  const QStringList undecided = undecided_files();
  if (!undecided.isEmpty()) {
    exit_with_unsettled_results(undecided);
    return;
  }
  end_program();
}

void MainMenu::keep_inputs(const QString& calc_id) {
  if (!confirmed_ || confirmed_->identity != calc_id) {
    return;
  }
  if (const std::optional<FileError> error =
          keep_inputs_file(QDir::currentPath(), *confirmed_, QDateTime::currentDateTime())) {
    platform_.beep();
    platform_.message_box(this, QCoreApplication::translate("MainMenu", "Indata kunde inte sparas"),
                          error->message, MessageIcon::Exclamation);
  }
}

void MainMenu::exit_with_unsettled_results(const QStringList& files) {
  auto* question = new SaveQuestionForm(SaveQuestion::AtExit, files, this);
  connect(question, &SaveQuestionForm::answered, this, [this, question](KeepFiles answer) {
    const QList<DeletionFailure> failures = settle_files(answer);
    // Told before the question closes, which ends the program.
    if (!failures.isEmpty()) {
      tell_files_left(failures, false);
    }
    question->accept();
  });
  // Answered or closed through its frame, the question ends the program.
  connect(question, &QDialog::finished, this, &MainMenu::end_program);
  platform_.show_modal(*question);
}

}  // namespace varmkalk
