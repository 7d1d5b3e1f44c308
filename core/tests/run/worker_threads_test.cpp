// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace varmkalk::core {
namespace {

// Every index is worked on exactly once, whatever the number of threads asked for, more threads
// than work and no work at all included.
TEST(WorkerThreads, EveryIndexIsDoneExactlyOnce) {
  struct Row {
    std::size_t count;
    unsigned workers;
  };
  for (const Row row : {Row{0, 4}, Row{1, 1}, Row{1, 8}, Row{7, 0}, Row{1000, 3}, Row{5, 64}}) {
    std::vector<std::atomic<int>> visits(row.count);
    for_each_index(row.count, row.workers, [&](std::size_t i) { visits[i] += 1; });
    for (std::size_t i = 0; i < row.count; ++i) {
      EXPECT_EQ(visits[i].load(), 1)
          << "index " << i << " of " << row.count << " on " << row.workers << " threads";
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
