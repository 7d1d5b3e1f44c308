// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

namespace varmkalk::core {

// Calls `each` once for every index below `count`, on up to `workers` threads (the caller's
// among them), and returns when all are done. Where the system gives fewer threads, the rest
// of the work falls to those it gave, so the outcome never depends on how many ran.
void for_each_index(std::size_t count, unsigned workers,
                    const std::function<void(std::size_t)>& each);

}  // namespace varmkalk::core
