// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/inputs_file.h"

#include "frontend/logic/form/field_error.h"

#include "core/heatpump/generic_heat_pumps.h"
#include "core/text/utf8_text.h"
#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_choices.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/logic/run/calc_identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

#include <cmath>

namespace varmkalk {

namespace {

// A few kilobytes are written; a file many times larger is none of ours.
constexpr qint64 kLargestInputsFileBytes = 1 << 20;
constexpr int kHighestVersion = 1'000'000;
const QByteArray kUtf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

const QString kFormat = QStringLiteral("format");
const QString kVersion = QStringLiteral("version");
const QString kProgram = QStringLiteral("program");
const QString kIdentity = QStringLiteral("identity");
const QString kSaved = QStringLiteral("saved");
const QString kLocale = QStringLiteral("locale");
const QString kChoices = QStringLiteral("choices");
const QString kFields = QStringLiteral("fields");
const QString kListing = QStringLiteral("listing");
const QString kLabel = QStringLiteral("label");
const QString kText = QStringLiteral("text");
const QString kNumber = QStringLiteral("number");
const QString kClimate = QStringLiteral("climate");
const QString kBurnerKind = QStringLiteral("burner_kind");
const QString kMaxPower = QStringLiteral("max_power_kw");
const QString kMinPower = QStringLiteral("min_power_kw");
const QString kEfficiency = QStringLiteral("annual_efficiency_percent");
const QString kCost = QStringLiteral("cost");
const QString kHeatPump = QStringLiteral("heat_pump");
const QString kUnitFile = QStringLiteral("unit_file");
const QString kModel = QStringLiteral("model");
const QString kType = QStringLiteral("type");
const QString kGasClosed = QStringLiteral("gas_connection_closed");
// The first version that may hold a heat pump.
constexpr int kHeatPumpVersion = 4;

constexpr std::array<ChoiceName<core::BurnerKind>, 2> kBurnerKindNames{
    {{core::BurnerKind::single_stage, "single_stage"},
     {core::BurnerKind::modulating, "modulating"}}};

QString name_text(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

template <typename Value, std::size_t N>
QString name_of(Value value, const std::array<ChoiceName<Value>, N>& names) {
  for (const ChoiceName<Value>& entry : names) {
    if (entry.value == value) {
      return name_text(entry.name);
    }
  }
  return {};
}

// A text read from the file as a message quotes it: in quotes, cut short, control characters
// shown as '?', so that the message stays one line.
QString quoted(const QString& text) {
  return QString::fromStdString(core::quoted_for_message(text.toStdString()));
}

QJsonValue number_or_null(const std::optional<double>& value) {
  return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

// What is wrong with a file that parses as JSON; caught where the file's name is known.
struct Fault {
  QString what;
};

// The members of a JSON object, checked one by one: every member read must be of its kind, and
// none may be left unread.
class ObjectReader {
 public:
  ObjectReader(const QJsonObject& object, QString where)
      : object_(object), where_(std::move(where)) {}

  bool has(const QString& key) const { return object_.contains(key); }

  QJsonValue value(const QString& key) {
    if (!object_.contains(key)) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 saknas").arg(place(key))};
    }
    read_.insert(key);
    return object_.value(key);
  }

  QString text(const QString& key) {
    const QJsonValue found = value(key);
    if (!found.isString()) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 är ingen text").arg(place(key))};
    }
    return found.toString();
  }

  std::optional<double> number_or_null(const QString& key) {
    const QJsonValue found = value(key);
    if (found.isNull()) {
      return std::nullopt;
    }
    if (!found.isDouble() || !std::isfinite(found.toDouble())) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 är inget tal").arg(place(key))};
    }
    return found.toDouble();
  }

  double number(const QString& key) {
    const std::optional<double> found = number_or_null(key);
    if (!found) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 saknar sitt tal").arg(place(key))};
    }
    return *found;
  }

  bool boolean(const QString& key) {
    const QJsonValue found = value(key);
    if (!found.isBool()) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 är varken true eller false")
                      .arg(place(key))};
    }
    return found.toBool();
  }

  ObjectReader object(const QString& key) {
    const QJsonValue found = value(key);
    if (!found.isObject()) {
      throw Fault{
          QCoreApplication::translate("InputsFile", "%1 är inget JSON-objekt").arg(place(key))};
    }
    return ObjectReader(found.toObject(), place(key));
  }

  template <typename Value, std::size_t N>
  Value choice(const QString& key, const std::array<ChoiceName<Value>, N>& names) {
    const QString name = text(key);
    for (const ChoiceName<Value>& entry : names) {
      if (name == name_text(entry.name)) {
        return entry.value;
      }
    }
    throw Fault{QCoreApplication::translate("InputsFile", "%1 har det okända värdet %2")
                    .arg(place(key), quoted(name))};
  }

  // After every member has been read: one that was not is no part of the format.
  void finish() const {
    for (const QString& key : object_.keys()) {
      if (!read_.contains(key)) {
        throw Fault{
            QCoreApplication::translate("InputsFile", "%1 hör inte till formatet").arg(place(key))};
      }
    }
  }

  QString place(const QString& key) const {
    return where_.isEmpty()
               ? QCoreApplication::translate("InputsFile", "fältet %1").arg(quoted(key))
               : QCoreApplication::translate("InputsFile", "%1 i %2").arg(quoted(key), where_);
  }

 private:
  QJsonObject object_;
  QString where_;
  QSet<QString> read_;
};

int read_version(ObjectReader& file) {
  const double version = file.number(kVersion);
  if (version != std::floor(version) || version < 1.0 || version > kHighestVersion) {
    throw Fault{QCoreApplication::translate("InputsFile", "versionsnumret är inget heltal från 1")};
  }
  return static_cast<int>(version);
}

void read_choices(ObjectReader choices, bool complete, FormInput& input) {
  for_each_choice(input, [&](std::string_view key, auto& member, const auto& names) {
    const QString name = name_text(key);
    if (complete || choices.has(name)) {
      member = choices.choice(name, names);
    }
  });
  choices.finish();
}

void read_fields(ObjectReader fields, bool complete, KeptInputs& kept) {
  for (std::size_t i = 0; i < kFormFields.size(); ++i) {
    const QString name = QString::fromLatin1(kFormFields[i].name);
    if (!complete && !fields.has(name)) {
      continue;
    }
    ObjectReader field = fields.object(name);
    if (field.has(kLabel)) {
      field.text(kLabel);
    }
    kept.input.*kFormFields[i].text = field.text(kText);
    kept.numbers[i] = field.number_or_null(kNumber);
    field.finish();
  }
  // The own climate file's name, a text and never a number.
  const QString file_field = QLatin1String(kOwnClimateFileField);
  if (complete || fields.has(file_field)) {
    ObjectReader field = fields.object(file_field);
    if (field.has(kLabel)) {
      field.text(kLabel);
    }
    kept.input.own_climate_file = field.text(kText);
    field.finish();
  }
  fields.finish();
}

CalculationListing read_listing(ObjectReader listing) {
  CalculationListing read;
  read.climate = listing.text(kClimate);
  if (!listing.value(kBurnerKind).isNull()) {
    read.burner_kind = listing.choice(kBurnerKind, kBurnerKindNames);
  }
  read.max_power_kw = listing.number_or_null(kMaxPower);
  read.min_power_kw = listing.number_or_null(kMinPower);
  read.efficiency_percent = listing.number_or_null(kEfficiency);
  listing.finish();
  return read;
}

// Each member of `quantities` optional, `inputs` keeping its value where one is missing; a
// value out of its range is refused, as the dialog would refuse it.
template <typename Inputs, std::size_t N>
void read_ranged(ObjectReader& object,
                 const std::array<core::RangedQuantity<Inputs>, N>& quantities, Inputs& inputs) {
  for (const core::RangedQuantity<Inputs>& quantity : quantities) {
    const QString key = name_text(quantity.key);
    if (!object.has(key)) {
      continue;
    }
    const double value = object.number(key);
    if (value < quantity.min_value || value > quantity.max_value) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 ligger utanför %2–%3")
                      .arg(object.place(key))
                      .arg(quantity.min_value)
                      .arg(quantity.max_value)};
    }
    inputs.*quantity.member = value;
  }
}

template <typename Inputs, std::size_t N>
void insert_ranged(QJsonObject& object,
                   const std::array<core::RangedQuantity<Inputs>, N>& quantities,
                   const Inputs& inputs) {
  for (const core::RangedQuantity<Inputs>& quantity : quantities) {
    object.insert(name_text(quantity.key), inputs.*quantity.member);
  }
}

core::CostInputs read_prices(ObjectReader cost) {
  core::CostInputs prices = core::default_cost_inputs();
  read_ranged(cost, core::kCostQuantities, prices);
  cost.finish();
  return prices;
}

QJsonObject prices_object(const core::CostInputs& prices) {
  QJsonObject cost;
  insert_ranged(cost, core::kCostQuantities, prices);
  return cost;
}

// A certified unit by its file and variant, or a generic one by its kind and size; the
// settings and the economy each optional.
HeatPumpPlan read_heat_pump(ObjectReader object) {
  HeatPumpPlan plan = default_heat_pump_plan();
  if (object.has(kUnitFile)) {
    plan.choice.unit_file = object.text(kUnitFile).toStdString();
    plan.choice.model = object.text(kModel).toStdString();
    if (plan.choice.unit_file.empty()) {
      throw Fault{
          QCoreApplication::translate("InputsFile", "%1 är tom").arg(object.place(kUnitFile))};
    }
  } else {
    const QString type = object.text(kType);
    const auto generic = core::generic_heat_pump_from_id(type.toStdString());
    if (!generic) {
      throw Fault{QCoreApplication::translate("InputsFile", "%1 har det okända värdet %2")
                      .arg(object.place(kType), quoted(type))};
    }
    plan.choice.generic = *generic;
  }
  read_ranged(object, kCapacityQuantities, plan.choice);
  read_ranged(object, core::kHeatPumpQuantities, plan.choice.settings);
  read_ranged(object, core::kEconomyQuantities, plan.economy);
  if (object.has(kGasClosed)) {
    plan.economy.gas_connection_closed = object.boolean(kGasClosed);
  }
  object.finish();
  return plan;
}

QJsonObject heat_pump_object(const HeatPumpPlan& plan) {
  QJsonObject object;
  if (plan.choice.is_generic()) {
    object.insert(kType, name_text(core::generic_heat_pump_id(plan.choice.generic)));
  } else {
    object.insert(kUnitFile, QString::fromStdString(plan.choice.unit_file));
    object.insert(kModel, QString::fromStdString(plan.choice.model));
  }
  // Kept for a certified unit too: the size the dialog offers when a generic one is chosen.
  insert_ranged(object, kCapacityQuantities, plan.choice);
  insert_ranged(object, core::kHeatPumpQuantities, plan.choice.settings);
  insert_ranged(object, core::kEconomyQuantities, plan.economy);
  object.insert(kGasClosed, plan.economy.gas_connection_closed);
  return object;
}

KeptInputs read_kept_inputs(const QJsonObject& object) {
  ObjectReader file(object, QString());
  if (!file.has(kFormat) || file.value(kFormat).toString() != QLatin1String(kInputsFileFormat)) {
    throw Fault{QCoreApplication::translate("InputsFile", "den är ingen indatafil från VARMKALK")};
  }
  KeptInputs kept;
  kept.version = read_version(file);
  // Nothing of a newer file is read: its fields may mean something this program does not know.
  if (kept.version > kInputsFileVersion) {
    throw Fault{QCoreApplication::translate(
                    "InputsFile",
                    "den är av version %1, men denna VARMKALK läser bara version %2 "
                    "och äldre. Öppna den med en nyare VARMKALK")
                    .arg(kept.version)
                    .arg(kInputsFileVersion)};
  }
  // An older file lacks the fields added since; one from their version on must hold them all.
  const bool complete = kept.version >= kFormFieldsVersion;
  if (file.has(kProgram)) {
    file.text(kProgram);
  }
  kept.identity = file.text(kIdentity);
  if (const std::optional<QString> refusal = identity_refusal(kept.identity)) {
    throw Fault{
        QCoreApplication::translate("InputsFile", "beräkningsidentiteten %1 kan inte användas")
            .arg(quoted(kept.identity))};
  }
  const QString saved = file.text(kSaved);
  // Only as the writer writes it: to the second, with the offset from UTC.
  kept.saved = QDateTime::fromString(saved, Qt::ISODate);
  if (!kept.saved.isValid() || kept.saved.toString(Qt::ISODate) != saved) {
    throw Fault{
        QCoreApplication::translate("InputsFile", "datumet %1 är inget datum").arg(quoted(saved))};
  }
  kept.locale_name = file.text(kLocale);
  read_choices(file.object(kChoices), complete, kept.input);
  read_fields(file.object(kFields), complete, kept);
  kept.listing = read_listing(file.object(kListing));
  if (kept.version >= 2 && file.has(kCost)) {
    kept.prices = read_prices(file.object(kCost));
  }
  if (kept.version >= kHeatPumpVersion && file.has(kHeatPump)) {
    kept.heat_pump = read_heat_pump(file.object(kHeatPump));
  }
  file.finish();
  return kept;
}

FileError inputs_error(const QString& file_name, const QString& what) {
  return FileError{QCoreApplication::translate("InputsFile", "Indatafilen %1 kan inte läsas: %2.")
                       .arg(QDir::toNativeSeparators(file_name), what)};
}

}  // namespace

KeptInputs kept_inputs(const QString& identity, const FormInput& input, const QLocale& locale,
                       const CalculationListing& listing, const QDateTime& saved,
                       const std::optional<core::CostInputs>& prices,
                       const std::optional<HeatPumpPlan>& heat_pump) {
  KeptInputs kept;
  kept.prices = prices;
  kept.heat_pump = heat_pump;
  kept.identity = identity;
  // To the second, with the offset from UTC, as the file writes it.
  kept.saved = saved.addMSecs(-saved.time().msec()).toOffsetFromUtc(saved.offsetFromUtc());
  kept.locale_name = locale.name();
  kept.input = input;
  for (std::size_t i = 0; i < kFormFields.size(); ++i) {
    kept.numbers[i] = read_form_number(input.*kFormFields[i].text, locale);
  }
  kept.listing = listing;
  return kept;
}

QByteArray inputs_file_bytes(const KeptInputs& kept) {
  QJsonObject choices;
  for_each_choice(kept.input, [&](std::string_view key, const auto& member, const auto& names) {
    choices.insert(name_text(key), name_of(member, names));
  });
  QJsonObject fields;
  for (std::size_t i = 0; i < kFormFields.size(); ++i) {
    const QString name = QString::fromLatin1(kFormFields[i].name);
    fields.insert(name, QJsonObject{{kLabel, field_label(name)},
                                    {kText, kept.input.*kFormFields[i].text},
                                    {kNumber, number_or_null(kept.numbers[i])}});
  }
  fields.insert(QLatin1String(kOwnClimateFileField),
                QJsonObject{{kLabel, QStringLiteral("Egen klimatfil")},
                            {kText, kept.input.own_climate_file}});
  const QJsonObject listing{
      {kClimate, kept.listing.climate},
      {kBurnerKind, kept.listing.burner_kind
                        ? QJsonValue(name_of(*kept.listing.burner_kind, kBurnerKindNames))
                        : QJsonValue(QJsonValue::Null)},
      {kMaxPower, number_or_null(kept.listing.max_power_kw)},
      {kMinPower, number_or_null(kept.listing.min_power_kw)},
      {kEfficiency, number_or_null(kept.listing.efficiency_percent)}};
  QJsonObject file{{kFormat, QString::fromLatin1(kInputsFileFormat)},
                   {kVersion, kept.version},
                   {kProgram, QStringLiteral("VARMKALK 1.1")},
                   {kIdentity, kept.identity},
                   {kSaved, kept.saved.toString(Qt::ISODate)},
                   {kLocale, kept.locale_name},
                   {kChoices, choices},
                   {kFields, fields},
                   {kListing, listing}};
  if (kept.prices) {
    file.insert(kCost, prices_object(*kept.prices));
  }
  if (kept.heat_pump) {
    file.insert(kHeatPump, heat_pump_object(*kept.heat_pump));
  }
  return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

std::variant<KeptInputs, FileError> parse_inputs_file(const QByteArray& bytes,
                                                      const QString& file_name) {
  if (bytes.trimmed().isEmpty()) {
    return inputs_error(file_name, QCoreApplication::translate("InputsFile", "den är tom"));
  }
  // An editor may have put a byte order mark before the text.
  const QByteArray text =
      bytes.startsWith(kUtf8ByteOrderMark) ? bytes.sliced(kUtf8ByteOrderMark.size()) : bytes;
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(text, &error);
  if (error.error == QJsonParseError::IllegalUTF8String) {
    return inputs_error(
        file_name,
        QCoreApplication::translate("InputsFile", "den är inte skriven i UTF-8 (fel vid byte %1)")
            .arg(error.offset + 1));
  }
  if (error.error != QJsonParseError::NoError) {
    return inputs_error(file_name, QCoreApplication::translate(
                                       "InputsFile",
                                       "den är skadad eller avkortad: ingen giltig JSON-text "
                                       "(fel vid byte %1)")
                                       .arg(error.offset + 1));
  }
  if (!document.isObject()) {
    return inputs_error(file_name, QCoreApplication::translate(
                                       "InputsFile", "den är ingen indatafil från VARMKALK"));
  }
  try {
    return read_kept_inputs(document.object());
  } catch (const Fault& fault) {
    return inputs_error(file_name, fault.what);
  }
}

std::variant<KeptInputs, FileError> read_inputs_file(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  if (info.exists() && !info.isFile()) {
    return inputs_error(name, QCoreApplication::translate("InputsFile", "den är ingen vanlig fil"));
  }
  if (info.size() > kLargestInputsFileBytes) {
    return inputs_error(
        name, QCoreApplication::translate(
                  "InputsFile", "den är %1 byte stor och är ingen indatafil från VARMKALK")
                  .arg(info.size()));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return inputs_error(name, file.errorString());
  }
  return parse_inputs_file(file.read(kLargestInputsFileBytes), name);
}

std::optional<FileError> write_inputs_file(const QString& path, const KeptInputs& kept) {
  const QByteArray bytes = inputs_file_bytes(kept);
  if (const std::optional<QString> reason = save_whole_file(path, bytes)) {
    return FileError{
        QCoreApplication::translate("InputsFile", "Indatafilen %1 kunde inte sparas: %2")
            .arg(QDir::toNativeSeparators(path), *reason)};
  }
  return std::nullopt;
}

FormInput input_in_locale(const KeptInputs& kept, const QLocale& locale) {
  FormInput input = kept.input;
  for (std::size_t i = 0; i < kFormFields.size(); ++i) {
    if (const std::optional<double>& number = kept.numbers[i]) {
      input.*kFormFields[i].text = form_number_text(*number, locale);
    }
  }
  return input;
}

}  // namespace varmkalk
