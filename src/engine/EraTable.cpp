#include "engine/EraTable.h"

#include "engine/CheckedMath.h"
#include "engine/ItemReader.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"
#include "engine/Utf8Path.h"
#include "engine/YomariError.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <charconv>

namespace yomari {

EraTable MakeEraTable(std::vector<EraRecord> records, const std::string& errorSource)
{
    EraTable t;
    const auto n = static_cast<int32_t>(records.size());
    t.NumberOfGengo = n;
    t.Gengo.reserve(n + 1);
    t.GengoKana.reserve(n + 1);
    t.GengoKana2.reserve(n + 1);
    t.Gengo1stADYear.reserve(n + 1);
    for (EraRecord& r : records) {
        t.Gengo.push_back(std::move(r.name));
        t.GengoKana.push_back(std::move(r.kana));
        t.GengoKana2.push_back(std::move(r.kana2));
        t.Gengo1stADYear.push_back(r.firstADYear);
    }
    t.GengoLastYear.assign(n + 1, 0);
    t.GengoLastYear[0] = 2147483647;
    if (n >= 1)
        t.GengoLastYear[1] = 2147483647;
    for (int32_t i = 2; i <= n; ++i) {
        // The boundary year counts in both eras, hence + 1.
        const int64_t span = int64_t{t.Gengo1stADYear[i - 1]} - t.Gengo1stADYear[i];
        t.GengoLastYear[i] = Checked32(span + 1, errorSource);
        if (span < 0)
            t.NewestFirst = false;
    }
    // A direct index from year to era, for the ordered tables the program
    // ships; the span stays small (645 to today), odd tables go without.
    if (t.NewestFirst && n >= 2) {
        const int64_t span = int64_t{t.Gengo1stADYear[1]} - t.Gengo1stADYear[n];
        if (span <= 100000) {
            t.EraOfYear.resize(static_cast<size_t>(span));
            int32_t era = n;
            for (int64_t k = 0; k < span; ++k) {
                const int64_t year = t.Gengo1stADYear[n] + k;
                // The newest era that began by this year (a shared year goes to it).
                while (era > 1 && t.Gengo1stADYear[era - 1] <= year)
                    --era;
                t.EraOfYear[static_cast<size_t>(k)] = era;
            }
        }
    }
    return t;
}

std::string ReadTextFileUtf8(const std::string& fileName, const std::string& errorSource)
{
    std::error_code ec;
    const std::filesystem::path path = PathFromUtf8(fileName);
    if (!std::filesystem::exists(path, ec))
        throw YomariError(ErrorNumber::FileNotFound, errorSource,
                          "ファイルが見つかりません。(" + fileName + ")");
    if (std::filesystem::is_directory(path, ec))
        throw YomariError(ErrorNumber::FileAccessError, errorSource,
                          "ファイルを読み込めません。(" + fileName + ")");
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw YomariError(ErrorNumber::FileAccessError, errorSource,
                          "ファイルを読み込めません。(" + fileName + ")");
    std::string bytes(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in)
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
        EraRecord era;
        std::string y; // the first Western year as written
        for (std::string* item : {&era.name, &era.kana, &era.kana2, &y}) {
            auto next = reader.Next();
            if (!next)
                throw YomariError(ErrorNumber::InputPastEndOfFile, errorSource,
                                  "元号データが途中で終わっています。" + where());
            *item = std::move(*next);
        }
        // Plain digits, as every shipped file has them, need no floating point.
        const auto [end, ec] = std::from_chars(y.data(), y.data() + y.size(), era.firstADYear);
        if (ec != std::errc() || end != y.data() + y.size() || y.empty()) {
            const auto value = NumberText::ParseNumber(y);
            if (!value || std::trunc(*value) != *value)
                throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                                  "西暦年が整数ではありません: \"" + QuoteForMessage(y) + "\" " + where());
            const auto year = NumberText::RoundToInt32(*value);
            if (!year)
                throw YomariError(ErrorNumber::Overflow, errorSource,
                                  "西暦年が大きすぎます: \"" + QuoteForMessage(y) + "\" " + where());
            era.firstADYear = *year;
        }
        records.push_back(std::move(era));
    }
    return records;
}

} // namespace yomari
