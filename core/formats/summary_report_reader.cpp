// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_report_reader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

#include "core/case/calc_identity.h"
#include "core/case/climate_choice.h"
#include "core/files/system_error_text.h"
#include "core/formats/summary_report.h"
#include "core/formats/summary_table.h"
#include "core/text/byte_code.h"
#include "core/text/fixed_field.h"
#include "core/text/fixed_format.h"
#include "core/text/utf8_text.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

constexpr int kLeadingEmptyLines = 2;
constexpr std::string_view kSummarySuffix = "sum.dat";
constexpr unsigned char kFirstHighByte = 0x80;

// Valid UTF-8 with at least one sequence beyond ASCII: the report's å, ä and ö are single bytes
// in Windows-1252 that never form valid UTF-8 with the letters around them.
bool is_utf8_text(std::string_view bytes) {
  const auto is_high = [](char c) { return static_cast<unsigned char>(c) >= kFirstHighByte; };
  return is_valid_utf8(bytes) && std::any_of(bytes.begin(), bytes.end(), is_high);
}

std::string columns_text(int first, int width) {
  return std::to_string(first) + "–" + std::to_string(first + width - 1);
}

class ReportParser {
 public:
  ReportParser(std::string_view bytes, std::string_view file_name)
      : file_name_(message_safe(file_name)) {
    if (bytes.empty()) {
      throw SummaryReportError("Sammanfattningen " + file_name_ + " är tom.");
    }
    if (is_utf8_text(bytes)) {
      throw SummaryReportError("Sammanfattningen " + file_name_ +
                               " är skriven i UTF-8, inte i Windows-1252 som "
                               "beräkningsprogrammet skriver.");
    }
    split_lines(bytes);
  }

  // The next line with its line end made CR LF, as the writer builds its lines.
  const std::string& next() {
    if (next_ >= lines_.size()) {
      throw SummaryReportError(
          "Sammanfattningen " + file_name_ + " slutar efter rad " + std::to_string(lines_.size()) +
          ", men beräkningsprogrammet skriver " + std::to_string(kSummaryReportLines) + " rader (" +
          std::to_string(kSummaryReportLines + kLeadingEmptyLines) +
          " i xxxxsum.dat): filen är avkortad.");
    }
    current_ = lines_[next_++] + "\r\n";
    return current_;
  }

  // The line after the current one, as next() would give it; empty at the end of the file.
  std::string peek() const {
    return next_ < lines_.size() ? lines_[next_] + "\r\n" : std::string();
  }

  void finish() const {
    if (next_ < lines_.size()) {
      fail_at(static_cast<int>(next_) + 1,
              "efter sammanfattningens sista rad följer mer text, som beräkningsprogrammet "
              "aldrig skriver.");
    }
  }

  [[noreturn]] void fail(const std::string& what) const { fail_at(static_cast<int>(next_), what); }

  // The line must be `expected` (with CR LF); `described` says what it should have been.
  void expect(const std::string& expected, std::string_view described) const {
    if (current_ != expected) {
      fail("raden borde vara " + quoted_for_message(described) + " som beräkningsprogrammet " +
           "skriver den, men är " + quoted_line() + ".");
    }
  }

  void expect_text(int column, std::string_view text) {
    next();
    expect(summary_text_line(column, text), text);
  }

  void expect_empty() {
    next();
    expect("\r\n", "");
  }

  // A value line laid out as `wanted` whose label starts in `label_column`.
  ReportValue value(const SummaryValueLine& wanted, int label_column = kSummaryLabelColumn,
                    bool may_be_undefined = false) {
    next();
    const std::string field = field_at(wanted.value_column, wanted.width);
    expect(
        summary_labelled_line(label_column, wanted.label, wanted.value_column, field, wanted.unit),
        std::string(wanted.label) + "…" + std::string(wanted.unit));
    if (may_be_undefined && field == kNoEfficiencyField) {
      return {ReportValue::Kind::undefined, 0.0f, "-"};
    }
    return number(field, wanted.value_column,
                  [&wanted](float value) { return format_summary_value(wanted, value); });
  }

  // "- Avgastemperatur vid 40.0 och 30.0" and the flue-gas temperature on the line after it.
  ReportFlueGasPoint flue_gas_point() {
    next();
    const int supply_column = kSummaryLabelColumn + static_cast<int>(kFlueGasPointLabel.size());
    const int return_column = kFlueGasPointJoinColumn + static_cast<int>(kFlueGasPointJoin.size());
    const std::string supply = field_at(supply_column, kFlueGasPointWidth);
    const std::string return_temp = field_at(return_column, kFlueGasPointWidth);
    expect(flue_gas_point_line(supply, return_temp),
           std::string(kFlueGasPointLabel) + "…" + std::string(kFlueGasPointJoin) + "…");
    const auto formatted = [](float value) {
      return format_fixed(value, kFlueGasPointWidth, kFlueGasPointDecimals);
    };
    ReportFlueGasPoint point;
    point.supply_temp_c = number(supply, supply_column, formatted);
    point.return_temp_c = number(return_temp, return_column, formatted);
    point.flue_gas_temp_c = value(kFlueGasTempLine, kSummarySubLabelColumn);
    return point;
  }

  // One of the three result file names, each in its 20-column field.
  std::string file_name(std::string_view label, int column) {
    next();
    const std::string field = field_at(column, kFileNameWidth);
    expect(summary_labelled_line(kSummaryLabelColumn, label, column, field, ""),
           std::string(label) + "…");
    const std::string_view name = without_trailing_blanks(field);
    if (name.empty()) {
      fail("raden saknar filnamnet.");
    }
    return std::string(name);
  }

  const std::string& current() const { return current_; }

  std::string quoted_line() const {
    return quoted_for_message(decode_windows1252(current_.substr(0, current_.size() - 2)));
  }

 private:
  void split_lines(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
      const std::size_t feed = bytes.find('\n', start);
      if (feed == std::string_view::npos) {
        fail_at(static_cast<int>(lines_.size()) + 1,
                "raden saknar radslut; filen är avkortad eller inte skriven av "
                "beräkningsprogrammet.");
      }
      std::string_view line = bytes.substr(start, feed - start);
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
      }
      for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_windows1252_control(byte)) {
          fail_at(static_cast<int>(lines_.size()) + 1,
                  "raden innehåller byten " + byte_code_text(byte) +
                      ", som inte är text som beräkningsprogrammet skriver.");
        }
      }
      lines_.emplace_back(line);
      start = feed + 1;
    }
  }

  // The `width` characters from `column` (1-based), fewer where the line is shorter.
  std::string field_at(int column, int width) const {
    const std::size_t first = static_cast<std::size_t>(column - 1);
    const std::string_view line = std::string_view(current_).substr(0, current_.size() - 2);
    return first < line.size() ? std::string(line.substr(first, static_cast<std::size_t>(width)))
                               : std::string();
  }

  // The field as a number, which must be printed exactly as `format` prints it: asterisks for
  // a value too wide for its columns.
  template <typename Format>
  ReportValue number(const std::string& field, int column, Format format) const {
    const std::size_t first = field.find_first_not_of(' ');
    const std::string text = first == std::string::npos ? std::string() : field.substr(first);
    if (!field.empty() && field.find_first_not_of('*') == std::string::npos) {
      return {ReportValue::Kind::too_wide, 0.0f, text};
    }
    float value = 0.0f;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value) || format(value) != field) {
      fail("i kolumn " + columns_text(column, static_cast<int>(field.size())) + " står " +
           quoted_for_message(decode_windows1252(field)) +
           ", som inte är ett tal som beräkningsprogrammet skriver där.");
    }
    return {ReportValue::Kind::number, value, text};
  }

  [[noreturn]] void fail_at(int line, const std::string& what) const {
    throw SummaryReportError("Sammanfattningen " + file_name_ + ", rad " + std::to_string(line) +
                             ": " + what);
  }

  std::string file_name_;
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::string current_;
};

// The three names must be those of one identity that can stand in a file name.
void read_file_names(ReportParser& parser, SummaryReport& report) {
  report.names.raw_file = parser.file_name(kRawFileLabel, kRawFileColumn);
  report.names.summary_file = parser.file_name(kSummaryFileLabel, kSummaryFileColumn);
  report.names.pump_file = parser.file_name(kPumpFileLabel, kPumpFileColumn);
  const std::string& summary = report.names.summary_file;
  const bool named = summary.size() == CalcIdentity::kLength + kSummarySuffix.size() &&
                     summary.ends_with(kSummarySuffix);
  report.identity = CalcIdentity(summary.substr(0, CalcIdentity::kLength));
  const ResultFileNames expected = result_file_names_of(report.identity);
  if (!named || identity_fault(report.identity) || expected.raw_file != report.names.raw_file ||
      expected.summary_file != summary || expected.pump_file != report.names.pump_file) {
    parser.fail(
        "resultatfilernas namn på raderna före hör inte till en och samma "
        "beräkningsidentitet, som beräkningsprogrammet skriver dem.");
  }
}

void read_heating_system(ReportParser& parser, SummaryReport& report) {
  const std::string& line = parser.next();
  const std::string text = decode_windows1252(line);
  const std::size_t start = text.find_first_not_of(' ');
  const std::size_t end = text.find_last_not_of("\r\n");
  if (start != std::string::npos && end != std::string::npos && start <= end) {
    const std::optional<DesignTemperatures> temperatures =
        design_temperatures_of_report_line(std::string_view(text).substr(start, end + 1 - start));
    if (temperatures &&
        line == summary_text_line(kSummaryLabelColumn, heating_system_report_line(*temperatures))) {
      report.heating_system = *temperatures;
      return;
    }
  }
  parser.fail("raden borde ange värmesystemet, till exempel " +
              quoted_for_message(heating_system_report_line(kHeatingSystems.front().temperatures)) +
              ", men är " + parser.quoted_line() + ".");
}

// A bundled place's line, or the one that names an own climate file.
void read_climate(ReportParser& parser, SummaryReport& report) {
  const std::string& line = parser.next();
  for (const Climate& climate : kClimates) {
    if (line == summary_text_line(kSummaryLabelColumn, climate.report_line)) {
      report.climate = climate.place;
      return;
    }
  }
  const std::string prefix = summary_text_line(kSummaryLabelColumn, kOwnClimateLineStart);
  const std::string suffix = to_windows1252(kOwnClimateLineEnd) + "\r\n";
  const std::string_view start(prefix.data(), prefix.size() - 2);
  if (line.size() > start.size() + suffix.size() && line.starts_with(start) &&
      line.ends_with(suffix)) {
    report.climate = line.substr(start.size(), line.size() - start.size() - suffix.size());
    return;
  }
  parser.fail("raden borde ange klimatet, till exempel " +
              quoted_for_message(kClimates.front().report_line) + ", men är " +
              parser.quoted_line() + ".");
}

// The report's lines, each as the table of rows says the writer prints it.
void read_rows(ReportParser& parser, SummaryReport& report) {
  bool first = true;
  for (const SummaryRow& row : summary_rows()) {
    switch (row.kind) {
      case SummaryRowKind::empty:
        parser.expect_empty();
        break;
      case SummaryRowKind::text:
        if (first) {
          if (parser.next() != summary_text_line(row.column, row.text)) {
            parser.fail(
                "filen är ingen sammanfattning från beräkningsprogrammet: raden borde "
                "vara " +
                quoted_for_message(row.text) + " men är " + parser.quoted_line() + ".");
          }
        } else {
          parser.expect_text(row.column, row.text);
        }
        break;
      case SummaryRowKind::value:
      case SummaryRowKind::efficiency:
        report.*row.member =
            parser.value(*row.line, kSummaryLabelColumn, row.kind == SummaryRowKind::efficiency);
        break;
      case SummaryRowKind::file_names:
        read_file_names(parser, report);
        break;
      case SummaryRowKind::pilot:
        // The pilot flame's power, or the line that says there is none.
        if (parser.peek() == summary_text_line(kSummaryLabelColumn, kNoPilotLine)) {
          parser.next();
          report.pilot_power_w.reset();
        } else {
          report.pilot_power_w = parser.value(*row.line);
        }
        break;
      case SummaryRowKind::flue_gas_point:
        report.*row.report_point = parser.flue_gas_point();
        break;
      case SummaryRowKind::heating_system:
        read_heating_system(parser, report);
        break;
      case SummaryRowKind::climate:
        read_climate(parser, report);
        break;
    }
    first = false;
  }
}

}  // namespace

SummaryReport parse_summary_report(std::string_view bytes, std::string_view file_name) {
  ReportParser parser(bytes, file_name);
  SummaryReport report;
  // xxxxsum.dat starts with two empty lines; resultat.dat, the second copy, with the heading.
  if (parser.peek() == "\r\n") {
    parser.expect_empty();
    parser.expect_empty();
    report.leading_empty_lines = true;
  }
  read_rows(parser, report);
  parser.finish();
  return report;
}

SummaryReport read_summary_report(const std::filesystem::path& path, std::string_view file_name) {
  const std::string shown = message_safe(file_name);
  std::error_code error;
  // A pipe or a device could block the reading or never end.
  if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error)) {
    throw SummaryReportError("Sammanfattningen " + shown + " är ingen vanlig fil.");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw SummaryReportError("Sammanfattningen " + shown +
                             " kunde inte läsas: " + system_error_text(errno) + ".");
  }
  std::string bytes(kLargestSummaryReportBytes + 1, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) {
    throw SummaryReportError("Sammanfattningen " + shown +
                             " kunde inte läsas: " + system_error_text(errno) + ".");
  }
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  if (bytes.size() > kLargestSummaryReportBytes) {
    throw SummaryReportError("Sammanfattningen " + shown +
                             " är långt större än en sammanfattning från beräkningsprogrammet.");
  }
  return parse_summary_report(bytes, file_name);
}

}  // namespace varmkalk::core
