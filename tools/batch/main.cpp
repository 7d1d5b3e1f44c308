// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch: the engine's year for every row of a CSV table, in parallel, into another table.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <future>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/cost/year_cost.h"
#include "core/files/file_access.h"
#include "core/files/platform.h"
#include "core/formats/climate_file.h"
#include "core/formats/csv_table.h"
#include "core/run/case_run.h"
#include "core/text/utf8_text.h"
#include "tools/batch/arguments.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/batch/calibration.h"
#include "tools/batch/progress.h"
#include "tools/common/program.h"
#include "tools/common/signal_cleanup.h"

namespace {

using namespace varmkalk;
namespace fs = std::filesystem;

constexpr const char* kProgram = "kalvex-batch";
constexpr int kSomeRowsFailed = 1;
constexpr int kUnusable = 2;
constexpr std::string_view kStandardInputName = "standard in";
// The temporary files start so: the output's beside it, standard input's copy in the temporary
// folder.
constexpr std::string_view kOutputTag = "kalvex-batch";
constexpr std::string_view kStandardInputTag = "kalvex-batch-standard-in";
// Rows computed together: enough to keep every core busy, few enough that the rows, their
// results and their output stay small whatever the table's size.
constexpr std::size_t kChunkRows = 4096;
constexpr std::size_t kChunkBytes = std::size_t{16} << 20;

void write_standard_output(std::string_view text) {
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

fs::path temporary_folder() {
  std::error_code error;
  fs::path folder = fs::temp_directory_path(error);
  return error ? fs::path("/tmp") : folder;
}

// What the first pass learns of a table whose every row it has checked.
struct CheckedTable {
  std::size_t rows = 0;
  std::vector<core::BoilerCase> one_per_climate;
};

// Reads every row and checks every cell, keeping none of them: a bad cell anywhere is named
// before any case runs.
CheckedTable check_table(core::ByteSource& input, std::string_view name) {
  batch::BatchReader reader(input, name);
  CheckedTable checked;
  std::set<std::string, std::less<>> climates;
  while (const std::optional<batch::BatchRow> row = reader.next()) {
    ++checked.rows;
    if (climates.emplace(core::climate_file_name(row->input.climate)).second) {
      checked.one_per_climate.push_back(row->input);
    }
  }
  reader.throw_cell_faults();
  return checked;
}

// Rows read together and their cases.
struct Chunk {
  std::vector<core::CsvRow> rows;
  std::vector<core::BoilerCase> cases;
  std::vector<core::CostInputs> prices;
  std::vector<std::optional<double>> metered_gas_kwh;
};

// The next rows of the second pass: kChunkRows of them, fewer where they hold many bytes or the
// table ends.
Chunk read_chunk(batch::BatchReader& reader) {
  Chunk chunk;
  std::size_t bytes = 0;
  while (chunk.rows.size() < kChunkRows && bytes < kChunkBytes) {
    std::optional<batch::BatchRow> row = reader.next();
    if (!row) {
      break;
    }
    for (const std::string& field : row->row.fields) {
      bytes += field.size();
    }
    chunk.rows.push_back(std::move(row->row));
    chunk.cases.push_back(row->input);
    chunk.prices.push_back(row->prices);
    chunk.metered_gas_kwh.push_back(row->metered_gas_kwh);
  }
  // Only a file changed since the first pass has such cells now.
  reader.throw_cell_faults();
  return chunk;
}

// The row's year on the gas bill's terms; empty for a refused case.
std::optional<core::YearCost> row_cost(const core::BoilerCase& input,
                                       const core::CostInputs& prices,
                                       const core::CaseResult& result,
                                       const core::FoundClimates& climates) {
  auto cost = core::billed_year(input, result, climates.of(input), prices);
  if (auto* billed = std::get_if<core::YearCost>(&cost)) {
    return *billed;
  }
  return std::nullopt;
}

// Where the output goes: a file, written whole or not at all, or standard output.
class Output {
 public:
  explicit Output(const batch::Arguments& arguments) {
    if (arguments.output == batch::kStandardStream) {
      core::platform::pass_bytes_unchanged(stdout);
      return;
    }
    const tools::SignalsHeld held;
    file_.emplace(arguments.output, arguments.replace, kOutputTag);
    removed_.add(file_->temporary_path());
  }

  void write(std::string_view text) {
    if (file_) {
      file_->write(text);
    } else {
      write_standard_output(text);
    }
  }

  void finish() {
    if (file_) {
      file_->finish();
    }
  }

 private:
  // Declared first, so that it outlives the file: the temporary file is removed on a signal for
  // as long as it can exist.
  tools::RemovedOnSignal removed_;
  std::optional<core::FileReplacement> file_;
};

int run(const batch::Arguments& arguments) {
  // The output first: nothing is read or computed for an output that cannot be written.
  Output output(arguments);
  const bool from_standard_input = arguments.input == batch::kStandardStream;
  const std::string input_name =
      from_standard_input ? std::string(kStandardInputName) : arguments.input;
  core::InputFile input =
      from_standard_input ? core::copy_to_unnamed_file(core::platform::standard_input(), input_name,
                                                       temporary_folder(), kStandardInputTag)
                          : core::InputFile(arguments.input);
  const CheckedTable checked = check_table(input, input_name);
  input.rewind();

  const core::RunFolders folders = core::process_run_folders();
  const core::FoundClimates climates(checked.one_per_climate, folders.work_dir,
                                     folders.climate_fallback_dir);
  const unsigned threads = thread_count(arguments);
  batch::Progress progress(checked.rows, !arguments.quiet && core::platform::is_terminal(stderr));
  batch::BatchReader reader(input, input_name);
  const bool cost_columns = reader.has_cost_columns();
  const bool meter_column = reader.has_meter_column();
  if (cost_columns || meter_column) {
    batch::require_climate_years(checked.one_per_climate, climates);
  }
  output.write(batch::batch_output_header(reader.header(), cost_columns, meter_column));

  std::size_t rows = 0;
  std::size_t shortfalls = 0;
  std::size_t errors = 0;
  // The task owns a copy of the cases it computes; the rows, cases and prices stay for the output.
  // A table with the metered gas fits each row with a reading to its meter.
  const auto compute = [&](Chunk& chunk) {
    return std::async(std::launch::async,
                      [cases = chunk.cases, prices = chunk.prices, metered = chunk.metered_gas_kwh,
                       &climates, threads, meter_column] {
                        if (meter_column) {
                          return batch::calibrate_cases(cases, prices, metered, climates, threads);
                        }
                        std::vector<batch::CalibratedRow> plain;
                        for (core::CaseResult& result : core::run_cases(cases, climates, threads)) {
                          plain.push_back({std::move(result), std::nullopt, std::nullopt});
                        }
                        return plain;
                      });
  };
  // While one chunk is computed, the next is read and the one before written.
  Chunk current = read_chunk(reader);
  std::future<std::vector<batch::CalibratedRow>> computing = compute(current);
  while (!current.rows.empty()) {
    Chunk next = read_chunk(reader);
    const std::vector<batch::CalibratedRow> results = computing.get();
    if (!next.rows.empty()) {
      computing = compute(next);
    }
    std::string text;
    for (std::size_t i = 0; i < results.size(); ++i) {
      const core::CaseResult& result = results[i].result;
      if (meter_column) {
        text += batch::batch_output_row(current.rows[i], result, results[i].cost,
                                        results[i].design_heat_demand_w);
      } else if (cost_columns) {
        text += batch::batch_output_row(
            current.rows[i], result,
            row_cost(current.cases[i], current.prices[i], result, climates));
      } else {
        text += batch::batch_output_row(current.rows[i], result);
      }
      shortfalls += result.status == core::CaseStatus::shortfall ? 1 : 0;
      errors += result.status == core::CaseStatus::error ? 1 : 0;
    }
    output.write(text);
    rows += results.size();
    progress.rows_done(rows);
    current = std::move(next);
  }
  output.finish();
  progress.clear();

  std::cerr << kProgram << ": " << rows << " fall: " << rows - shortfalls - errors << " ok, "
            << shortfalls << " med dygn då pannan inte räckte till, " << errors << " vägrade\n";
  return errors > 0 ? kSomeRowsFailed : 0;
}

}  // namespace

int main(int argc, char** argv) {
  core::platform::use_utf8_console();
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
