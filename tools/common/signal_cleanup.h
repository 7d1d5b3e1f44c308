// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace varmkalk::tools {

// Temporary files that go when SIGINT, SIGTERM, SIGHUP or SIGQUIT ends the program (on Windows
// Ctrl-C, Ctrl-Break or the console closing), or a crash (SIGSEGV, SIGBUS, SIGABRT, SIGFPE,
// SIGILL): the handler removes them and the program then ends as it would have. SIGKILL cannot be
// caught, so such files are named to be recognised.
// A write beyond the file-size limit (ulimit -f) fails with EFBIG, so that the program says so,
// instead of SIGXFSZ ending it without a word.
void write_failures_beyond_file_size_limit();

class RemovedOnSignal {
 public:
  RemovedOnSignal() = default;
  ~RemovedOnSignal();
  RemovedOnSignal(const RemovedOnSignal&) = delete;
  RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

  // From now on, until this object goes, `path` is removed on those signals. Throws
  // std::length_error for a path too long to be kept, or when too many are kept already.
  void add(const std::string& path);

 private:
  int slot_ = -1;
};

// Holds those signals back while it lives, so that a file can be created and registered with
// RemovedOnSignal as one step; one that comes meanwhile is handled when it goes.
class SignalsHeld {
 public:
  SignalsHeld();
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  struct Before;
  std::unique_ptr<Before> before_;
};

}  // namespace varmkalk::tools
