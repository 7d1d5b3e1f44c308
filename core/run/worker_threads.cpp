// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/worker_threads.h"

#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace varmkalk::core {

void for_each_index(std::size_t count, unsigned workers,
                    const std::function<void(std::size_t)>& each) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      each(i);
    }
  };
  std::vector<std::jthread> helpers;
  for (unsigned k = 1; k < workers && k < count; ++k) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // fewer threads, the same results
    }
  }
  work();
  helpers.clear();  // joins them before the results are handed on
}

}  // namespace varmkalk::core
