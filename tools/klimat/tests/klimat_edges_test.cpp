// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-klimat at the edges: it writes no climate file the engine would not use as written, and
// replaces only a regular file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/climate_import/climate_file.h"
#include "core/tests/support/source_builders.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::klimat {
namespace {

using varmkalk::testing::TempFolder;

int run_klimat(const TempFolder& folder, const std::string& arguments) {
  const std::string command = "cd '" + folder.path().string() + "' && timeout 20 '" +
                              KALVEX_KLIMAT_PROGRAM + "' " + arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

mode_t mode_of(const TempFolder& folder, const std::string& name) {
  struct stat status {};
  lstat((folder.path() / name).c_str(), &status);
  return status.st_mode;
}

TEST(KlimatEdges, WritesOnlyWhatTheEngineUsesAndReplacesOnlyRegularFiles) {
  struct Edge {
    std::string name;
    std::function<std::string(TempFolder&)> prepare;  // writes the files, gives the arguments
    int status;
    std::string message;  // in the errors; empty: none expected
    std::function<bool(const TempFolder&)> holds;
  };
  // The year as SMHI's daily means in källa.csv, imported into `target`, made by `make` first.
  const auto import_into = [](std::string target, std::function<void(const std::string&)> make,
                              std::string flags = "--replace") {
    return [=](TempFolder& folder) {
      folder.write("källa.csv", core::testing::smhi_daily_csv(core::testing::stockholm_2009()));
      if (make) {
        make((folder.path() / target).string());
      }
      return "källa.csv '" + target + "' " + flags;
    };
  };
  const std::vector<Edge> edges = {
      {"--replace over a named pipe",
       import_into("ut.dat", [](const std::string& path) { mkfifo(path.c_str(), 0644); }), 1,
       "kalvex-klimat: ut.dat: är ingen vanlig fil; bara en vanlig fil kan ersättas",
       [](const TempFolder& folder) { return S_ISFIFO(mode_of(folder, "ut.dat")); }},
      {"a replaced file keeps its permission bits",
       import_into("ut.dat",
                   [](const std::string& path) {
                     std::ofstream(path) << "earlier";
                     chmod(path.c_str(), 0600);
                   }),
       0, "",
       [](const TempFolder& folder) {
         return (mode_of(folder, "ut.dat") & 07777) == 0600 &&
                folder.read("ut.dat") == core::testing::stockholm_2009_bytes();
       }},
      {"a name line 24 cannot carry", import_into("en_mycket_lang_klimatfil.dat", nullptr, ""), 1,
       "kalvex-klimat: namnet \"en_mycket_lang_klimatfil.dat\" går inte att använda för en "
       "klimatfil: det är 28 tecken långt",
       nullptr},
      {"an upper-case suffix", import_into("UMEA.DAT", nullptr, ""), 1,
       "\"UMEA.DAT\" går inte att använda för en klimatfil: det ska sluta på .dat", nullptr},
      {"a bundled file's name", import_into("sthlm.dat", nullptr, "--replace"), 1,
       "\"sthlm.dat\" går inte att använda för en klimatfil: det är namnet på en av de sex "
       "medföljande",
       nullptr},
      // Names the engine could not use alike on Linux and Windows.
      {"a name relative to a drive", import_into("c:umea.dat", nullptr, ""), 1,
       "kalvex-klimat: \"c:umea.dat\" är ett namn i den mapp som är aktuell på enhet c: i Windows",
       [](const TempFolder& folder) { return !folder.has("c:umea.dat"); }},
      {"a device name", import_into("nul.dat", nullptr, ""), 1,
       "\"nul.dat\" går inte att använda för en klimatfil: det är enhetsnamnet nul i Windows",
       [](const TempFolder& folder) { return !folder.has("nul.dat"); }},
      {"a name Windows refuses", import_into("umea|2009.dat", nullptr, ""), 1,
       "går inte att använda för en klimatfil: det innehåller tecknet |, som Windows inte",
       nullptr},
      {"a name with å", import_into("umeå.dat", nullptr, ""), 0, "",
       [](const TempFolder& folder) { return folder.has("umeå.dat"); }},
  };
  for (const Edge& edge : edges) {
    SCOPED_TRACE(edge.name);
    TempFolder folder;
    const std::string arguments = edge.prepare(folder);
    EXPECT_EQ(run_klimat(folder, arguments), edge.status);
    const std::string errors = folder.read("err.txt");
    if (edge.message.empty()) {
      EXPECT_EQ(errors, "");
    } else {
      EXPECT_NE(errors.find(edge.message), std::string::npos) << errors;
    }
    if (edge.holds) {
      EXPECT_TRUE(edge.holds(folder));
    }
  }
}

}  // namespace
}  // namespace varmkalk::klimat
