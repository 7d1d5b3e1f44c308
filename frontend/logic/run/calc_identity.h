// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

#include "core/case/calc_identity.h"

namespace varmkalk {

// The engine takes four characters of the identity and pads a shorter one with blanks.
inline constexpr auto kIdentityLength = static_cast<qsizetype>(core::CalcIdentity::kLength);

// Why an identity cannot be used (Swedish, for a message box), or nothing when it can: it must
// hold one to four characters, not only blanks, and only printable ASCII other than / and \,
// so that the front end and the engine name the same files.
std::optional<QString> identity_refusal(const QString& identity);

// Why an identity typed for a new calculation cannot be used: as identity_refusal, and also
// where its result files would not be the same files on Windows as on Linux (a character such as
// ":" or "?", a device name such as "nul" or "COM1"), which the engine refuses. Calculations kept
// under such an identity before are still read and deleted as they were.
std::optional<QString> new_identity_refusal(const QString& identity);

// True when any of the identity's three files exists in the folder, which the engine would refuse
// to create, or its inputs file, which belongs to the calculation kept under it.
bool identity_in_use(const QString& folder, const QString& identity);

// The message for an identity in use, with the identity as typed.
QString identity_in_use_message(const QString& identity);

}  // namespace varmkalk
