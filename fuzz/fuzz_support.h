#pragma once
// What every fuzzer shares: a broken invariant aborts, so libFuzzer keeps the
// input that broke it.
#include <cstdlib>

namespace dock::fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace dock::fuzz
