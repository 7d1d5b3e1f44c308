// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/signal_cleanup.h"

#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <stdexcept>

namespace varmkalk::tools {
namespace {

// The signals that end a program on request; held back while a file is created.
constexpr std::array<int, 4> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
// A crash: the files go all the same, then the program ends as the crash would have ended it,
// with its core dump where one is made. Never held back: a fault while held would hang.
constexpr std::array<int, 5> kCrashSignals = {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL};
constexpr std::size_t kSlots = 4;

// Only what a signal handler may touch: fixed buffers and lock-free flags.
std::array<std::array<char, PATH_MAX>, kSlots> gPaths;
std::array<std::atomic<bool>, kSlots> gInUse;
std::atomic<bool> gHandlersInstalled{false};

// Only async-signal-safe calls. The signal, blocked while its handler runs, is raised again
// with the default action, and ends the program as soon as the handler returns; a fault that
// is not raised but made happens again on the same instruction, now with the default action.
extern "C" void remove_and_end(int signal_number) {
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (gInUse[i].load()) {
      ::unlink(gPaths[i].data());
    }
  }
  struct sigaction by_default {};
  by_default.sa_handler = SIG_DFL;
  sigemptyset(&by_default.sa_mask);
  ::sigaction(signal_number, &by_default, nullptr);
  ::raise(signal_number);
}

void install_handlers() {
  if (gHandlersInstalled.exchange(true)) {
    return;
  }
  struct sigaction action {};
  action.sa_handler = remove_and_end;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : kSignals) {
    sigaddset(&action.sa_mask, signal_number);
  }
  for (const int signal_number : kCrashSignals) {
    ::sigaction(signal_number, &action, nullptr);
  }
  for (const int signal_number : kSignals) {
    struct sigaction before {};
    // A signal the caller chose to ignore (nohup) stays ignored.
    if (::sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace

void write_failures_beyond_file_size_limit() {
  std::signal(SIGXFSZ, SIG_IGN);
}

void RemovedOnSignal::add(const std::string& path) {
  static_assert(std::atomic<bool>::is_always_lock_free);
  if (path.size() >= PATH_MAX) {
    throw std::length_error("path too long to be removed on a signal");
  }
  for (std::size_t i = 0; i < kSlots && slot_ < 0; ++i) {
    if (!gInUse[i].load()) {
      std::memcpy(gPaths[i].data(), path.c_str(), path.size() + 1);
      gInUse[i].store(true);
      slot_ = static_cast<int>(i);
    }
  }
  if (slot_ < 0) {
    throw std::length_error("too many files to be removed on a signal");
  }
  install_handlers();
}

RemovedOnSignal::~RemovedOnSignal() {
  if (slot_ >= 0) {
    gInUse[static_cast<std::size_t>(slot_)].store(false);
  }
}

struct SignalsHeld::Before {
  sigset_t mask;
};

SignalsHeld::SignalsHeld() : before_(std::make_unique<Before>()) {
  sigset_t held;
  sigemptyset(&held);
  for (const int signal_number : kSignals) {
    sigaddset(&held, signal_number);
  }
  ::pthread_sigmask(SIG_BLOCK, &held, &before_->mask);
}

SignalsHeld::~SignalsHeld() {
  ::pthread_sigmask(SIG_SETMASK, &before_->mask, nullptr);
}

}  // namespace varmkalk::tools
