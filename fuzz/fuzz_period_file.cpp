// Period data files of the era search.
#include "FuzzInput.h"
#include "ui/search/JidaiData.h"
#include "engine/YomariError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        yomari::ReadJidaiFile(QString::fromStdString(fuzz::InputFile(data, size)), "Yomari");
    } catch (const yomari::YomariError&) {
    }
    return 0;
}
