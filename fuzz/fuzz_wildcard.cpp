// The search's wildcard matcher: the input is a pattern, a line feed and a
// text. Besides memory and undefined behaviour, the work is checked against
// the matcher's promise.
#include "ui/search/LikePattern.h"

#include <QList>

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\n');
    const QString pattern = QString::fromUtf8(input.substr(0, cut));
    const QString text = cut == std::string_view::npos ? QString() : QString::fromUtf8(input.substr(cut + 1));

    const yomari::LikeWork before = yomari::LikeWorkDone();
    const yomari::LikePattern compiled(pattern);
    const bool matches = compiled.Matches(text);
    const yomari::LikeWork after = yomari::LikeWorkDone();
    const auto T = static_cast<uint64_t>(text.toUcs4().size());
    const auto P = static_cast<uint64_t>(pattern.toUcs4().size());
    if (after.readSteps - before.readSteps > 3 * (P + 1) ||
        after.matchSteps - before.matchSteps > (T + 2) * (P + 1))
        std::abort();
    // A star matches everything, the pattern standing for the whole text too.
    if (!yomari::Like(text, QStringLiteral("*")) || matches != yomari::Like(text, pattern))
        std::abort();
    return 0;
}
