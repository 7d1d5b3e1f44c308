#pragma once

#include "field_error.h"
#include "file_error.h"
#include "form_input.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <variant>

namespace varmkalk {

inline constexpr int kControlFileLineCount = 23;
inline constexpr char kControlFileName[] = "styrfil.dat";

// The lines of styrfil.dat in file order, without their line ends.
using ControlFileLines = std::array<QString, kControlFileLineCount>;

// The control file for the input of the form and the confirmed calculation identity: units
// converted, loss constants fitted, every number read by the user's locale and written with a
// point so that the engine reads it from its first 11 columns. Fails, naming the field, when
// a needed text is not a number, a derivation would divide by zero or take a logarithm or
// power of a value that is not positive, a value is too large for the engine's 32-bit numbers,
// a component is not chosen, or the identity cannot be used.
std::variant<ControlFileLines, FieldError> derive_control_file(const FormInput& input,
                                                               const QString& identity,
                                                               const QLocale& locale);

// Writes the lines to styrfil.dat in the folder, each ended by CR LF, in Windows-1252. The
// file is written beside the target and renamed over it only when complete, so an existing
// styrfil.dat is either replaced whole or left as it was.
std::optional<FileError> write_control_file(const QString& folder, const ControlFileLines& lines);

}  // namespace varmkalk
