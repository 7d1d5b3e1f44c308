// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/progress.h"

#include <algorithm>
#include <cmath>

namespace varmkalk::batch {
namespace {

constexpr auto kQuietFirst = std::chrono::seconds(1);
constexpr long kSecondsPerMinute = 60;
constexpr long kSecondsPerHour = 3600;

// Groups of three digits apart, as Swedish text writes large numbers.
std::string grouped(std::size_t number) {
  const std::string digits = std::to_string(number);
  std::string text;
  for (std::size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) {
      text += ' ';
    }
    text += digits[at];
  }
  return text;
}

std::string duration_text(long seconds) {
  if (seconds >= kSecondsPerHour) {
    return std::to_string(seconds / kSecondsPerHour) + " h " +
           std::to_string(seconds % kSecondsPerHour / kSecondsPerMinute) + " min";
  }
  if (seconds >= kSecondsPerMinute) {
    return std::to_string(seconds / kSecondsPerMinute) + " min " +
           std::to_string(seconds % kSecondsPerMinute) + " s";
  }
  return std::to_string(seconds) + " s";
}

}  // namespace

std::string progress_line(std::size_t done, std::size_t total, Progress::Clock::duration elapsed) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  std::string line = grouped(done) + " av " + grouped(total) + " rader";
  if (done == 0 || seconds <= 0) {
    return line;
  }
  const double rate = static_cast<double>(done) / seconds;
  line += ", " + grouped(static_cast<std::size_t>(std::llround(rate))) + " rader/s";
  const double left = static_cast<double>(total - std::min(done, total)) / rate;
  return line + ", " + duration_text(std::lround(std::ceil(left))) + " kvar";
}

Progress::Progress(std::size_t total_rows, bool shown, std::FILE* to)
    : total_(total_rows), shown_(shown), to_(to), start_(Clock::now()) {}

Progress::~Progress() {
  clear();
}

void Progress::clear() {
  if (width_ > 0) {
    std::fprintf(to_, "\r%*s\r", static_cast<int>(width_), "");
    std::fflush(to_);
    width_ = 0;
  }
}

void Progress::rows_done(std::size_t done) {
  const Clock::duration elapsed = Clock::now() - start_;
  if (!shown_ || elapsed < kQuietFirst) {
    return;
  }
  const std::string line = "kalvex-batch: " + progress_line(done, total_, elapsed);
  // Blanks over what is left of a longer line before.
  const std::size_t width = line.size();
  std::fprintf(to_, "\r%s%*s", line.c_str(), static_cast<int>(width_ > width ? width_ - width : 0),
               "");
  std::fflush(to_);
  width_ = std::max(width_, width);
}

}  // namespace varmkalk::batch
