// The settings file reader: whatever the file holds, it answers.
#include "FuzzInput.h"
#include "ui/main/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    yomari::settings::Read(QString::fromStdString(fuzz::InputFile(data, size)));
    return 0;
}
