#include "engine/Milestones.h"

#include "engine/EraTable.h"
#include "engine/ItemReader.h"
#include "engine/YomariError.h"

#include <algorithm>
#include <charconv>

namespace yomari {

Milestones::Milestones(std::vector<Entry> entries)
    : m_entries(std::move(entries))
{
}

std::string Milestones::TextFor(Kind kind, int32_t kazoe) const
{
    for (const Entry& e : m_entries) {
        if (e.kind != kind || e.kazoe != kazoe)
            continue;
        return e.note.empty() ? e.name : e.name + "(" + e.note + ")";
    }
    return {};
}

Milestones LoadMilestones(const EngineEnvironment& env)
{
    return env.ReadDataFile(
        ".dak", [&env](const std::string& file) { return ReadMilestoneFile(file, env.baseName); });
}

Milestones ReadMilestoneFile(const std::string& fileName, const std::string& errorSource)
{
    ItemReader reader(ReadTextFileUtf8(fileName, errorSource));
    std::vector<Milestones::Entry> entries;
    const auto fail = [&](int32_t number, const std::string& what) {
        throw YomariError(number, errorSource,
                          "厄年・長寿データが正しくありません: " + what + "(" + fileName + " の" +
                              std::to_string(reader.Line()) + "行目)");
    };
    while (!reader.AtEnd()) {
        std::string items[4];
        for (std::string& item : items) {
            auto next = reader.Next();
            if (!next)
                fail(ErrorNumber::InputPastEndOfFile, "記録が途中で終わっています。");
            item = std::move(*next);
        }
        Milestones::Entry entry{Milestones::Kind::Longevity, items[1], 0, items[3]};
        if (items[0] == "男")
            entry.kind = Milestones::Kind::Men;
        else if (items[0] == "女")
            entry.kind = Milestones::Kind::Women;
        else if (items[0] != "長寿")
            fail(ErrorNumber::TypeMismatch,
                 "区分 \"" + items[0] + "\" は 男・女・長寿 のどれでもありません。");

        if (entry.kind != Milestones::Kind::Longevity && entry.name != "前厄" && entry.name != "本厄" &&
            entry.name != "後厄")
            fail(ErrorNumber::TypeMismatch,
                 "厄年の名前 \"" + entry.name + "\" は 前厄・本厄・後厄 のどれでもありません。");
        if (entry.name.empty())
            fail(ErrorNumber::TypeMismatch, "名前がありません。");

        const std::string& age = items[2];
        const auto [end, ec] = std::from_chars(age.data(), age.data() + age.size(), entry.kazoe);
        if (ec != std::errc() || end != age.data() + age.size() || entry.kazoe < 1 ||
            entry.kazoe > kMaxMilestoneAge)
            fail(ErrorNumber::TypeMismatch, "数え年 \"" + age + "\" は 1 から " +
                                                std::to_string(kMaxMilestoneAge) +
                                                " までの整数ではありません。");

        const bool twice = std::any_of(entries.begin(), entries.end(), [&](const Milestones::Entry& e) {
            return e.kind == entry.kind && e.kazoe == entry.kazoe;
        });
        if (twice)
            fail(ErrorNumber::TypeMismatch, "数え年 " + age + " が " + items[0] + " に二度あります。");
        entries.push_back(std::move(entry));
    }
    if (entries.empty())
        throw YomariError(ErrorNumber::InputPastEndOfFile, errorSource,
                          "厄年・長寿データがありません。(" + fileName + ")");
    return Milestones(std::move(entries));
}

} // namespace yomari
