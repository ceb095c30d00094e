// The 厄年・長寿 file: read or refused, and what is read keeps its promises
// (ages within range, no age twice in a column, every age found again).
#include "FuzzInput.h"
#include "engine/Milestones.h"
#include "engine/YomariError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const yomari::Milestones m = yomari::ReadMilestoneFile(fuzz::InputFile(data, size), "Yomari");
        if (m.Entries().empty())
            std::abort();
        for (const auto& e : m.Entries()) {
            if (e.kazoe < 1 || e.kazoe > yomari::kMaxMilestoneAge || e.name.empty())
                std::abort();
            if (m.TextFor(e.kind, e.kazoe).rfind(e.name, 0) != 0)
                std::abort();
        }
    } catch (const yomari::YomariError&) {
        // A refused file is a correct answer.
    }
    return 0;
}
