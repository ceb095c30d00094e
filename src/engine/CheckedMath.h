#pragma once

#include "YomariError.h"

#include <cstdint>
#include <string>

namespace yomari {

// Years and counts are 32-bit; a result that leaves the range is an error,
// never a wrap-around.
// Kept out of line so that the arithmetic itself stays small.
[[noreturn, gnu::cold, gnu::noinline]] inline void ThrowOverflow(const std::string& source)
{
    throw OverflowError(source);
}

inline int32_t CheckedAdd(int32_t a, int32_t b, const std::string& source)
{
    int32_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) [[unlikely]]
        ThrowOverflow(source);
    return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b, const std::string& source)
{
    int32_t r = 0;
    if (__builtin_sub_overflow(a, b, &r)) [[unlikely]]
        ThrowOverflow(source);
    return r;
}

} // namespace yomari
