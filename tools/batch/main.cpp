// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch: the engine's year for every row of a CSV table, in parallel, into another table.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/files/file_access.h"
#include "core/formats/climate_file.h"
#include "core/formats/csv_table.h"
#include "core/run/case_run.h"
#include "core/text/utf8_text.h"
#include "tools/batch/arguments.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/common/program.h"

namespace {

using namespace varmkalk;

constexpr const char* kProgram = "kalvex-batch";
constexpr int kSomeRowsFailed = 1;
constexpr int kUnusable = 2;
constexpr std::string_view kStandardInputName = "standard in";
// The same limit as for a file: far more than a million cases.
constexpr std::size_t kLargestInput = std::size_t{256} * 1024 * 1024;
constexpr std::size_t kReadBlock = 1 << 16;

std::string read_standard_input() {
  std::string bytes;
  std::vector<char> block(kReadBlock);
  std::size_t count = 0;
  while ((count = std::fread(block.data(), 1, block.size(), stdin)) > 0) {
    bytes.append(block.data(), count);
    if (bytes.size() > kLargestInput) {
      throw core::FileAccessError(std::string(kStandardInputName) + ": indata är större än " +
                                  std::to_string(kLargestInput / (1024 * 1024)) + " MiB");
    }
  }
  if (std::ferror(stdin)) {
    throw core::FileAccessError(std::string(kStandardInputName) + ": kan inte läsas");
  }
  return bytes;
}

void write_standard_output(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    throw core::FileAccessError("standard ut: kan inte skrivas");
  }
}

unsigned thread_count(const batch::Arguments& arguments) {
  if (arguments.threads > 0) {
    return arguments.threads;
  }
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? cores : 1;
}

int run(const batch::Arguments& arguments) {
  const bool from_standard_input = arguments.input == batch::kStandardStream;
  const bool to_standard_output = arguments.output == batch::kStandardStream;
  if (!to_standard_output) {
    core::require_target(arguments.output, arguments.replace);
  }
  const std::string input_name =
      from_standard_input ? std::string(kStandardInputName) : arguments.input;
  const std::string bytes =
      from_standard_input ? read_standard_input() : core::read_file(arguments.input);
  const batch::BatchInput input = batch::read_batch_input(bytes, input_name);

  const core::RunFolders folders = core::process_run_folders();
  const core::FoundClimates climates(input.cases, folders.work_dir, folders.climate_fallback_dir);
  const std::vector<core::CaseResult> results =
      core::run_cases(input.cases, climates, thread_count(arguments));
  const std::string text = batch::batch_output_text(input.table, results);
  if (to_standard_output) {
    write_standard_output(text);
  } else {
    core::write_file(arguments.output, text, arguments.replace);
  }

  std::size_t shortfalls = 0;
  std::size_t errors = 0;
  for (const core::CaseResult& result : results) {
    shortfalls += result.status == core::CaseStatus::shortfall ? 1 : 0;
    errors += result.status == core::CaseStatus::error ? 1 : 0;
  }
  std::cerr << kProgram << ": " << results.size()
            << " fall: " << results.size() - shortfalls - errors << " ok, " << shortfalls
            << " med dygn då pannan inte räckte till, " << errors << " vägrade\n";
  return errors > 0 ? kSomeRowsFailed : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = batch::parse_arguments(tools::program_arguments(argc, argv));
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    return tools::report_usage(kProgram, *problem, kUnusable);
  }
  const auto& arguments = std::get<batch::Arguments>(parsed);
  if (arguments.help) {
    std::cout << batch::help_text();
    return 0;
  }
  return tools::reporting_failures(kProgram, kUnusable, [&] {
    try {
      return run(arguments);
    } catch (const core::CsvError& error) {
      return tools::report(kProgram, error.what(), kUnusable);
    } catch (const batch::BatchInputError& error) {
      // One line per faulty cell.
      const std::string_view lines = error.what();
      for (std::size_t start = 0; start < lines.size();) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        tools::report(kProgram, lines.substr(start, end - start), kUnusable);
        start = end + 1;
      }
      return kUnusable;
    }
  });
}
