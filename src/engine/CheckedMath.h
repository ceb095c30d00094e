#pragma once

#include "engine/YomariError.h"

#include <cstdint>
#include <limits>
#include <string>

namespace yomari {

// Years and counts are 32-bit; a result that leaves the range is an error,
// never a wrap-around. Sums are formed in 64 bits and checked once, so only
// the final result counts: 1989 + 2147481659 - 1 fits although the partial
// sum does not.
// Kept out of line so that the arithmetic itself stays small.
[[noreturn, gnu::cold, gnu::noinline]] inline void ThrowOverflow(const std::string& source)
{
    throw OverflowError(source);
}

inline int32_t Checked32(int64_t value, const std::string& source)
{
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        [[unlikely]]
        ThrowOverflow(source);
    return static_cast<int32_t>(value);
}

} // namespace yomari
