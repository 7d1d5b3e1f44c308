#include "control_file.h"
#include "engine_field_reader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using varmkalk::ControlFileLines;
using varmkalk::FieldError;
using varmkalk::FormInput;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// A complete input as typed on a Swedish system: every component chosen, constants known.
FormInput swedish_input() {
  FormInput input;
  input.burner = varmkalk::Burner::SingleStage;
  input.hot_water_heater = varmkalk::HotWaterHeater::Yes;
  input.convection_source = varmkalk::ConvectionSource::Constant;
  input.standby_source = varmkalk::StandbySource::Constants;
  input.heating_system = varmkalk::HeatingSystem::System8060;
  input.min_return_temp = varmkalk::MinReturnTemp::C35;
  input.climate = varmkalk::Climate::Stockholm;
  input.enstegeff = QStringLiteral("18,5");
  input.enstegluft = QStringLiteral("20");
  input.vvbehov = QStringLiteral("3000");
  input.Text5 = QStringLiteral("1,08");
  input.konvkonst = QStringLiteral("1,5");
  input.sbkonstant = QStringLiteral(" 0,5 ");
  input.sbexponent = QStringLiteral("1,25");
  input.TempL = QStringLiteral("120");
  input.FramL = QStringLiteral("40");
  input.ReturL = QStringLiteral("30");
  input.TempH = QStringLiteral("180");
  input.FramH = QStringLiteral("70");
  input.ReturH = QStringLiteral("50");
  input.huseff = QStringLiteral("12,5");
  return input;
}

// The same input with decimal points, as typed on an English system.
FormInput english_input() {
  FormInput input = swedish_input();
  for (const varmkalk::FormField& field : varmkalk::kFormFields) {
    (input.*field.text).replace(QLatin1Char(','), QLatin1Char('.'));
  }
  return input;
}

const QStringList kSwedishInputLines{
    " 1.5", " 0.5", " 1.25", " 18500", " 18500", " 1.2", " 0",   " 120",
    " 40",  " 30",  " 180",  " 70",    " 50",    " 65",  " 75",  " 12500",
    "C",    "A",    " 20",   " 35",    " 3000",  " 45",  "h123",
};

ControlFileLines derive(const FormInput& input, const QString& identity = QStringLiteral("h123"),
                        const QLocale& locale = kSwedish) {
  auto derived = varmkalk::derive_control_file(input, identity, locale);
  if (const auto* error = std::get_if<FieldError>(&derived)) {
    qWarning() << "unexpected error in" << error->field << ":" << error->message;
    return {};
  }
  return std::get<ControlFileLines>(derived);
}

QStringList as_list(const ControlFileLines& lines) {
  return {lines.begin(), lines.end()};
}

float line_value(const ControlFileLines& lines, int line_number) {
  return read_engine_number(lines[line_number - 1]).value_or(-1e30F);
}

QByteArray file_bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write_bytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

using Change = std::function<void(FormInput&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)

class ControlFileTest : public QObject {
  Q_OBJECT
 private slots:
  void writes_every_line_of_a_complete_input() {
    QCOMPARE(as_list(derive(swedish_input())), kSwedishInputLines);
  }

  void reads_numbers_by_the_users_locale() {
    QCOMPARE(as_list(derive(english_input(), QStringLiteral("h123"), kEnglish)),
             kSwedishInputLines);
  }

  void modulating_burner_gives_its_own_powers_and_air() {
    FormInput input = swedish_input();
    input.burner = varmkalk::Burner::Modulating;
    input.modmax = QStringLiteral("24");
    input.modmin = QStringLiteral("7,5");
    input.modluft = QStringLiteral("30");
    const ControlFileLines lines = derive(input);
    QCOMPARE(lines[3], QStringLiteral(" 24000"));
    QCOMPARE(lines[4], QStringLiteral(" 7500"));
    QCOMPARE(lines[5], QStringLiteral(" 1.3"));
  }

  void fits_the_convection_constant_to_a_known_loss() {
    FormInput input = swedish_input();
    input.convection_source = varmkalk::ConvectionSource::KnownLoss;
    input.konveff = QStringLiteral("100");
    input.konvtemp = QStringLiteral("40");
    // Worked example: 100 / 40^1.3 ≈ 0.82665 (5 digits).
    QVERIFY(qAbs(line_value(derive(input), 1) - 0.82665F) < 5e-6F);
  }

  void fits_the_standby_loss_through_two_points() {
    FormInput input = swedish_input();
    input.standby_source = varmkalk::StandbySource::KnownLosses;
    input.sbtemp1 = QStringLiteral("40");
    input.sbeff1 = QStringLiteral("50");
    input.sbtemp2 = QStringLiteral("80");
    input.sbeff2 = QStringLiteral("100");
    const ControlFileLines lines = derive(input);
    // Worked example: T1 = 30, T2 = 50, C2 = ln 2 / ln(5/3) ≈ 1.356915 held as a float and
    // written with 7 digits; C1 = 100 / 50^C2 ≈ 0.49504 (5 digits).
    QCOMPARE(lines[2], QStringLiteral(" 1.356915"));
    QVERIFY(qAbs(line_value(lines, 2) - 0.49504F) < 5e-6F);
  }

  void writes_the_code_letters_bare_data() {
    QTest::addColumn<varmkalk::Climate>("climate");
    QTest::addColumn<QString>("letter");
    QTest::newRow("Malmö") << varmkalk::Climate::Malmo << "A";
    QTest::newRow("Jönköping") << varmkalk::Climate::Jonkoping << "B";
    QTest::newRow("Stockholm") << varmkalk::Climate::Stockholm << "C";
    QTest::newRow("Falun") << varmkalk::Climate::Falun << "D";
    QTest::newRow("Östersund") << varmkalk::Climate::Ostersund << "E";
    QTest::newRow("Kiruna") << varmkalk::Climate::Kiruna << "F";
  }
  void writes_the_code_letters_bare() {
    QFETCH(varmkalk::Climate, climate);
    QFETCH(QString, letter);
    FormInput input = swedish_input();
    input.climate = climate;
    input.heating_system = varmkalk::HeatingSystem::System5545;
    const ControlFileLines lines = derive(input);
    QCOMPARE(lines[16], letter);
    QCOMPARE(lines[17], QStringLiteral("B"));
  }

  void writes_the_lowest_return_temperature_data() {
    QTest::addColumn<varmkalk::MinReturnTemp>("choice");
    QTest::addColumn<QString>("line_20");
    QTest::newRow("Tjugo takes the indoor temperature") << varmkalk::MinReturnTemp::Indoor << " 18";
    QTest::newRow("Trettiofem") << varmkalk::MinReturnTemp::C35 << " 35";
    QTest::newRow("Sextiofem") << varmkalk::MinReturnTemp::C65 << " 65";
  }
  void writes_the_lowest_return_temperature() {
    QFETCH(varmkalk::MinReturnTemp, choice);
    QFETCH(QString, line_20);
    FormInput input = swedish_input();
    input.min_return_temp = choice;
    input.intemp = QStringLiteral("18");
    const ControlFileLines lines = derive(input);
    QCOMPARE(lines[18], QStringLiteral(" 18"));
    QCOMPARE(lines[19], line_20);
  }

  void without_a_heater_writes_zero_and_ignores_its_fields() {
    FormInput input = swedish_input();
    input.hot_water_heater = varmkalk::HotWaterHeater::No;
    input.vvbehov = QStringLiteral("ej ett tal");
    input.Text5 = QString();
    const ControlFileLines lines = derive(input);
    QCOMPARE(lines[20], QStringLiteral(" 0"));
    QCOMPARE(lines[21], QStringLiteral(" 0"));
  }

  void writes_a_short_identity_as_typed() {
    QCOMPARE(derive(swedish_input(), QStringLiteral("ab"))[22], QStringLiteral("ab"));
  }

  void names_the_field_that_cannot_be_used_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("field");
    const auto set = [](QString FormInput::*field, const char* text) {
      return Change([field, text](FormInput& input) { input.*field = QString::fromUtf8(text); });
    };
    const auto fit = [](const char* temp_1, const char* loss_1, const char* temp_2,
                        const char* loss_2) {
      return Change([=](FormInput& input) {
        input.standby_source = varmkalk::StandbySource::KnownLosses;
        input.sbtemp1 = QString::fromUtf8(temp_1);
        input.sbeff1 = QString::fromUtf8(loss_1);
        input.sbtemp2 = QString::fromUtf8(temp_2);
        input.sbeff2 = QString::fromUtf8(loss_2);
      });
    };
    const auto convection = [](const char* temp) {
      return Change([temp](FormInput& input) {
        input.convection_source = varmkalk::ConvectionSource::KnownLoss;
        input.konveff = QStringLiteral("100");
        input.konvtemp = QString::fromUtf8(temp);
      });
    };
    QTest::newRow("point on a Swedish system") << set(&FormInput::enstegeff, "18.5") << "enstegeff";
    QTest::newRow("letters") << set(&FormInput::huseff, "tolv") << "huseff";
    QTest::newRow("blanks only") << set(&FormInput::TempH, "   ") << "TempH";
    QTest::newRow("nan") << set(&FormInput::TempL, "nan") << "TempL";
    QTest::newRow("inf") << set(&FormInput::cirkpump, "inf") << "cirkpump";
    QTest::newRow("grouping") << set(&FormInput::vvbehov, "3 000") << "vvbehov";
    QTest::newRow("too large for the engine") << set(&FormInput::huseff, "1E36") << "huseff";
    QTest::newRow("exponent too large for a float")
        << set(&FormInput::sbexponent, "1E39") << "sbexponent";
    QTest::newRow("konvtemp zero") << convection("0") << "konvtemp";
    QTest::newRow("konvtemp negative") << convection("-5") << "konvtemp";
    QTest::newRow("equal temperatures") << fit("40", "50", "40", "100") << "sbtemp2";
    QTest::newRow("equal losses") << fit("40", "50", "80", "50") << "sbeff2";
    QTest::newRow("zero loss") << fit("40", "0", "80", "100") << "sbeff1";
    QTest::newRow("negative loss") << fit("40", "50", "80", "-100") << "sbeff2";
    // With 20 °C indoors: T1 = (-30 + 20) / 2 < 0, T2 = (-20 + 20) / 2 = 0.
    QTest::newRow("negative mean temperature") << fit("-30", "50", "80", "100") << "sbtemp1";
    QTest::newRow("zero mean temperature") << fit("40", "50", "-20", "100") << "sbtemp2";
    QTest::newRow("indoor temperature of the fit") << Change([&fit](FormInput& input) {
      fit("40", "50", "80", "100")(input);
      input.intemp = QStringLiteral("20.");
    }) << "intemp";
    QTest::newRow("burner not chosen")
        << Change([](FormInput& input) { input.burner = varmkalk::Burner::Unchosen; })
        << "burntype";
  }
  void names_the_field_that_cannot_be_used() {
    QFETCH(Change, change);
    QFETCH(QString, field);
    FormInput input = swedish_input();
    change(input);
    const auto derived = varmkalk::derive_control_file(input, QStringLiteral("h123"), kSwedish);
    const auto* error = std::get_if<FieldError>(&derived);
    QVERIFY(error != nullptr);
    QCOMPARE(error->field, field);
    QVERIFY(!error->label.isEmpty());
    QCOMPARE(error->label, varmkalk::field_label(field));
    QVERIFY(!error->message.isEmpty());
  }

  void refuses_an_unusable_identity() {
    for (const QString& identity : {QString(), QStringLiteral("a/b"), QStringLiteral("abcde")}) {
      const auto derived = varmkalk::derive_control_file(swedish_input(), identity, kSwedish);
      const auto* error = std::get_if<FieldError>(&derived);
      QVERIFY(error != nullptr);
      QCOMPARE(error->field, QStringLiteral("utdatafil"));
    }
  }

  void message_names_the_field_and_the_decimal_rule() {
    FormInput input = swedish_input();
    input.sbexponent = QStringLiteral("1.25");
    const auto derived = varmkalk::derive_control_file(input, QStringLiteral("h123"), kSwedish);
    const FieldError error = std::get<FieldError>(derived);
    QCOMPARE(error.label, QStringLiteral("Exponent, Stilleståndsförlust"));
    QVERIFY(error.message.contains(error.label));
    QVERIFY(error.message.contains(QStringLiteral("decimalkomma")));
  }

  void writes_the_file_with_crlf_replacing_an_existing_one() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("styrfil.dat"));
    write_bytes(path, QByteArray(4000, 'x'));
    const ControlFileLines lines = derive(swedish_input(), QStringLiteral("ab"));
    QCOMPARE(varmkalk::write_control_file(folder.path(), lines), std::nullopt);
    QCOMPARE(file_bytes(path),
             (kSwedishInputLines.mid(0, 22).join("\r\n") + "\r\nab\r\n").toLatin1());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("styrfil.dat")});
  }

  void keeps_the_existing_file_when_nothing_can_be_written() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("styrfil.dat"));
    const QByteArray old_file("old control file\r\n");
    write_bytes(path, old_file);

    // A derivation that fails leaves nothing to write.
    FormInput input = swedish_input();
    input.huseff = QStringLiteral("12.5");
    QVERIFY(std::holds_alternative<FieldError>(
        varmkalk::derive_control_file(input, QStringLiteral("h123"), kSwedish)));
    QCOMPARE(file_bytes(path), old_file);

    // A line that Windows-1252 cannot carry is refused before the file is touched.
    ControlFileLines lines = derive(swedish_input());
    lines[22] = QStringLiteral("Ω");
    QVERIFY(varmkalk::write_control_file(folder.path(), lines).has_value());
    QCOMPARE(file_bytes(path), old_file);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("styrfil.dat")});
  }

  void reports_a_folder_that_cannot_be_written() {
    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    const ControlFileLines lines = derive(swedish_input());
    const QString missing = parent.filePath(QStringLiteral("saknas"));
    const auto missing_error = varmkalk::write_control_file(missing, lines);
    QVERIFY(missing_error.has_value());
    QVERIFY(missing_error->message.contains(QStringLiteral("styrfil.dat")));

    // The target name taken by a folder: the temporary file must not stay behind.
    const QString blocked = parent.filePath(QStringLiteral("blockerad"));
    QVERIFY(QDir().mkpath(QDir(blocked).filePath(QStringLiteral("styrfil.dat"))));
    QVERIFY(varmkalk::write_control_file(blocked, lines).has_value());
    QCOMPARE(QDir(blocked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("styrfil.dat")});

    const QString read_only = parent.filePath(QStringLiteral("skrivskyddad"));
    QVERIFY(QDir().mkdir(read_only));
    QVERIFY(QFile::setPermissions(read_only, QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(QDir(read_only).filePath(QStringLiteral("prov")));
    if (probe.open(QIODevice::WriteOnly)) {
      probe.remove();
      QSKIP("these rights write into a read-only folder");
    }
    QVERIFY(varmkalk::write_control_file(read_only, lines).has_value());
    QVERIFY(QDir(read_only)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                .isEmpty());
  }
};

QTEST_GUILESS_MAIN(ControlFileTest)
#include "control_file_test.moc"
