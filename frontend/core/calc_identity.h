#pragma once

#include <QString>

#include <array>
#include <optional>

namespace varmkalk {

// The engine takes four characters of the identity and pads a shorter one with blanks.
inline constexpr qsizetype kIdentityLength = 4;

// The identity as the engine uses it in file names: "ab" becomes "ab" and two blanks.
QString padded_identity(const QString& identity);

// The engine's three identity files, in the order in which they are deleted: the padded
// identity followed by ".dat", "sum.dat" and "sum_c.dat".
std::array<QString, 3> identity_file_names(const QString& identity);

// Why an identity cannot be used (Swedish, for a message box), or nothing when it can: it must
// hold one to four characters, not only blanks, and only printable ASCII other than / and \,
// so that the front end and the engine name the same files.
std::optional<QString> identity_refusal(const QString& identity);

// True when any of the identity's three files exists in the folder: the engine would refuse
// to create it.
bool identity_in_use(const QString& folder, const QString& identity);

// The message for an identity in use, with the identity as typed.
QString identity_in_use_message(const QString& identity);

}  // namespace varmkalk
