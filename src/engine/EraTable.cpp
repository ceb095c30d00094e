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

FileRefusal CheckFileToRead(const std::string& fileName)
{
    std::error_code ec;
    const std::filesystem::path path = PathFromUtf8(fileName);
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        return FileRefusal::Missing;
    if (!std::filesystem::is_regular_file(status))
        return FileRefusal::NotRegular;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    return !ec && size > kMaxDataFileBytes ? FileRefusal::TooBig : FileRefusal::None;
}

std::string ReadTextFileUtf8(const std::string& fileName, const std::string& errorSource)
{
    const auto refuse = [&](int32_t number, const std::string& why) {
        return YomariError(number, errorSource, why + "(" + fileName + ")");
    };
    const std::string tooBig = "ファイルが大きすぎます。" +
                               std::to_string(kMaxDataFileBytes / (1024 * 1024)) +
                               " MB までのファイルを読みます。";
    switch (CheckFileToRead(fileName)) {
    case FileRefusal::Missing: throw refuse(ErrorNumber::FileNotFound, "ファイルが見つかりません。");
    case FileRefusal::NotRegular: throw refuse(ErrorNumber::FileAccessError, "ファイルを読み込めません。");
    case FileRefusal::TooBig: throw refuse(ErrorNumber::FileAccessError, tooBig);
    case FileRefusal::None: break;
    }
    std::ifstream in(PathFromUtf8(fileName), std::ios::binary);
    if (!in)
        throw refuse(ErrorNumber::FileAccessError, "ファイルを読み込めません。");
    // Read in pieces up to one byte past the limit: a file that grows while
    // it is read is refused like one that was too big from the start.
    std::string bytes;
    char chunk[1 << 16];
    while (bytes.size() <= kMaxDataFileBytes) {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
        if (!in)
            break;
    }
    if (bytes.size() > kMaxDataFileBytes)
        throw refuse(ErrorNumber::FileAccessError, tooBig);
    if (in.bad() || !in.eof())
        throw refuse(ErrorNumber::FileAccessError, "ファイルを読み込めません。");
    auto text = DecodeTextFile(bytes);
    if (!text)
        throw refuse(ErrorNumber::FileAccessError, "ファイルの文字コードを判別できません。");
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
