#include "EraTable.h"

#include "CheckedMath.h"
#include "ItemReader.h"
#include "NumberText.h"
#include "TextDecoding.h"
#include "YomariError.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace yomari {

EraTable MakeEraTable(const std::vector<EraRecord>& records, const std::string& errorSource)
{
    EraTable t;
    const auto n = static_cast<int32_t>(records.size());
    t.NumberOfGengo = n;
    t.Gengo.reserve(n + 1);
    for (const EraRecord& r : records) {
        t.Gengo.push_back(r.name);
        t.GengoKana.push_back(r.kana);
        t.GengoKana2.push_back(r.kana2);
        t.Gengo1stADYear.push_back(r.firstADYear);
    }
    t.GengoLastYear.assign(n + 1, 0);
    t.GengoLastYear[0] = 2147483647;
    if (n >= 1)
        t.GengoLastYear[1] = 2147483647;
    for (int32_t i = 2; i <= n; ++i) {
        // The boundary year counts in both eras, hence + 1.
        const int32_t span = CheckedSub(t.Gengo1stADYear[i - 1], t.Gengo1stADYear[i], errorSource);
        t.GengoLastYear[i] = CheckedAdd(span, 1, errorSource);
    }
    return t;
}

std::string ReadTextFileUtf8(const std::string& fileName, const std::string& errorSource)
{
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec))
        throw YomariError(ErrorNumber::FileNotFound, errorSource,
                          "ファイルが見つかりません。(" + fileName + ")");
    if (std::filesystem::is_directory(fileName, ec))
        throw YomariError(ErrorNumber::FileAccessError, errorSource,
                          "ファイルを読み込めません。(" + fileName + ")");
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw YomariError(ErrorNumber::FileAccessError, errorSource,
                          "ファイルを読み込めません。(" + fileName + ")");
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw YomariError(ErrorNumber::FileAccessError, errorSource,
                          "ファイルを読み込めません。(" + fileName + ")");
    auto text = DecodeTextFile(bytes);
    if (!text)
        throw YomariError(ErrorNumber::FileAccessError, errorSource,
                          "ファイルの文字コードを判別できません。(" + fileName + ")");
    return std::move(*text);
}

std::vector<EraRecord> ReadEraFile(const std::string& fileName, const std::string& errorSource)
{
    ItemReader reader(ReadTextFileUtf8(fileName, errorSource));
    std::vector<EraRecord> records;
    while (!reader.AtEnd()) {
        const int record = static_cast<int>(records.size()) + 1;
        const auto where = [&] {
            return "(" + fileName + " の" + std::to_string(record) + "件目、" +
                   std::to_string(reader.Line()) + "行目)";
        };
        std::string items[4];
        for (std::string& item : items) {
            auto next = reader.Next();
            if (!next)
                throw YomariError(ErrorNumber::InputPastEndOfFile, errorSource,
                                  "元号データが途中で終わっています。" + where());
            item = std::move(*next);
        }
        const auto value = NumberText::ParseNumber(items[3]);
        if (!value || std::trunc(*value) != *value)
            throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                              "西暦年が整数ではありません: \"" + items[3] + "\" " + where());
        const auto year = NumberText::RoundToInt32(*value);
        if (!year)
            throw YomariError(ErrorNumber::Overflow, errorSource,
                              "西暦年が大きすぎます: \"" + items[3] + "\" " + where());
        records.push_back({std::move(items[0]), std::move(items[1]), std::move(items[2]), *year});
    }
    return records;
}

} // namespace yomari
