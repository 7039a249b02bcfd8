// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// The checks walk whole stores; coverage of their loops would only slow the fuzzer down.
#define GLYPHERY_NO_COVERAGE __attribute__((no_sanitize("coverage")))

namespace Glyphery {

// A broken invariant is a finding: say which and stop, so libFuzzer keeps the input.
inline void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace Glyphery
