// SPDX-License-Identifier: GPL-3.0-or-later
// "Värmepump…": a typical unit or a certified one, the fields read in the user's locale or the
// first bad one named and marked, another Keymark file's variants offered, no heat pump at all;
// whole on a small screen and on a laptop's, and usable by keyboard alone.
#include "frontend/app/heat_pump_dialog.h"
#include "frontend/app/form_widgets.h"
#include "frontend/tests/app/fake_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using varmkalk::HeatPumpDialog;
using varmkalk::HeatPumpPlan;
namespace core = varmkalk::core;

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

QString shipped_folder() {
  return varmkalk::heat_pump_folder(QCoreApplication::applicationDirPath());
}

template <typename Widget = QWidget>
Widget* child(const QWidget& parent, const char* name) {
  auto* found = parent.findChild<Widget*>(QLatin1String(name));
  if (found == nullptr) {
    qFatal("no control %s", name);
  }
  return found;
}

void press_ok(HeatPumpDialog& dialog) {
  child<QDialogButtonBox>(dialog, "")->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

class HeatPumpDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    platform_ = std::make_unique<varmkalk::testing::FakePlatform>();
    platform_->user_locale = kSwedish;
  }

  // Opened without a heat pump it offers the typical air unit; "OK" takes it as shown.
  void takes_the_defaults_as_shown() {
    HeatPumpDialog dialog(*platform_, std::nullopt, shipped_folder(), nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(child<QRadioButton>(dialog, "typiskvarmepump")->isChecked());
    QCOMPARE(child<QLineEdit>(dialog, "hp_capacity_kw")->text(), QStringLiteral("8"));
    press_ok(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.plan() == varmkalk::default_heat_pump_plan());
  }

  // Typed in the user's locale, digit groups apart as a quote prints them; a bad field is
  // marked, named in the form's words, and nothing is taken.
  void reads_the_fields_or_names_the_first_bad_one() {
    HeatPumpDialog dialog(*platform_, std::nullopt, shipped_folder(), nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    child<QLineEdit>(dialog, "hp_capacity_kw")->setText(QStringLiteral("0,5"));
    press_ok(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.plan());
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QVERIFY2(
        platform_->messages[0].text.contains(QStringLiteral("Värmeeffekt vid märkpunkten (kW)")),
        qPrintable(platform_->messages[0].text));
    QCOMPARE(varmkalk::field_background(child<QLineEdit>(dialog, "hp_capacity_kw")),
             varmkalk::kFaultYellow);

    child<QLineEdit>(dialog, "hp_capacity_kw")->setText(QStringLiteral("6,5"));
    child<QLineEdit>(dialog, "investment_sek")->setText(QStringLiteral("145 000"));
    child<QLineEdit>(dialog, "avoided_boiler_sek")->setText(QStringLiteral("40000"));
    child<QCheckBox>(dialog, "gas_connection_closed")->setChecked(true);
    child<QComboBox>(dialog, "hp_type")->setCurrentIndex(1);
    press_ok(dialog);
    QVERIFY(dialog.plan());
    QCOMPARE(dialog.plan()->choice.capacity_kw, 6.5);
    QVERIFY(dialog.plan()->choice.generic == core::GenericHeatPump::brine);
    QCOMPARE(dialog.plan()->economy.investment_sek, 145000.0);
    QCOMPARE(dialog.plan()->economy.avoided_boiler_sek, 40000.0);
    QVERIFY(dialog.plan()->economy.gas_connection_closed);
  }

  // A shipped unit: its SCOP as declared and as the model computes it for each declaration, the
  // brine's temperature only for a ground-source unit; chosen again when the dialog reopens.
  void a_certified_unit_shows_its_seasonal_cop() {
    HeatPumpDialog dialog(*platform_, std::nullopt, shipped_folder(), nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(!child<QLineEdit>(dialog, "hp_brine_temp")->isEnabled());
    child<QRadioButton>(dialog, "certifieradenhet")->setChecked(true);
    auto* unit = child<QComboBox>(dialog, "hp_model");
    QCOMPARE(unit->count(), 38);
    unit->setCurrentIndex(unit->findText(QStringLiteral("CTC EcoAir 610M")));
    QVERIFY(!child<QLineEdit>(dialog, "hp_brine_temp")->isEnabled());
    unit->setCurrentIndex(unit->findText(QStringLiteral("S1155-12 3x400")));
    const QString scop = child<QLabel>(dialog, "scopjamforelse")->text();
    QVERIFY2(scop.contains(QRegularExpression(
                 QStringLiteral("medelklimat, 35 °C: \\d,\\d\\d och \\d,\\d\\d"))),
             qPrintable(scop));
    QVERIFY(child<QLineEdit>(dialog, "hp_brine_temp")->isEnabled());
    press_ok(dialog);
    QVERIFY(dialog.plan());
    QCOMPARE(dialog.plan()->choice.unit_file, std::string("_Nibe_ABS1x55-12.csv"));
    QCOMPARE(dialog.plan()->choice.model, std::string("S1155-12 3x400"));

    HeatPumpDialog again(*platform_, dialog.plan(), shipped_folder(), nullptr);
    again.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(child<QRadioButton>(again, "certifieradenhet")->isChecked());
    QCOMPARE(child<QComboBox>(again, "hp_model")->currentText(), QStringLiteral("S1155-12 3x400"));
    // Unticked, the calculation shows the boiler alone.
    child<QCheckBox>(again, "visavarmepump")->setChecked(false);
    press_ok(again);
    QVERIFY(!again.plan());
  }

  // "Annan fil…" offers the variants of the file picked; a file that is no declaration is named
  // and leaves the choice as it was.
  void another_file_offers_its_variants() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath(QStringLiteral("egen.csv"));
    QVERIFY(QFile::copy(QDir(shipped_folder()).filePath(QStringLiteral("_Nibe_ABF7x0.csv")), copy));
    const QString junk = folder.filePath(QStringLiteral("skräp.csv"));
    QFile bad(junk);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("a,b\n1,2\n");
    bad.close();
    HeatPumpDialog dialog(*platform_, std::nullopt, shipped_folder(), nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    platform_->open_answers = {junk, copy};
    child<QPushButton>(dialog, "annanfil")->setEnabled(true);
    child<QPushButton>(dialog, "annanfil")->click();
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QVERIFY2(platform_->messages[0].text.contains(QStringLiteral("skräp.csv")),
             qPrintable(platform_->messages[0].text));
    QVERIFY(child<QRadioButton>(dialog, "typiskvarmepump")->isChecked());
    child<QPushButton>(dialog, "annanfil")->click();
    QVERIFY(child<QRadioButton>(dialog, "certifieradenhet")->isChecked());
    QCOMPARE(child<QComboBox>(dialog, "hp_model")->count(), 40);
    press_ok(dialog);
    QVERIFY(dialog.plan());
    QCOMPARE(QString::fromStdString(dialog.plan()->choice.unit_file),
             QDir::cleanPath(QFileInfo(copy).absoluteFilePath()));
  }

  // On the screen of this run (a small one and a laptop's, see CMakeLists.txt) the dialog lies
  // whole on the free area; every control is reached by Tab, every button and option answers
  // its own letter, and Escape keeps the plan as it was.
  void fits_the_screen_and_works_by_keyboard() {
    auto* dialog = new HeatPumpDialog(*platform_, std::nullopt, shipped_folder(), nullptr);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QRect available = dialog->screen()->availableGeometry();
    QVERIFY2(available.contains(dialog->frameGeometry()),
             qPrintable(QStringLiteral("%1x%2").arg(dialog->width()).arg(dialog->height())));
    QSet<QWidget*> reached;
    QWidget* start = dialog->nextInFocusChain();
    for (QWidget* next = start; next != dialog; next = next->nextInFocusChain()) {
      if (next->focusPolicy() & Qt::TabFocus) {
        reached.insert(next);
      }
    }
    for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
      QVERIFY2(reached.contains(field), qPrintable(field->objectName()));
    }
    QSet<QChar> letters;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
      if (amp >= 0) {
        const QChar letter = button->text().at(amp + 1).toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(button->text()));
        letters.insert(letter);
      }
    }
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto* capacity = child<QLineEdit>(*dialog, "hp_capacity_kw");
    capacity->setFocus();
    QTest::keyClick(capacity, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(capacity->text(), QStringLiteral("8"));
    QTRY_VERIFY(child<QRadioButton>(*dialog, "certifieradenhet")->isChecked());
    QPointer<HeatPumpDialog> open(dialog);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(open.isNull());
  }

 private:
  std::unique_ptr<varmkalk::testing::FakePlatform> platform_;
};

QTEST_MAIN(HeatPumpDialogTest)
#include "heat_pump_dialog_test.moc"
