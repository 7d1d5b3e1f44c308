// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch: the engine's year for every row of a CSV table, in parallel, into another table.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <future>
#include <iostream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/files/file_access.h"
#include "core/files/platform.h"
#include "core/files/same_file.h"
#include "core/files/system_error_text.h"
#include "core/formats/climate_file.h"
#include "core/formats/csv_table.h"
#include "core/run/case_run.h"
#include "core/text/utf8_text.h"
#include "tools/batch/arguments.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/batch_output.h"
#include "tools/batch/batch_row.h"
#include "tools/batch/output_name.h"
#include "tools/batch/progress.h"
#include "tools/batch/row_computation.h"
#include "tools/batch/table_fingerprint.h"
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
    throw core::FileAccessError("standard ut: kan inte skrivas: " + core::system_error_text(errno));
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

// The input no longer holds the table the first pass checked: rewritten in place while the
// program ran, say. The rows computed from it would not be those of one table.
class TableChangedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the first pass learns of a table whose every row it has checked.
struct CheckedTable {
  std::size_t rows = 0;
  std::vector<core::BoilerCase> one_per_climate;
  std::set<std::string, std::less<>> climates;
  std::vector<std::string> header;
  batch::TableFingerprint fingerprint;
  batch::HeatPumpUnits units;  // the certified heat pumps the rows name, read
};

// Reads every row and checks every cell, keeping none of them: a bad cell anywhere is named
// before any case runs. The heat pumps' files are read once every cell is sound.
CheckedTable check_table(core::ByteSource& input, std::string_view name) {
  batch::FingerprintedSource source(input);
  batch::BatchReader reader(source, name);
  CheckedTable checked;
  checked.header = reader.header();
  while (const std::optional<batch::BatchRow> row = reader.next()) {
    ++checked.rows;
    if (checked.climates.emplace(batch::climate_file(*row)).second) {
      checked.one_per_climate.push_back(row->input);
    }
    if (row->heat_pump) {
      checked.units.note(*row->heat_pump, row->row.line);
    }
  }
  reader.throw_cell_faults();
  checked.fingerprint = source.fingerprint();
  checked.units.load(name);
  return checked;
}

// Rows read together and, once computed, what was computed of each.
struct Chunk {
  std::vector<batch::BatchRow> rows;
  std::vector<batch::ComputedRow> computed;
};

// The second pass over the input: the rows the first pass checked, a chunk at a time, or
// TableChangedError as soon as the bytes show that the file changed, and at the latest once
// they are all read. Nothing of the table is kept but its fingerprint.
class SecondPass {
 public:
  SecondPass(core::ByteSource& input, std::string_view name, const CheckedTable& checked,
             bool to_standard_output)
      : source_(input),
        name_(name),
        checked_(checked),
        to_standard_output_(to_standard_output),
        reader_(opened(source_, name)) {
    if (reader_.header() != checked.header) {
      throw changed("rad " + std::to_string(reader_.header_line()) +
                    " namnger inte längre samma kolumner");
    }
  }

  const batch::BatchReader& reader() const { return reader_; }

  // The next rows: kChunkRows of them, fewer where they hold many bytes or the table ends.
  Chunk next_chunk() {
    Chunk chunk;
    std::size_t bytes = 0;
    while (chunk.rows.size() < kChunkRows && bytes < kChunkBytes) {
      std::optional<batch::BatchRow> row = read_row();
      if (!row) {
        break;
      }
      if (++rows_ > checked_.rows) {
        throw changed("den har fler rader än när den kontrollerades");
      }
      if (!checked_.climates.contains(batch::climate_file(*row))) {
        throw changed("rad " + std::to_string(row->row.line) + " har klimatfilen " +
                      std::string(batch::climate_file(*row)) +
                      ", som ingen rad hade när den kontrollerades");
      }
      if (row->heat_pump && !checked_.units.has(*row->heat_pump)) {
        throw changed("rad " + std::to_string(row->row.line) + " anger värmepumpen " +
                      core::quoted_for_message(row->heat_pump->model) + " i " +
                      core::quoted_for_message(row->heat_pump->unit_file) +
                      ", som ingen rad angav när den kontrollerades");
      }
      for (const std::string& field : row->row.fields) {
        bytes += field.size();
      }
      chunk.rows.push_back(std::move(*row));
    }
    try {
      reader_.throw_cell_faults();
    } catch (const batch::BatchInputError& error) {
      throw changed("nu " + first_line(error.what()));
    }
    return chunk;
  }

  // Throws TableChangedError unless the rows and bytes read are those the first pass checked.
  void finish() const {
    const batch::TableFingerprint& now = source_.fingerprint();
    if (rows_ != checked_.rows || now.bytes != checked_.fingerprint.bytes) {
      throw changed("den har nu " + std::to_string(rows_) + " rader och " +
                    std::to_string(now.bytes) + " byte, när den kontrollerades " +
                    std::to_string(checked_.rows) + " rader och " +
                    std::to_string(checked_.fingerprint.bytes) + " byte");
    }
    if (now != checked_.fingerprint) {
      throw changed("dess byte är inte längre de som kontrollerades");
    }
    if (const std::optional<std::string> unit_file = checked_.units.changed_file()) {
      throw changed("värmepumpens fil " + core::quoted_for_message(*unit_file) +
                    " är inte längre den som lästes");
    }
  }

 private:
  static std::string first_line(std::string_view text) {
    return std::string(text.substr(0, text.find('\n')));
  }

  batch::BatchReader opened(core::ByteSource& source, std::string_view name) const {
    try {
      return batch::BatchReader(source, name);
    } catch (const core::CsvError& error) {
      throw changed("nu " + first_line(error.what()));
    } catch (const batch::BatchInputError& error) {
      throw changed("nu " + first_line(error.what()));
    }
  }

  std::optional<batch::BatchRow> read_row() {
    try {
      return reader_.next();
    } catch (const core::CsvError& error) {
      throw changed("nu " + first_line(error.what()));
    }
  }

  // Rows already on standard output cannot be taken back; a file is never written.
  TableChangedError changed(const std::string& why) const {
    return TableChangedError(
        core::message_safe(name_) + ": filen ändrades under körningen, efter att varje rad " +
        "kontrollerats: " + why +
        (to_standard_output_ ? "; raderna som redan skrivits på standard ut hör inte till en och "
                               "samma tabell"
                             : "; utdata skrevs inte"));
  }

  batch::FingerprintedSource source_;
  std::string name_;
  const CheckedTable& checked_;
  bool to_standard_output_;
  batch::BatchReader reader_;
  std::size_t rows_ = 0;
};

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

// Why the output cannot be written, found before anything is read: its name, and on a system
// that cannot replace a file being read, the input itself as the output.
std::optional<std::string> output_fault(const batch::Arguments& arguments) {
  if (arguments.output == batch::kStandardStream) {
    return std::nullopt;
  }
  // The temporary file's name adds ".TAG-XXXXXX".
  const std::size_t suffix = 1 + kOutputTag.size() + 7;
  if (std::optional<std::string> fault = batch::output_name_fault(arguments.output, suffix)) {
    return fault;
  }
  if (!core::platform::replaces_open_files() && arguments.input != batch::kStandardStream &&
      core::platform::same_file(core::platform::path_from_utf8(arguments.input),
                                core::platform::path_from_utf8(arguments.output))) {
    return core::shown_name(arguments.output) +
           ": är samma fil som indata, som det här systemet inte kan ersätta medan den läses; "
           "skriv tabellen till en annan fil";
  }
  return std::nullopt;
}

int run(const batch::Arguments& arguments) {
  if (const std::optional<std::string> fault = output_fault(arguments)) {
    return tools::report(kProgram, *fault, kUnusable);
  }
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
  SecondPass pass(input, input_name, checked, arguments.output == batch::kStandardStream);
  const batch::TableKind kind = pass.reader().kind();
  const bool heat_pump = pass.reader().has_heat_pump();
  if (kind != batch::TableKind::plain || heat_pump) {
    batch::require_climate_years(checked.one_per_climate, climates);
  }
  const std::vector<batch::OutputColumn> columns =
      batch::batch_output_columns(pass.reader().header(), kind, heat_pump);
  output.write(batch::batch_output_header(columns));

  std::size_t rows = 0;
  std::size_t shortfalls = 0;
  std::size_t errors = 0;
  // The task owns the chunk while it computes it and hands it back, rows and results, for the
  // output.
  const batch::HeatPumpUnits& units = checked.units;
  const auto compute = [&climates, &units, threads, kind](Chunk chunk) {
    return std::async(
        std::launch::async, [chunk = std::move(chunk), &climates, &units, threads, kind]() mutable {
          chunk.computed = batch::compute_rows(chunk.rows, climates, kind, units, threads);
          return std::move(chunk);
        });
  };
  // While one chunk is computed, the next is read and the one before written.
  std::future<Chunk> computing;
  if (Chunk first = pass.next_chunk(); !first.rows.empty()) {
    computing = compute(std::move(first));
  }
  while (computing.valid()) {
    Chunk next = pass.next_chunk();
    const Chunk done = computing.get();
    if (!next.rows.empty()) {
      computing = compute(std::move(next));
    }
    std::string text;
    for (std::size_t i = 0; i < done.rows.size(); ++i) {
      const core::CaseResult& result = done.computed[i].result;
      text += batch::batch_output_row(columns, done.rows[i], done.computed[i]);
      shortfalls += result.status == core::CaseStatus::shortfall ? 1 : 0;
      errors += result.status == core::CaseStatus::error ? 1 : 0;
    }
    output.write(text);
    rows += done.rows.size();
    progress.rows_done(rows);
  }
  pass.finish();
  output.finish();
  progress.clear();

  std::cerr << kProgram << ": " << rows << " fall: " << rows - shortfalls - errors << " ok, "
            << shortfalls << " med dygn då pannan inte räckte till, " << errors << " vägrade\n";
  return errors > 0 ? kSomeRowsFailed : 0;
}

}  // namespace

int main(int argc, char** argv) {
  core::platform::use_utf8_console();
  tools::write_failures_beyond_file_size_limit();
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
    } catch (const TableChangedError& error) {
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
