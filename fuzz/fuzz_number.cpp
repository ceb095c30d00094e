// Number reading: the whole-text and leading-number rules and the rounding.
#include "engine/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

using namespace yomari::NumberText;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> whole = ParseNumber(text);
    const double leading = LeadingNumber(text);
    // A text that is one number starts with that same number.
    if (whole && !(std::isnan(*whole) && std::isnan(leading)) && *whole != leading)
        std::abort();
    for (const double v : {leading, whole.value_or(0.0)}) {
        if (const auto n = RoundToInt32(v); n && !(std::fabs(*n - v) <= 0.5))
            std::abort();
        if (const auto n = RoundToInt16(v); n && !(std::fabs(*n - v) <= 0.5))
            std::abort();
    }
    return 0;
}
