// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/calc_identity.h"

#include "frontend/logic/run/file_names.h"

#include "core/formats/identity_name.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace varmkalk {

namespace {

// Printable ASCII: outside it the engine's 8-bit file names and the front end's names need
// not be the same bytes.
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kLastPrintable = 0x7E;

bool usable_in_file_name(QChar character) {
  const char16_t code = character.unicode();
  return code >= kFirstPrintable && code <= kLastPrintable && character != QLatin1Char('/') &&
         character != QLatin1Char('\\');
}

}  // namespace

std::optional<QString> identity_refusal(const QString& identity) {
  if (identity.trimmed().isEmpty()) {
    return QCoreApplication::translate("CalcIdentity",
                                       "Skriv en beräkningsidentitet på ett till fyra tecken.");
  }
  if (identity.size() > kIdentityLength) {
    return QCoreApplication::translate("CalcIdentity",
                                       "Beräkningsidentiteten får vara högst fyra tecken lång.");
  }
  for (const QChar character : identity) {
    if (!usable_in_file_name(character)) {
      return QCoreApplication::translate(
          "CalcIdentity",
          "Beräkningsidentiteten får bara innehålla bokstäverna A–Z och a–z, siffror och "
          "vanliga tecken, inte å, ä, ö, / eller \\ och inga styrtecken. "
          "Den används som början på resultatfilernas namn.");
    }
  }
  return std::nullopt;
}

std::optional<QString> new_identity_refusal(const QString& identity) {
  if (std::optional<QString> refusal = identity_refusal(identity)) {
    return refusal;
  }
  const std::optional<core::PortableNameFault> fault =
      core::identity_name_fault(core::CalcIdentity(identity.toStdString()));
  if (!fault) {
    return std::nullopt;
  }
  const std::string padded = core::CalcIdentity(identity.toStdString()).padded();
  return QCoreApplication::translate(
             "varmkalk::CalcIdentity",
             "Beräkningsidentiteten %1 %2. Resultatfilernas namn ska gå att använda i både Linux "
             "och Windows.")
      .arg(identity, QString::fromStdString(core::portable_name_fault_text(*fault, padded)));
}

bool identity_in_use(const QString& folder, const QString& identity) {
  const QDir dir(folder);
  for (const QString& name : identity_file_names(identity)) {
    if (QFileInfo::exists(dir.filePath(name))) {
      return true;
    }
  }
  return QFileInfo::exists(dir.filePath(inputs_file_name(identity)));
}

QString identity_in_use_message(const QString& identity) {
  return QCoreApplication::translate("CalcIdentity", "Beräkningsidentiteten ") + identity +
         QCoreApplication::translate("CalcIdentity", " finns redan.") + QLatin1Char('\n') +
         QCoreApplication::translate("CalcIdentity", "   Välj en annan beräkningidentitet.");
}

}  // namespace varmkalk
