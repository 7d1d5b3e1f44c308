// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/help_dialogs.h"

#include "frontend/controls/control_names.h"
#include "frontend/help/help_charts.h"
#include "frontend/help/help_texts.h"
#include "frontend/help/info_picture.h"
#include "frontend/help/twips.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <array>
#include <optional>

namespace varmkalk {

namespace {

// Left, top, width, height in twips.
struct TwipsBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  QRect pixels() const { return twips_rect(left, top, width, height); }
};

enum class HelpChart { none, convection, standby };

struct DialogLayout {
  const char* form_name;
  const char* caption;
  int width;  // client size in twips
  int height;
  TwipsBox text_box;
  bool vertical_scroll_bar;
  std::optional<TwipsBox> picture;  // the information picture
  const char* close_name;
  TwipsBox close_button;
  HelpChart chart = HelpChart::none;
  TwipsBox chart_box = {};
};

// The help of a dialog the input form adds: a text that scrolls, the picture and "Stäng" below.
constexpr DialogLayout added_dialog_help(const char* form_name, const char* caption) {
  return {form_name,
          caption,
          7200,
          6840,
          {240, 240, 6720, 5640},
          true,
          TwipsBox{240, 6120, 480, 495},
          control::help::kClose,
          {5505, 6120, 1455, 495}};
}

// The information picture and "Stäng" share a row under the text; in the chart dialogs the row
// lines up with the bottom of the chart.
constexpr std::array<DialogLayout, 11> kHelpLayouts{{
    {"inmatningsord",
     "Några ord om indata",
     4290,
     5310,
     {480, 120, 3255, 4095},
     true,
     std::nullopt,
     control::help::kClose,
     {1380, 4515, 1455, 495}},
    {"HelpBurn",
     "HJÄLP- Brännare",
     5340,
     4350,
     {360, 480, 4695, 2895},
     false,
     TwipsBox{360, 3615, 480, 495},
     control::help::kClose,
     {3600, 3615, 1455, 495}},
    {control::help::kHotWaterDialog,
     "HJÄLP - vv-beredare",
     3945,
     4110,
     {240, 360, 3435, 2775},
     true,
     TwipsBox{240, 3375, 480, 495},
     control::help::kClose,
     {2220, 3375, 1455, 495}},
    {"Helpkonv",
     "HJÄLP - konvektionsförluster",
     10110,
     7125,
     {240, 120, 3015, 4335},
     false,
     TwipsBox{240, 6480, 480, 495},
     control::help::kClose,
     {1800, 6480, 1455, 495},
     HelpChart::convection,
     {3480, 120, 6375, 6855}},
    {"stillestand",
     "VARMKALK - Stilleståndsförluster",
     10800,
     5535,
     {120, 180, 3075, 3675},
     false,
     TwipsBox{120, 4740, 480, 495},
     "stilleslut",
     {1740, 4740, 1455, 495},
     HelpChart::standby,
     {3360, 180, 7275, 5055}},
    {control::help::kFlueGasDialog,
     "HJÄLP - Avgastemperatur",
     3825,
     4395,
     {360, 480, 3015, 2895},
     true,
     TwipsBox{360, 3615, 480, 495},
     control::help::kClose,
     {1920, 3615, 1455, 495}},
    {"HelpHeat",
     "HJÄLP - Värmesystem",
     3840,
     4410,
     {360, 480, 3135, 2895},
     true,
     TwipsBox{360, 3615, 480, 495},
     control::help::kClose,
     {2040, 3615, 1455, 495}},
    added_dialog_help("Kostnadshjalp", "HJÄLP - Kostnad och klimat"),
    added_dialog_help("Matarhjalp", "HJÄLP - Anpassa till mätaren"),
    added_dialog_help("Varmepumphjalp", QT_TRANSLATE_NOOP("HelpDialogs", "HJÄLP - Värmepump")),
    {control::help::kOwnTempsDialog,
     QT_TRANSLATE_NOOP("HelpDialogs", "HJÄLP - Egna temperaturer"),
     5400,
     5400,
     {240, 240, 4920, 4380},
     true,
     TwipsBox{240, 4740, 480, 495},
     control::help::kClose,
     {3705, 4740, 1455, 495}},
}};

constexpr DialogLayout kProginfoLayout{"proginfo",
                                       "VARMKALK- Information om programmet",
                                       4455,
                                       5025,
                                       {180, 180, 4095, 3900},
                                       true,
                                       TwipsBox{240, 4260, 795, 495},
                                       "infoslut",
                                       {2820, 4260, 1455, 495}};

// The licence and the data credits, where a user looks for them: behind a button of its own on
// the program information, whose own text stays as it is.
constexpr DialogLayout kAboutLayout{"omvarmkalk",
                                    "Om VARMKALK",
                                    5400,
                                    5025,
                                    {180, 180, 5040, 3900},
                                    true,
                                    TwipsBox{240, 4260, 795, 495},
                                    "omslut",
                                    {3765, 4260, 1455, 495}};
constexpr TwipsBox kAboutButton{1200, 4260, 1455, 495};

const QColor dialog_grey(128, 128, 128);
constexpr int kTextPixelSize = 11;  // about 8 points at 96 dpi
constexpr int kInfoPicturePixels = 32;

// The forms were laid out for a narrow 8-point sans serif; a condensed face keeps the lines
// and formulas of the texts within their boxes where that font is missing.
QFont help_text_font(const QFont& base) {
  QFont font = base;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("DejaVu Sans Condensed"),
                    QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial")});
  font.setPixelSize(kTextPixelSize);
  return font;
}

void add_text_box(QDialog* dialog, const DialogLayout& layout, const QString& text) {
  auto* text_box = new QPlainTextEdit(dialog);
  text_box->setObjectName(QLatin1String(control::help::kText));
  text_box->setGeometry(layout.text_box.pixels());
  text_box->setFont(help_text_font(text_box->font()));
  // An opening tab indents a paragraph by four blanks.
  text_box->setTabStopDistance(4.0 * text_box->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
  QPalette palette = text_box->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  text_box->setPalette(palette);
  text_box->setVerticalScrollBarPolicy(layout.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn
                                                                  : Qt::ScrollBarAlwaysOff);
  text_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The lines are broken to fit; wrapping only guards against a wider system font.
  text_box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text_box->setReadOnly(true);
  text_box->setPlainText(text);
  text_box->moveCursor(QTextCursor::Start);
  text_box->verticalScrollBar()->setValue(0);
}

void add_info_picture(QDialog* dialog, const TwipsBox& box) {
  auto* picture = new QLabel(dialog);
  picture->setObjectName(QLatin1String(control::help::kPicture));
  picture->setGeometry(box.pixels());
  picture->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  picture->setPixmap(info_picture(kInfoPicturePixels));
}

void add_chart(QDialog* dialog, const DialogLayout& layout) {
  QWidget* chart = nullptr;
  switch (layout.chart) {
    case HelpChart::convection:
      chart = create_convection_chart(dialog);
      break;
    case HelpChart::standby:
      chart = create_standby_chart(dialog);
      break;
    case HelpChart::none:
      return;
  }
  chart->setObjectName(QLatin1String(control::help::kChart));
  chart->setGeometry(layout.chart_box.pixels());
  chart->setFont(help_text_font(chart->font()));
}

// Enter presses "Stäng" (it is the default button) and Esc closes the dialog as well; either
// way the dialog is deleted once closed.
void add_close_button(QDialog* dialog, const DialogLayout& layout) {
  auto* close_button = new QPushButton(QCoreApplication::translate("HelpDialogs", "Stäng"), dialog);
  close_button->setObjectName(QString::fromUtf8(layout.close_name));
  close_button->setGeometry(layout.close_button.pixels());
  close_button->setDefault(true);
  QObject::connect(close_button, &QPushButton::clicked, dialog, &QDialog::accept);
}

QDialog* build_dialog(const DialogLayout& layout, const QString& text, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(QString::fromUtf8(layout.form_name));
  dialog->setWindowTitle(QCoreApplication::translate("HelpDialogs", layout.caption));
  dialog->setFixedSize(twips_size(layout.width, layout.height));
  QPalette palette = dialog->palette();
  palette.setColor(QPalette::Window, dialog_grey);
  dialog->setPalette(palette);
  dialog->setAutoFillBackground(true);

  add_text_box(dialog, layout, text);
  if (layout.picture) {
    add_info_picture(dialog, *layout.picture);
  }
  add_chart(dialog, layout);
  add_close_button(dialog, layout);
  return dialog;
}

}  // namespace

QDialog* create_help_dialog(const QString& form_name, QWidget* parent) {
  for (const DialogLayout& layout : kHelpLayouts) {
    if (form_name == QLatin1String(layout.form_name)) {
      return build_dialog(layout, help_text(form_name), parent);
    }
  }
  return nullptr;
}

QDialog* create_proginfo(QWidget* parent) {
  QDialog* info = build_dialog(kProginfoLayout, proginfo_text(), parent);
  auto* about_button =
      new QPushButton(QCoreApplication::translate("HelpDialogs", "Om VARMKALK"), info);
  about_button->setObjectName(QStringLiteral("omknapp"));
  about_button->setGeometry(kAboutButton.pixels());
  // Window-modal over the information, which stays open beneath it.
  QObject::connect(about_button, &QPushButton::clicked, info,
                   [info] { build_dialog(kAboutLayout, about_text(), info)->open(); });
  return info;
}

}  // namespace varmkalk
