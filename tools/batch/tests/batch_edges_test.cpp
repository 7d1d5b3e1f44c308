// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch at the edges of its input and output: a cell that could be read as some other
// case is refused naming its row and column, and what is not a regular file is neither read nor
// replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/formats/csv_table.h"
#include "core/tests/support/temp_folder.h"
#include "core/tests/support/worked_example.h"
#include "tools/batch/tests/batch_table.h"

namespace varmkalk::batch {
namespace {

using testing::TempFolder;

// The program in `folder` with `arguments`; a program still running after a while hangs.
int run_batch(const TempFolder& folder, const std::string& arguments) {
  const std::string command = "cd '" + folder.path().string() + "' && timeout 20 '" +
                              KALVEX_BATCH_PROGRAM + "' " + arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Two rows of the worked example, with `column` set to `first` and `second`.
std::string table_with(const std::string& column, const std::string& first,
                       const std::string& second) {
  core::CsvTable table = core::read_csv_table(
      batch_table({testing::worked_example(), testing::worked_example()}), "in.csv");
  const auto at = static_cast<std::size_t>(
      std::find(table.header.begin(), table.header.end(), column) - table.header.begin());
  table.rows[0].fields[at] = first;
  table.rows[1].fields[at] = second;
  std::string text = core::csv_record(table.header);
  for (const core::CsvRow& row : table.rows) {
    text += core::csv_record(row.fields);
  }
  return text;
}

// The result columns of the output's two rows are the same: the cell read as the first row's.
bool rows_agree(const TempFolder& folder) {
  const core::CsvTable output = core::read_csv_table(folder.read("out.csv"), "out.csv");
  const auto results = [&](std::size_t row) {
    const std::vector<std::string>& fields = output.rows[row].fields;
    return std::vector<std::string>(fields.end() - 14, fields.end());
  };
  return output.rows.size() == 2 && results(0) == results(1);
}

mode_t mode_of(const TempFolder& folder, const std::string& name) {
  struct stat status {};
  lstat((folder.path() / name).c_str(), &status);
  return status.st_mode;
}

// The input table, and what stands in the way of the output: made by `make` at out.csv.
std::function<std::string(TempFolder&)> output_over(std::function<void(const std::string&)> make) {
  return [=](TempFolder& folder) {
    folder.write("in.csv", table_with("climate_code", "A", "B"));
    make((folder.path() / "out.csv").string());
    return std::string("in.csv out.csv --replace");
  };
}

TEST(BatchEdges, NoCellOrFileIsTakenForWhatItIsNot) {
  struct Edge {
    std::string name;
    std::function<std::string(TempFolder&)> prepare;  // writes the files, gives the arguments
    int status;
    std::string message;  // in the errors, empty: none expected
    std::function<bool(const TempFolder&)> holds;
  };
  // The second row's cell in `column` as `text`, the first row's as `same`.
  const auto cell = [](std::string column, std::string text, std::string same = "A") {
    return [=](TempFolder& folder) {
      folder.write("in.csv", table_with(column, same, text));
      return std::string("in.csv out.csv");
    };
  };
  const std::string long_number = "0." + std::string(100000, '0') + "15e100005";
  const std::vector<Edge> edges = {
      {"code cells are trimmed like number cells", cell("heating_system_code", " a\t"), 0, "",
       rows_agree},
      {"a trimmed climate code is that place", cell("climate_code", " C\t", "C"), 0, "",
       rows_agree},
      {"a lower-case code is that place", cell("climate_code", "f", "F"), 0, "", rows_agree},
      {"a place name is no climate code", cell("climate_code", "Stockholm"), 2,
       "in.csv, rad 3, kolumn 17 (\"climate_code\"): \"Stockholm\" är ingen kod; ange en av A "
       "(Malmö), B (Jönköping), C (Stockholm), D (Falun), E (Östersund), F (Kiruna)",
       nullptr},
      {"an empty climate code", cell("climate_code", ""), 2,
       "in.csv, rad 3, kolumn 17 (\"climate_code\"): fältet är tomt; ange en av A", nullptr},
      {"two letters", cell("heating_system_code", "AB"), 2,
       "kolumn 18 (\"heating_system_code\"): \"AB\" är ingen kod; ange en av A (80/60 °C), B "
       "(55/45 °C)",
       nullptr},
      {"a number cell beyond its length", cell("burner_max_power", long_number, "15000"), 2,
       "in.csv, rad 3, kolumn 4 (\"burner_max_power\"): talet är " +
           std::to_string(long_number.size()) + " tecken långt; högst 64 tecken godtas",
       nullptr},
      {"a long number cell is read correctly rounded",
       cell("burner_max_power", "0." + std::string(50, '0') + "15e55", "15000"), 0, "", rows_agree},
      {"--replace over a named pipe",
       output_over([](const std::string& path) { mkfifo(path.c_str(), 0644); }), 2,
       "kalvex-batch: out.csv: är ingen vanlig fil; bara en vanlig fil kan ersättas",
       [](const TempFolder& folder) { return S_ISFIFO(mode_of(folder, "out.csv")); }},
      {"--replace over a symbolic link",
       output_over([](const std::string& path) { symlink("annan.csv", path.c_str()); }), 2,
       "out.csv: är en symbolisk länk; bara en vanlig fil kan ersättas",
       [](const TempFolder& folder) { return S_ISLNK(mode_of(folder, "out.csv")); }},
      {"a replaced file keeps its permission bits", output_over([](const std::string& path) {
         std::ofstream(path) << "earlier";
         chmod(path.c_str(), 0600);
       }),
       0, "",
       [](const TempFolder& folder) {
         return (mode_of(folder, "out.csv") & 07777) == 0600 &&
                folder.read("out.csv").starts_with("convection_constant");
       }},
      {"a climate file that is a named pipe",
       [](TempFolder& folder) {
         folder.write("in.csv", table_with("climate_code", "A", "B"));
         mkfifo((folder.path() / "jkping.dat").c_str(), 0644);
         return std::string("in.csv out.csv");
       },
       1, "",
       [](const TempFolder& folder) {
         const core::CsvTable output = core::read_csv_table(folder.read("out.csv"), "out.csv");
         const std::vector<std::string>& row = output.rows[1].fields;
         return row[row.size() - 14] == "error" &&
                row[row.size() - 13] == "jkping.dat: är ingen vanlig fil utan en namngiven pipe";
       }},
  };
  for (const Edge& edge : edges) {
    SCOPED_TRACE(edge.name);
    TempFolder folder;
    const std::string arguments = edge.prepare(folder);
    EXPECT_EQ(run_batch(folder, arguments), edge.status);
    const std::string errors = folder.read("err.txt");
    if (edge.message.empty()) {
      EXPECT_EQ(errors.find("kalvex-batch: in.csv"), std::string::npos) << errors;
    } else {
      EXPECT_NE(errors.find(edge.message), std::string::npos) << errors;
    }
    if (edge.holds) {
      EXPECT_TRUE(edge.holds(folder));
    }
  }
}

}  // namespace
}  // namespace varmkalk::batch
