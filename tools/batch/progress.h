// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

namespace varmkalk::batch {

// How far a run has come, as a line on a terminal that is written over: rows done of all,
// rows per second and the time left. Nothing is shown in the first second, so short runs stay
// quiet.
class Progress {
 public:
  using Clock = std::chrono::steady_clock;

  // Shows nothing unless `shown`; `to` is the terminal's stream.
  Progress(std::size_t total_rows, bool shown, std::FILE* to = stderr);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void rows_done(std::size_t done);
  // Takes the line off the terminal, so that what is written next starts on a clean line.
  void clear();

 private:
  std::size_t total_;
  bool shown_;
  std::FILE* to_;
  Clock::time_point start_;
  std::size_t width_ = 0;  // of the line now on the terminal
};

// The line for `done` rows of `total` after `elapsed`: "12 345 av 1 000 000 rader, 10 234
// rader/s, 1 min 36 s kvar".
std::string progress_line(std::size_t done, std::size_t total, Progress::Clock::duration elapsed);

}  // namespace varmkalk::batch
