#include "ui/search/JidaiData.h"

#include "engine/EraTable.h"
#include "engine/ItemReader.h"
#include "engine/YomariError.h"

namespace yomari {

std::vector<JidaiRecord> ReadJidaiFile(const QString& fileName, const std::string& errorSource)
{
    const std::string path = fileName.toStdString();
    ItemReader reader(ReadTextFileUtf8(path, errorSource));
    std::vector<JidaiRecord> records;
    while (!reader.AtEnd()) {
        QString items[3];
        for (QString& item : items) {
            const auto next = reader.Next();
            // Half a period would show a wrong era range; refuse the file.
            if (!next)
                throw YomariError(ErrorNumber::InputPastEndOfFile, errorSource,
                                  "時代データが途中で終わっています。(" + path + " の" +
                                      std::to_string(records.size() + 1) + "件目)");
            item = QString::fromStdString(*next);
        }
        records.push_back({items[0], items[1], items[2]});
    }
    return records;
}

} // namespace yomari
