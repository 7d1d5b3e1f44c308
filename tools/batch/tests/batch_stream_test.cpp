// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch on tables of any size: every row is checked before any case runs, in bounded
// memory; the output is checked before anything is read; and a run ended by a signal leaves
// neither a temporary file nor a changed output behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/case/climates.h"
#include "core/tests/support/temp_folder.h"
#include "core/tests/support/worked_example.h"
#include "tools/batch/progress.h"
#include "tools/batch/tests/batch_table.h"

extern char** environ;

namespace varmkalk::batch {
namespace {

using testing::TempFolder;
using namespace std::chrono_literals;

// The program in `folder` with `arguments` (shell words); a program still running after a while
// hangs.
int run_batch(const TempFolder& folder, const std::string& arguments) {
  // A file-size limit too: a program that copied standard input it should refuse unread would
  // otherwise fill the disk before the timeout.
  const std::string command = "cd '" + folder.path().string() +
                              "' && ulimit -f 65536 && timeout 60 '" + KALVEX_BATCH_PROGRAM + "' " +
                              arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// `rows` rows of the worked example, the last one's `last_row_end` put after its last cell.
std::string large_table(std::size_t rows, const std::string& last_row_end = "") {
  const std::string one = batch_table({testing::worked_example()});
  const std::size_t header_end = one.find('\n') + 1;
  const std::string header = one.substr(0, header_end);
  std::string row = one.substr(header_end);
  std::string text = header;
  text.reserve(header.size() + rows * row.size() + last_row_end.size());
  for (std::size_t i = 1; i < rows; ++i) {
    text += row;
  }
  row.insert(row.size() - 2, last_row_end);
  return text + row;
}

TEST(BatchStream, ABadCellOnTheLastRowOfALargeTableIsNamedInBoundedMemoryAndNothingWritten) {
  constexpr std::size_t kRows = 300000;
  constexpr int kDataLimitKib = 150 * 1024;
  TempFolder folder;
  // The last column, heater_loss, given a letter O for a zero.
  folder.write("in.csv", large_table(kRows, "O"));
  // Far less memory than the table takes in rows. AddressSanitizer reserves its shadow memory
  // beyond any such limit, so a sanitized build runs without it.
  const std::string limit =
      kSanitized ? std::string() : "ulimit -d " + std::to_string(kDataLimitKib) + " && ";
  const std::string limited =
      "(" + limit + "'" + std::string(KALVEX_BATCH_PROGRAM) + "' in.csv out.csv)";
  const std::string command =
      "cd '" + folder.path().string() + "' && " + limited + " >out.txt 2>err.txt";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 2);
  const std::string errors = folder.read("err.txt");
  const std::string place =
      "kalvex-batch: in.csv, rad " + std::to_string(kRows + 1) + ", kolumn 22 (\"heater_loss\"): ";
  EXPECT_EQ(errors.substr(0, place.size()), place) << errors;
  EXPECT_TRUE(errors.ends_with("O\" är inget tal\n")) << errors;
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"err.txt", "in.csv", "out.txt"}));
}

// Standard output cannot be taken back: the first pass names a bad cell on any row, also one
// chunks of rows beyond the first, before the header or any row is written.
TEST(BatchStream, ABadCellAnywhereRefusesTheTableBeforeAnythingReachesStandardOutput) {
  TempFolder folder;
  for (const std::size_t rows : {std::size_t{1}, std::size_t{3}, std::size_t{10000}}) {
    SCOPED_TRACE(rows);
    folder.write("in.csv", large_table(rows, "O"));
    for (const std::string arguments : {"in.csv -", "- - <in.csv"}) {
      SCOPED_TRACE(arguments);
      EXPECT_EQ(run_batch(folder, arguments), 2);
      EXPECT_EQ(folder.read("out.txt"), "");
      EXPECT_NE(folder.read("err.txt").find(", rad " + std::to_string(rows + 1) + ", kolumn 22"),
                std::string::npos)
          << folder.read("err.txt");
    }
  }
}

// Rows are computed in chunks bounded both in rows and in bytes: neither a long table of short
// rows nor a table of long rows makes memory grow with it. A run of either under a data limit
// far below what its rows, their results and their output take at once ends complete.
TEST(BatchStream, ChunksOfManyShortOrOfLongRowsRunInBoundedMemory) {
  if (kSanitized) {
    GTEST_SKIP() << "AddressSanitizer reserves its shadow memory beyond any data limit";
  }
  struct Row {
    const char* what;
    std::size_t rows;
    std::size_t case_name_bytes;  // the text of the case column
    bool refused;                 // a case the model refuses at once, quick to run
    int data_limit_kib;
  };
  // About 1.7 kB a short row and twice its bytes a long row, kept all at once.
  const Row rows[] = {
      {"many short rows", 100000, 8, true, 96 * 1024},
      {"long rows", 480, 256 * 1024, false, 150 * 1024},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder folder;
    core::BoilerCase input = testing::worked_example();
    if (row.refused) {
      input.burner = core::Burner::single_stage(-1.0f);
    }
    const std::vector<core::BoilerCase> cases(row.rows, input);
    const std::vector<std::string> names(row.rows, std::string(row.case_name_bytes, 'x'));
    folder.write("in.csv", batch_table(cases, names));
    const std::string command =
        "cd '" + folder.path().string() + "' && (ulimit -d " + std::to_string(row.data_limit_kib) +
        " && '" + KALVEX_BATCH_PROGRAM + "' in.csv - --threads 2) >/dev/null 2>err.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), row.refused ? 1 : 0) << folder.read("err.txt");
    EXPECT_NE(folder.read("err.txt").find(std::to_string(row.rows) + " fall: "), std::string::npos)
        << folder.read("err.txt");
  }
}

TEST(BatchStream, AnOutputThatCannotTakeTheTableIsRefusedBeforeAnyInputIsRead) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "mapp");
  ASSERT_EQ(::mkfifo((folder.path() / "rör").c_str(), 0600), 0);
  const std::string long_name(236, 'u');
  folder.write("förra.csv", "earlier");
  const std::vector<std::pair<std::string, std::string>> outputs = {
      {"förra.csv", "kalvex-batch: förra.csv: filen finns redan; ange --replace"},
      {"''",
       "kalvex-batch: utdatafilens namn är tomt; ange ett filnamn, eller - för standard ut\n"},
      {"/dev/stdout",
       "kalvex-batch: /dev/stdout: är ingen fil utan en ström; ange - för standard ut"},
      {"/proc/self/fd/1 --replace", "kalvex-batch: /proc/self/fd/1: är ingen fil utan en ström"},
      // 236 bytes and ".kalvex-batch-XXXXXX" are more than a folder's 255.
      {long_name, "kalvex-batch: " + long_name +
                      ": namnet är 236 byte långt; med den tillfälliga "
                      "filens ändelse rymmer en mapp högst 235 byte\n"},
      // The same names on Linux as on Windows.
      {"NUL.csv", "kalvex-batch: NUL.csv: namnet är enhetsnamnet NUL i Windows"},
      {"'com1 .csv'", "kalvex-batch: com1 .csv: namnet är enhetsnamnet com1 i Windows"},
      {"c:ut.csv", "kalvex-batch: c:ut.csv: namnet gäller mappen som är aktuell på enhet c:"},
      {"'ut?.csv'", "kalvex-batch: ut?.csv: namnet innehåller tecknet ?, som Windows inte"},
      {"'ut.csv.'", "kalvex-batch: ut.csv.: namnet slutar på en punkt"},
      {"saknas/out.csv",
       "kalvex-batch: saknas/out.csv: kan inte skapa en tillfällig fil i mappen "
       "saknas: filen eller mappen finns inte\n"},
      {"mapp --replace", "kalvex-batch: mapp: är en mapp"},
      {"rör --replace", "kalvex-batch: rör: är ingen vanlig fil"},
  };
  for (const auto& [output, message] : outputs) {
    SCOPED_TRACE(output);
    // Standard input that never ends: it is not read at all.
    EXPECT_EQ(run_batch(folder, "- " + output + " </dev/zero"), 2);
    EXPECT_EQ(folder.read("err.txt").substr(0, message.size()), message);
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"err.txt", "förra.csv", "mapp", "out.txt", "rör"}));
    EXPECT_EQ(folder.read("förra.csv"), "earlier");
  }
}

// Waits for a name in the folder that starts with `start`.
bool appears(const TempFolder& folder, const std::string& start) {
  for (auto waited = 0ms; waited < 30s; waited += 10ms) {
    for (const std::string& name : folder.names()) {
      if (name.starts_with(start)) {
        return true;
      }
    }
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

TEST(BatchStream, ASignalDuringARunLeavesNoFileBehindAndTheOutputAsItWas) {
  constexpr std::size_t kRows = 100000;
  struct Ending {
    int signal;
    bool from_standard_input;
  };
  TempFolder folder;
  folder.write("in.csv", large_table(kRows));
  std::filesystem::create_directory(folder.path() / "tmp");
  // No core dump in the folder from the signals that make one.
  const rlimit no_core{0, 0};
  ASSERT_EQ(::setrlimit(RLIMIT_CORE, &no_core), 0);
  for (const Ending ending :
       {Ending{SIGINT, false}, Ending{SIGTERM, true}, Ending{SIGHUP, false}, Ending{SIGQUIT, false},
        Ending{SIGABRT, true}, Ending{SIGSEGV, false}, Ending{SIGBUS, false}}) {
    SCOPED_TRACE(ending.signal);
    folder.write("out.csv", "earlier");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "in.csv", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = KALVEX_BATCH_PROGRAM;
    std::string input = ending.from_standard_input ? "-" : "in.csv";
    std::string output = "out.csv";
    std::string replace = "--replace";
    char* argv[] = {program.data(), input.data(), output.data(), replace.data(), nullptr};
    const std::string temporary_folder = "TMPDIR=" + (folder.path() / "tmp").string();
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
      environment.push_back(*variable);
    }
    environment.push_back(const_cast<char*>(temporary_folder.c_str()));
    environment.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environment.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_TRUE(appears(folder, "out.csv.kalvex-batch-"));
    std::this_thread::sleep_for(200ms);
    ::kill(pid, ending.signal);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == ending.signal) << status;
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"in.csv", "out.csv", "tmp"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "tmp"));
    EXPECT_EQ(folder.read("out.csv"), "earlier");
  }
}

// The program started on `input` with `output`, its standard output to out.txt and its errors
// to err.txt in `folder`.
pid_t start_batch(const TempFolder& folder, const std::string& input, const std::string& output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "out.txt", O_WRONLY | O_CREAT, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "err.txt", O_WRONLY | O_CREAT, 0600);
  std::string program = KALVEX_BATCH_PROGRAM;
  std::string in = input;
  std::string out = output;
  std::string replace = "--replace";
  char* argv[] = {program.data(), in.data(), out.data(), replace.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

// Waits until the file has some bytes.
bool filled(const std::filesystem::path& path) {
  for (auto waited = 0ms; waited < 30s; waited += 5ms) {
    std::error_code error;
    if (std::filesystem::file_size(path, error) > 0 && !error) {
      return true;
    }
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

// Writes `bytes` over the start of the file in place, as an editor that saves in place does:
// the same file, which the program has open, from its first byte.
void write_in_place(const std::filesystem::path& path, const std::string& bytes) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(BatchStream, ATableChangedAfterItsRowsWereCheckedEndsWithStatusTwoAndNoOutput) {
  // Enough rows that the second pass is still running when the file changes: it reads two
  // chunks of 4,096 at most ahead of what is computed.
  constexpr std::size_t kRows = 30000;
  const std::string table = large_table(kRows);
  core::BoilerCase kiruna = testing::worked_example();
  kiruna.climate = core::Place::kiruna;
  const std::string at_kiruna = [&] {
    std::string one = batch_table({kiruna});
    one = one.substr(one.find('\n') + 1);
    std::string text = table.substr(0, table.find('\n') + 1);
    for (std::size_t i = 0; i < kRows; ++i) {
      text += one;
    }
    return text;
  }();
  ASSERT_EQ(at_kiruna.size(), table.size());
  // Cut after a whole row, so that what is left is a table of fewer rows.
  const std::size_t half = table.rfind('\n', table.size() / 2) + 1;
  std::string one_digit_more = table;
  one_digit_more[one_digit_more.size() - 3] =
      one_digit_more[one_digit_more.size() - 3] == '0' ? '1' : '0';
  struct Change {
    std::string what;
    std::function<void(const std::filesystem::path&)> change;
    std::string output;
    std::string reason;  // in the message
  };
  const std::vector<Change> changes = {
      // Every row then names a climate the first pass never saw, and never read.
      {"every row at Kiruna", [&](const auto& path) { write_in_place(path, at_kiruna); }, "out.csv",
       "har klimatfilen kiruna.dat, som ingen rad hade när den kontrollerades"},
      {"cut to half", [&](const auto& path) { std::filesystem::resize_file(path, half); },
       "out.csv",
       "rader och " + std::to_string(half) + " byte, när den kontrollerades " +
           std::to_string(kRows) + " rader och " + std::to_string(table.size()) + " byte"},
      {"one digit of the last row", [&](const auto& path) { write_in_place(path, one_digit_more); },
       "out.csv", "dess byte är inte längre de som kontrollerades; utdata skrevs inte"},
      {"rows added",
       [&](const auto& path) { write_in_place(path, table + table.substr(table.find('\n') + 1)); },
       "out.csv", "den har fler rader än när den kontrollerades; utdata skrevs inte"},
      // Rows already written stay; the message says they are not those of one table.
      {"cut, to standard output",
       [&](const auto& path) { std::filesystem::resize_file(path, half); }, "-",
       "raderna som redan skrivits på standard ut hör inte till en och samma tabell"},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    TempFolder folder;
    folder.write("in.csv", table);
    folder.write("out.csv", "earlier");
    const pid_t pid = start_batch(folder, "in.csv", change.output);
    ASSERT_GT(pid, 0);
    // The output's header is written once the first pass has checked every row.
    const bool second_pass = change.output == "-"
                                 ? filled(folder.path() / "out.txt")
                                 : appears(folder, "out.csv.kalvex-batch-") && [&] {
                                     for (const std::string& name : folder.names()) {
                                       if (name.starts_with("out.csv.kalvex-batch-")) {
                                         return filled(folder.path() / name);
                                       }
                                     }
                                     return false;
                                   }();
    EXPECT_TRUE(second_pass);
    change.change(folder.path() / "in.csv");
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string errors = folder.read("err.txt");
    const std::string start =
        "kalvex-batch: in.csv: filen ändrades under körningen, efter att "
        "varje rad kontrollerats: ";
    EXPECT_EQ(errors.substr(0, start.size()), start) << errors;
    EXPECT_NE(errors.find(change.reason), std::string::npos) << errors;
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"err.txt", "in.csv", "out.csv", "out.txt"}));
    // Compared without printing a table of thousands of rows.
    EXPECT_TRUE(folder.read("out.csv") == "earlier");
  }
}

TEST(BatchStream, AFileSizeLimitEndsTheRunWithAMessageAndNoFileBehind) {
  TempFolder folder;
  folder.write("in.csv", large_table(100));
  folder.write("out.csv", "earlier");
  // 1 KiB: the header and a row or two.
  const std::vector<std::pair<std::string, std::string>> outputs = {
      {"in.csv out.csv --replace",
       "kalvex-batch: out.csv: kan inte skriva: filen blir för stor (en gräns för filers "
       "storlek, ulimit -f, eller filsystemets)\n"},
      {"in.csv - >ut.txt", "kalvex-batch: standard ut: kan inte skrivas: filen blir för stor\n"},
  };
  for (const auto& [arguments, message] : outputs) {
    SCOPED_TRACE(arguments);
    const std::string command = "cd '" + folder.path().string() + "' && (ulimit -f 1 && '" +
                                KALVEX_BATCH_PROGRAM + "' " + arguments + ") 2>err.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(folder.read("err.txt"), message);
    EXPECT_EQ(folder.read("out.csv"), "earlier");
  }
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"err.txt", "in.csv", "out.csv", "ut.txt"}));
}

// A run started under nohup has SIGHUP ignored; removing its temporary file on a signal must not
// make it end on one.
TEST(BatchStream, ARunThatIgnoresSighupKeepsIgnoringIt) {
  constexpr std::size_t kRows = 5000;
  TempFolder folder;
  folder.write("in.csv", large_table(kRows));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = KALVEX_BATCH_PROGRAM;
  std::string input = "in.csv";
  std::string output = "out.csv";
  char* argv[] = {program.data(), input.data(), output.data(), nullptr};
  // Ignored as nohup ignores it: the child inherits the disposition.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction before {};
  ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  ::sigaction(SIGHUP, &before, nullptr);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_EQ(spawned, 0);
  EXPECT_TRUE(appears(folder, "out.csv.kalvex-batch-"));
  ::kill(pid, SIGHUP);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  const std::string written = folder.read("out.csv");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), static_cast<long>(kRows + 1));
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"in.csv", "out.csv"}));
}

TEST(BatchStream, ProgressTellsRowsRateAndTimeLeft) {
  const std::vector<std::tuple<std::size_t, std::size_t, std::chrono::milliseconds, std::string>>
      cases = {
          {0, 1000, 0ms, "0 av 1 000 rader"},
          {12345, 1000000, 2000ms, "12 345 av 1 000 000 rader, 6 173 rader/s, 2 min 41 s kvar"},
          {500, 1000, 1000ms, "500 av 1 000 rader, 500 rader/s, 1 s kvar"},
          {1000, 1000, 4000ms, "1 000 av 1 000 rader, 250 rader/s, 0 s kvar"},
          {1000, 4000000, 1000ms, "1 000 av 4 000 000 rader, 1 000 rader/s, 1 h 6 min kvar"},
      };
  for (const auto& [done, total, elapsed, line] : cases) {
    EXPECT_EQ(progress_line(done, total, elapsed), line);
  }
}

}  // namespace
}  // namespace varmkalk::batch
