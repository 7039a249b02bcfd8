// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Glyphery {

// CPU time of the given clock (CLOCK_PROCESS_CPUTIME_ID or CLOCK_THREAD_CPUTIME_ID) in
// nanoseconds: waiting for a core or the disk costs wall time, not CPU time.
inline std::int64_t cpuNanoseconds(clockid_t clock)
{
    timespec now {};
    clock_gettime(clock, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace Glyphery
