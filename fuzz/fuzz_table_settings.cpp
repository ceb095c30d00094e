// The tables' settings reader: whatever the file holds, it answers values
// in range.
#include "FuzzInput.h"
#include "app/TableSettings.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr int kStages = 7;
    const auto v = yomari::tablesettings::Read(QString::fromStdString(fuzz::InputFile(data, size)), kStages);
    if (v.tab < 0 || v.tab > 1 || (!v.resume.empty() && v.resume.size() != kStages) ||
        v.birthDate.size() > 40)
        std::abort();
    return 0;
}
