// SPDX-License-Identifier: GPL-3.0-or-later
// A whole engine run with the boiler model in a fresh folder. The input is split at 0xFF bytes into
// the control file, the climate file (under all six climate names) and, optionally, names of files
// that exist before the run, one per line (a name ending in '/' is a folder). The run must end with
// status 0 and four complete result files free of NaN and infinity, or with status 1 and one
// clear line on the error stream; what existed before stays as it was, and nothing is created
// outside the working folder.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/tests/support/crlf_lines.h"
#include "engine/run_sequence.h"
#include "fuzz/fuzz_support.h"

namespace {

using varmkalk::fuzz::finding;
using varmkalk::fuzz::require;
using varmkalk::testing::crlf_line_count;

constexpr char kSeparator = '\xFF';
constexpr const char* kControlName = "styrfil.dat";
constexpr const char* kResultName = "resultat.dat";
constexpr const char* kClimateNames[] = {"malmo.dat", "jkping.dat",   "sthlm.dat",
                                         "falun.dat", "ostersnd.dat", "kiruna.dat"};
constexpr int kReportLines = 45;
constexpr std::size_t kDailyLineLength = 87;

struct RunInput {
  std::string control;
  std::string climate;
  std::vector<std::string> existing;
};

RunInput split_input(std::string_view bytes) {
  RunInput input;
  const std::size_t first = bytes.find(kSeparator);
  input.control = std::string(bytes.substr(0, first));
  if (first == std::string_view::npos) {
    return input;
  }
  const std::size_t second = bytes.find(kSeparator, first + 1);
  input.climate = std::string(bytes.substr(first + 1, second - (first + 1)));
  if (second == std::string_view::npos) {
    return input;
  }
  std::string_view names = bytes.substr(second + 1);
  while (!names.empty()) {
    const std::size_t end = names.find('\n');
    input.existing.emplace_back(names.substr(0, end));
    names = end == std::string_view::npos ? std::string_view() : names.substr(end + 1);
  }
  return input;
}

// A name the harness can create inside the folder: no path, no NUL, not a name the run's input
// files already have.
bool usable_name(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.size() > 64 ||
      name.find('\0') != std::string_view::npos || name.find('/') != std::string_view::npos ||
      name == kControlName) {
    return false;
  }
  for (const char* climate : kClimateNames) {
    if (name == climate) {
      return false;
    }
  }
  return true;
}

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// NaN and infinity as any printing routine spells them, in either case, as words of their own
// ("pannan" in a label is no NaN).
void require_no_nan_or_inf(std::string_view text, const std::string& file) {
  std::string word;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    const char c = at < text.size() ? text[at] : ' ';
    const bool letter =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
    if (letter) {
      word += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      continue;
    }
    require(word != "nan" && word != "inf" && word != "infinity",
            "a result file holds NaN or infinity", file);
    word.clear();
  }
}

void require_daily_file(const std::string& text, const std::string& name) {
  require(text.size() % (kDailyLineLength + 2) == 0, "a daily file has a line of another length",
          name);
  for (std::size_t at = 0; at < text.size(); at += kDailyLineLength + 2) {
    require(text.compare(at + kDailyLineLength, 2, "\r\n") == 0,
            "a daily line does not end in CR LF", name);
  }
  require_no_nan_or_inf(text, name);
}

void check_complete_run(const varmkalk::fuzz::ScratchFolder& work,
                        const std::set<std::string>& before, const std::string& out,
                        const std::string& err) {
  require(out == "\n\n", "a complete run wrote something else than two empty lines", out);
  std::istringstream warnings(err);
  for (std::string line; std::getline(warnings, line);) {
    varmkalk::fuzz::require_clear_message(line, "Varning: ");
  }

  // The pump result file is the only one whose name ends in "sum_c.dat"; the identity in front
  // of it names the other two.
  std::set<std::string> created;
  std::string stem;
  for (const std::string& name : work.names()) {
    if (before.count(name) == 0) {
      created.insert(name);
      if (ends_with(name, "sum_c.dat")) {
        stem = name.substr(0, name.size() - 9);
      }
    }
  }
  const std::string raw_name = stem + ".dat";
  const std::string summary_name = stem + "sum.dat";
  const std::string pump_name = stem + "sum_c.dat";
  require(created == std::set<std::string>{raw_name, summary_name, pump_name, kResultName},
          "a complete run did not leave exactly the four result files");

  const std::string report = work.read(kResultName);
  require(crlf_line_count(report) == kReportLines && ends_with(report, "\r\n\r\n"),
          "resultat.dat is not a whole report");
  require(work.read(summary_name) == "\r\n\r\n" + report,
          "the summary file is not resultat.dat with two empty lines before it", summary_name);
  // The file names echoed in the report are the identity's characters, not numbers.
  std::string numbers = report;
  for (const std::string& name : {raw_name, summary_name, pump_name}) {
    for (std::size_t at = numbers.find(name); at != std::string::npos; at = numbers.find(name)) {
      numbers.erase(at, name.size());
    }
  }
  require_no_nan_or_inf(numbers, kResultName);

  const std::string raw = work.read(raw_name);
  const std::string pump = work.read(pump_name);
  require(raw.size() == pump.size(), "the two daily files differ in their number of lines");
  require_daily_file(raw, raw_name);
  require_daily_file(pump, pump_name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  using namespace varmkalk::engine;
  // Every run gets a fresh folder inside this one, so that anything the run might create
  // beside its working folder shows.
  static const fuzz::ScratchFolder base;
  const RunInput input = split_input(fuzz::bytes_of(data, size));

  const fuzz::ScratchFolder work(base.path());
  std::map<std::string, std::string> before;
  work.write(kControlName, input.control);
  before[kControlName] = input.control;
  for (const char* climate : kClimateNames) {
    work.write(climate, input.climate);
    before[climate] = input.climate;
  }
  std::set<std::string> folders;
  for (std::string name : input.existing) {
    const bool folder = ends_with(name, "/");
    if (folder) {
      name.pop_back();
    }
    if (!usable_name(name) || before.count(name) != 0 || folders.count(name) != 0) {
      continue;
    }
    if (folder) {
      std::filesystem::create_directory(work.path() / name);
      folders.insert(name);
    } else {
      const std::string content = "tidigare innehåll i " + name + "\r\n";
      work.write(name, content);
      before[name] = content;
    }
  }

  std::ostringstream out;
  std::ostringstream err;
  int status = 0;
  try {
    status = run_kalvex({work.path(), {}}, out, err);
  } catch (const std::exception& e) {
    finding("run_kalvex let an exception escape", e.what());
  }

  for (const auto& [name, content] : before) {
    require(work.read(name) == content, "a file that existed before the run was changed", name);
  }
  for (const std::string& name : folders) {
    require(std::filesystem::is_directory(work.path() / name) &&
                std::filesystem::is_empty(work.path() / name),
            "a folder that existed before the run was changed", name);
  }
  require(base.names().size() == 1, "the run created something outside its working folder");

  std::set<std::string> names_before = folders;
  for (const auto& entry : before) {
    names_before.insert(entry.first);
  }
  if (status == 0) {
    check_complete_run(work, names_before, out.str(), err.str());
  } else {
    require(status == 1, "the run ended with a status other than 0 or 1");
    const std::string message = err.str();
    require(!message.empty() && message.find('\n') == message.size() - 1,
            "a failed run did not write exactly one line on the error stream", message);
    fuzz::require_clear_message(message.substr(0, message.size() - 1), "");
  }
  return 0;
}
