// Era data files: reading, then building the table the engine uses.
#include "engine/EraTable.h"
#include "FuzzInput.h"
#include "engine/YomariError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        std::vector<yomari::EraRecord> records = yomari::ReadEraFile(fuzz::InputFile(data, size), "Yomari");
        yomari::MakeEraTable(std::move(records), "Yomari");
    } catch (const yomari::YomariError&) {
        // A refused file is a correct answer.
    }
    return 0;
}
