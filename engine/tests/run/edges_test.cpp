// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex at the edges of its input: a control file or climate file that could give a wrong year
// is refused with one line naming the file and line, and what is not a regular file is never
// waited on. docs/robustness.md lists the rows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/windows1252.h"

namespace varmkalk::engine {
namespace {

using testing::control_lines;
using testing::control_text;
using testing::TempFolder;

// Stands for a named pipe in a row's files.
constexpr const char* kPipe = "<pipe>";

struct Outcome {
  int status = 0;
  std::string err;
};

Outcome run_kalvex(const TempFolder& work) {
  const std::string command =
      "cd '" + work.path().string() + "' && timeout 20 '" + KALVEX_PROGRAM + "' >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, work.read("err.txt")};
}

// The control file's 23 lines and then `extra`, and the files beside it.
void prepare(const TempFolder& work, const std::vector<std::string>& extra,
             const std::map<std::string, std::string>& files) {
  std::vector<std::string> lines = control_lines();
  lines.insert(lines.end(), extra.begin(), extra.end());
  if (!files.contains("styrfil.dat")) {
    work.write("styrfil.dat", control_text(lines));
  }
  for (const auto& [name, bytes] : files) {
    if (bytes == kPipe) {
      mkfifo((work.path() / name).c_str(), 0644);
    } else {
      work.write(name, bytes);
    }
  }
}

TEST(EngineEdges, NoWrongYearAndNoWaitAtTheEdgesOfTheInput) {
  struct Edge {
    std::string name;
    std::vector<std::string> extra;  // the control file's lines after the 23rd
    std::map<std::string, std::string> files;
    std::string err;  // what the run's one line starts with; empty: a complete run
  };
  const std::vector<Edge> edges = {
      {"a control file that is a named pipe",
       {},
       {{"styrfil.dat", kPipe}},
       "styrfil.dat: är ingen vanlig fil utan en namngiven pipe"},
      {"a bundled climate file that is a named pipe",
       {},
       {{"sthlm.dat", kPipe}},
       "sthlm.dat: är ingen vanlig fil utan en namngiven pipe"},
      {"an own climate file that is a named pipe",
       {"egen.dat", "-18"},
       {{"egen.dat", kPipe}},
       "egen.dat: är ingen vanlig fil utan en namngiven pipe"},
  };
  for (const Edge& edge : edges) {
    SCOPED_TRACE(edge.name);
    TempFolder work;
    prepare(work, edge.extra, edge.files);
    const Outcome run = run_kalvex(work);
    if (edge.err.empty()) {
      EXPECT_EQ(run.status, 0) << run.err;
    } else {
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.err.substr(0, edge.err.size()), edge.err) << run.err;
    }
  }
}

}  // namespace
}  // namespace varmkalk::engine
