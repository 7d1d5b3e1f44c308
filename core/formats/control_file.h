// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/case/boiler_case.h"

namespace varmkalk::core {

inline constexpr std::string_view kControlFileName = "styrfil.dat";
// Lines of the control file that every case has.
inline constexpr int kControlFileLines = 23;
// Two more lines for a climate file of the user's own: its name, a text line like the code lines
// (ending in ".dat"), and its design outdoor temperature, a number line. A file whose line 24
// names no climate file reads exactly as one of 23 lines, whatever follows, unless line 24 looks
// like a file's name (looks_like_file_name) or is a number while line 25 looks like one: such a
// file is refused, since it would run with line 17's place in silence.
inline constexpr int kClimateFileLine = 24;
inline constexpr int kDesignOutdoorTempLine = 25;
// Three more for a heating system dimensioned for temperatures of its own: line 26 holds the
// keyword SYSTEMTEMP (its first 20 characters, trailing blanks dropped, either case), lines 27
// and 28 the design supply and return temperatures as number lines. Any other line 26 changes
// nothing. Line 18 then holds B, so that a reader that knows only the letters computes 55/45
// rather than 80/60; beside an A the typed pair must be 80/60.
inline constexpr int kDesignTemperaturesKeyLine = 26;
inline constexpr int kDesignSupplyTempLine = 27;
inline constexpr int kDesignReturnTempLine = 28;

enum class ControlLineKind {
  number,    // a number in columns 1 to 11, a point as decimal separator
  code,      // a code letter: the first 20 characters of the line
  identity,  // the calculation identity: the first 4 characters of the line
};

// One line of the control file: where it stands, what it holds and how the case gives and takes
// its value. The reader the engine uses and the writer the front end uses are both built from
// the one table of these.
struct ControlLine {
  int line;                // 1-based
  std::string_view field;  // e.g. "burner_max_power"
  ControlLineKind kind;
  std::string_view unit;  // in the file, e.g. "W"
  float (*number)(const BoilerCase&);
  void (*set_number)(BoilerCase&, float);
  std::string (*text)(const BoilerCase&);
  void (*set_text)(BoilerCase&, std::string_view);
};

extern const std::array<ControlLine, kControlFileLines> kControlLines;

// Takes one line's value into the case: a number line read from its first 11 columns (throws
// ConversionError when they hold no number), a code or identity line from its first 20 or 4
// characters as they stand.
void read_control_line(const ControlLine& line, std::string_view text, BoilerCase& into);

// The lines of the control file for the case, in Windows-1252, without line ends: numbers as the
// shortest text that reads back as the same value, code lines as the bare letter, the identity as
// given, lines 24 and 25 only for a climate file of the user's own (blank when only lines 26 to 28
// follow), and lines 26 to 28 only for a heating system that is neither of the lettered ones. A
// single-stage burner's two powers are one value, so lines 4 and 5 are always equal. Throws
// std::invalid_argument naming the field when a number is not finite.
std::vector<std::string> control_file_lines(const BoilerCase& input);

// True when a line 24 names a climate file: its first 20 characters, trailing blanks dropped, end
// in ".dat" after at least one character.
bool names_climate_file(std::string_view line);

// True when a line 26 announces typed design temperatures.
bool names_design_temperatures(std::string_view line);

// The whole file: every line ended by CR LF.
std::string control_file_text(const BoilerCase& input);

// Reads the 23 values of styrfil.dat in `work_dir`, and lines 24 and 25 when line 24 names a
// climate file, and lines 26 to 28 when line 26 announces design temperatures. A missing file is
// an error and is not created. Throws RunError naming the line and the fault; an own climate
// file's name must hold no path separator and no control character, and its design outdoor
// temperature must be given; typed design temperatures must both be given and keep the rule of
// design_temperature_fault.
BoilerCase read_control_file(const std::filesystem::path& work_dir);

// The case from the lines of a control file as read_control_file takes them from the file (each
// without its line end, as the file's reader gives them), with the same faults: what the engine
// reads for the lines that control_file_lines writes.
BoilerCase read_control_lines(std::span<const std::string> lines);

}  // namespace varmkalk::core
