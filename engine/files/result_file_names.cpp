#include "result_file_names.h"

#include <array>
#include <cstdio>

#include "control_file.h"
#include "run_error.h"

namespace kalvex {
namespace {

// Why a character may not stand in a result file name, or nothing when it may.
const char* refused_because(unsigned char c) {
  if (c == '/' || c == '\\') {
    return "ett snedstreck, som skulle peka ut en annan mapp";
  }
  if (c < 0x20 || c == 0x7F) {
    return "ett styrtecken";
  }
  return nullptr;
}

}  // namespace

void set_result_file_names(RunParameters& params) {
  const std::string& id = params.calc_id.str();
  for (std::size_t i = 0; i < id.size(); ++i) {
    const auto c = static_cast<unsigned char>(id[i]);
    if (const char* reason = refused_because(c)) {
      std::array<char, 8> code{};
      std::snprintf(code.data(), code.size(), "0x%02X", static_cast<unsigned>(c));
      throw RunError(std::string(kControlFileName) + ", rad " + std::to_string(kControlFileLines) +
                     ", kolumn " + std::to_string(i + 1) + ": beräkningsidentiteten innehåller " +
                     reason + " (" + code.data() + ") och kan inte ingå i ett filnamn");
    }
  }
  params.raw_file_name = FileNameText(id + ".dat");
  params.summary_file_name = FileNameText(id + "sum.dat");
  params.pump_file_name = FileNameText(id + "sum_c.dat");
}

std::string created_name(const FileNameText& name_field) {
  return std::string(name_field.trimmed());
}

}  // namespace kalvex
