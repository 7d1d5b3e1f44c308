// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an inputs file xxxxindata.json: the reader either gives inputs that are
// written back and read again as the same, whose numbers the form reads back from the texts it
// shows them in, or refuses the whole file with one Swedish line that names it.
#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <variant>

#include "frontend/logic/form/form_number.h"
#include "frontend/logic/kept/inputs_file.h"
#include "fuzz/fuzz_support.h"

namespace {

using varmkalk::FileError;
using varmkalk::KeptInputs;
using varmkalk::kFormFields;

bool same(const KeptInputs& a, const KeptInputs& b) {
  for (std::size_t i = 0; i < kFormFields.size(); ++i) {
    if (a.input.*kFormFields[i].text != b.input.*kFormFields[i].text ||
        a.numbers[i] != b.numbers[i]) {
      return false;
    }
  }
  return a.version == b.version && a.identity == b.identity && a.saved == b.saved &&
         a.locale_name == b.locale_name && a.listing == b.listing &&
         a.input.burner == b.input.burner && a.input.climate == b.input.climate &&
         a.input.min_return_temp == b.input.min_return_temp &&
         a.input.heating_system == b.input.heating_system &&
         a.input.hot_water_heater == b.input.hot_water_heater &&
         a.input.convection_source == b.input.convection_source &&
         a.input.standby_source == b.input.standby_source &&
         a.input.own_climate == b.input.own_climate &&
         a.input.own_design_temps == b.input.own_design_temps &&
         a.input.own_climate_file == b.input.own_climate_file && a.prices == b.prices;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const auto read = parse_inputs_file(bytes, QStringLiteral("in.json"));
    if (const auto* error = std::get_if<FileError>(&read)) {
      const QByteArray message = error->message.toUtf8();
      fuzz::require(!error->message.contains(QLatin1Char('\n')), "a message of several lines",
                    message.toStdString());
      fuzz::require(
          error->message.startsWith(QStringLiteral("Indatafilen in.json kan inte läsas: ")),
          "a message that does not name the file", message.toStdString());
      return 0;
    }
    const KeptInputs& kept = std::get<KeptInputs>(read);
    fuzz::require(kept.version >= 1 && kept.version <= kInputsFileVersion,
                  "a version this program cannot read was read");
    const auto again = parse_inputs_file(inputs_file_bytes(kept), QStringLiteral("out.json"));
    fuzz::require(std::holds_alternative<KeptInputs>(again), "the written file is refused",
                  std::holds_alternative<FileError>(again)
                      ? std::get<FileError>(again).message.toStdString()
                      : std::string());
    fuzz::require(same(std::get<KeptInputs>(again), kept), "the written file reads otherwise");
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Swedish, QLocale::Sweden)}) {
      const FormInput shown = input_in_locale(kept, locale);
      for (std::size_t i = 0; i < kFormFields.size(); ++i) {
        if (kept.numbers[i]) {
          fuzz::require(read_form_number(shown.*kFormFields[i].text, locale) == kept.numbers[i],
                        "a number the form reads back otherwise",
                        (shown.*kFormFields[i].text).toStdString());
        }
      }
    }
  } catch (const std::exception& e) {
    fuzz::finding("the inputs file reader ended with an exception", e.what());
  }
  return 0;
}
