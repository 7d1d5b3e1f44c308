// SPDX-License-Identifier: GPL-3.0-or-later
// Windows has no such signals: a console control handler, which the system runs on a thread of
// its own, removes the files and ends the program. A crash reaches the C library's handlers of
// SIGSEGV, SIGABRT, SIGFPE and SIGILL, which remove them too.
#include <windows.h>

#include <array>
#include <csignal>
#include <mutex>
#include <stdexcept>
#include <string>

#include "tools/common/signal_cleanup.h"

namespace varmkalk::tools {
namespace {

constexpr std::size_t kSlots = 4;
constexpr std::size_t kLongestPath = 32768;

// The handler runs while the program goes on; the lock keeps a file's creation and its
// registration, or its removal from the list, out of the handler's way. Recursive, since the
// thread that holds the signals back also registers the file.
std::recursive_mutex gLock;
std::array<std::wstring, kSlots> gPaths;
std::array<bool, kSlots> gInUse{};
bool gHandlerInstalled = false;

BOOL WINAPI remove_and_end(DWORD) {
  const std::lock_guard<std::recursive_mutex> lock(gLock);
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (gInUse[i]) {
      ::DeleteFileW(gPaths[i].c_str());
    }
  }
  // Ended at once, as a signal ends a POSIX program, with the status Windows gives a program
  // ended by Ctrl-C: never one that passes for success.
  ::TerminateProcess(::GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
  return TRUE;
}

// The crashing thread may hold the lock: the files are removed without it, the program being
// lost anyway, and the crash then ends it as it would have.
extern "C" void remove_on_crash(int signal_number) {
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (gInUse[i]) {
      ::DeleteFileW(gPaths[i].c_str());
    }
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void install_handler() {
  const std::lock_guard<std::recursive_mutex> lock(gLock);
  if (!gHandlerInstalled) {
    gHandlerInstalled = ::SetConsoleCtrlHandler(remove_and_end, TRUE) != 0;
    for (const int signal_number : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) {
      std::signal(signal_number, remove_on_crash);
    }
  }
}

std::wstring wide(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(), length);
  return result;
}

}  // namespace

// Windows has no file-size limit that ends a program.
void write_failures_beyond_file_size_limit() {}

struct SignalsHeld::Before {
  std::unique_lock<std::recursive_mutex> lock{gLock};
};

void RemovedOnSignal::add(const std::string& path) {
  if (path.size() >= kLongestPath) {
    throw std::length_error("path too long to be removed on a signal");
  }
  std::wstring name = wide(path);
  const std::lock_guard<std::recursive_mutex> lock(gLock);
  for (std::size_t i = 0; i < kSlots && slot_ < 0; ++i) {
    if (!gInUse[i]) {
      gPaths[i] = std::move(name);
      gInUse[i] = true;
      slot_ = static_cast<int>(i);
    }
  }
  if (slot_ < 0) {
    throw std::length_error("too many files to be removed on a signal");
  }
  install_handler();
}

RemovedOnSignal::~RemovedOnSignal() {
  if (slot_ >= 0) {
    const std::lock_guard<std::recursive_mutex> lock(gLock);
    gInUse[static_cast<std::size_t>(slot_)] = false;
  }
}

// Installed before the file is made, so that a Ctrl-C meanwhile waits for the lock and then
// finds the file registered.
SignalsHeld::SignalsHeld() : before_(std::make_unique<Before>()) {
  install_handler();
}

SignalsHeld::~SignalsHeld() = default;

}  // namespace varmkalk::tools
