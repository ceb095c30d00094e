#include "tests/engine/EngineFixture.h"
#include "engine/EraDates.h"
#include "engine/Milestones.h"

#include <sys/stat.h>

#include <functional>
#include <random>

using yomari::CYomari;

using Limits = FourEraEngine;

// Every numbered text of the engine, each pinned once: errors through the
// call that raises them, warnings through a calculation that raises them.
TEST_F(Limits, NumberedTextsAreFixed)
{
    const struct {
        int32_t number;
        std::function<void(CYomari&)> raise;
        const char* text;
    } errors[] = {
        {1000, [](CYomari& e) { e.SetMode(4); }, "不正なモード番号です"},
        {1001, [](CYomari& e) { e.SetNanBokuMode(-1); }, "不正な南北朝モード番号です"},
        {1002, [](CYomari& e) { e.Gengo(5); }, "不正な元号番号です"},
        {1003, [](CYomari& e) { e.SetInputYear(0); }, "入力年が0または負の数値です "},
        {1004,
         [](CYomari& e) {
             e.SetMode(3);
             e.SetInputYear(-1);
         },
         "入力年が負の数値です"},
        {1005, [](CYomari& e) { e.OutputGengo(); }, "現在のモードでは設定／参照できません"},
    };
    for (const auto& c : errors) {
        SCOPED_TRACE(c.number);
        CYomari e(Env());
        const yomari::YomariError err = Raised([&] { c.raise(e); });
        EXPECT_EQ(err.Number(), c.number);
        EXPECT_EQ(err.Description(), c.text);
        EXPECT_EQ(err.Source(), "Yomari");
    }
    EXPECT_EQ(CYomari::ErrorText(1100), "元号データに不整合があります");
    for (int32_t other : {0, 999, 1006, 1099, 1101})
        EXPECT_EQ(CYomari::ErrorText(other), "未定義のエラーです") << other;

    const struct {
        Calculation in;
        int32_t number;
        const char* text;
    } warnings[] = {
        {{0, "昭和", 65, "西暦"}, 1, "入力年は\r\n元号最終年以上です。\r\n"},
        {{0, "明治", 1, "平成"}, 10, "出力年の元号は\r\n始まっていません。\r\n"},
        {{0, "平成", 2, "昭和"}, 100, "出力年は\r\n元号最終年以上です。\r\n"},
        {{2, "昭和", 1, "昭和", 70}, 1000, "年齢計算年は\r\n元号最終年以上です。\r\n"},
        {{2, "平成", 10, "平成", 5}, 10000, "年齢計算年が\r\n生年以前です。\r\n"},
        {{1, "", 1867}, 100000, "明治以前です。\r\n"},
        {{3, "", 3000}, 1100000, "明治以前です。\r\n生年は西暦1年以前です。\r\n"},
    };
    for (const auto& w : warnings) {
        SCOPED_TRACE(testing::PrintToString(w.in));
        EXPECT_EQ(Calculate(w.in).warning, w.number);
        EXPECT_EQ(Engine().WarningString(), w.text);
    }
}

// Sums past 32 bits are refused; those that fit are in Calc's table.
TEST_F(Limits, ASumPastThirtyTwoBitsIsAnOverflow)
{
    EXPECT_YOMARI_ERROR(Calculate({0, "平成", 2147481660, "昭和"}), yomari::ErrorNumber::Overflow);
}

TEST_F(Limits, WarningsBelongToTheLastCalculationEvenWhenItFails)
{
    ASSERT_EQ(Calculate({0, "昭和", 65, "西暦"}), (Outcome{1990, 1}));
    CYomari& e = Engine();
    e.SetInputYear(2147483647);
    EXPECT_YOMARI_ERROR(e.OutputYear(), yomari::ErrorNumber::Overflow);
    EXPECT_EQ(e.WarningNumber(), 0);
    EXPECT_EQ(e.WarningString(), "");
}

// A user that addresses eras by number asks for them; a table with fewer is
// refused whole, naming the file and what it lacks.
TEST_F(Limits, TooFewErasAreRefusedNamingTheFile)
{
    const std::string fifth = "\"慶応\",\"けいおう\",\"\",1865\r\n";
    const std::string four = kFourEras;
    for (const std::string& dan : {std::string(), four.substr(0, four.find('\n') + 1), four}) {
        TempDir dir;
        const std::string path = dir.Write("Yomari.dan", Cp932(dan));
        yomari::EngineEnvironment env = Env();
        env.folder = dir.Path();
        env.minimumEras = 5;
        SCOPED_TRACE(dan);
        const yomari::YomariError err = Raised([&] { CYomari e(env); });
        EXPECT_EQ(err.Number(), 1100);
        const std::string& d = err.Description();
        EXPECT_EQ(d.rfind("元号データに不整合があります", 0), 0u) << d;
        EXPECT_NE(d.find(path), std::string::npos) << d;
        EXPECT_NE(d.find("5件以上"), std::string::npos) << d;
    }

    // The Southern file too short: the switch changes nothing.
    WriteEras(std::string(kFourEras) + fifth, kFourEras);
    yomari::EngineEnvironment env = Env();
    env.minimumEras = 5;
    CYomari e(env);
    EXPECT_EQ(e.NumberOfGengo(), 5);
    EXPECT_YOMARI_ERROR(e.SetNanBokuMode(1), 1100);
    EXPECT_EQ(e.NanBokuMode(), 0);
    EXPECT_EQ(e.Gengo(5), "慶応");
}

// A file of no known encoding, and a folder where the file should be.
TEST_F(Limits, AnEraFileThatCannotBeReadIsRefusedByName)
{
    m_dir.Write("Yomari.dan", "\"\x95\xbd\x90\xac\",\"a\",\"\",1989\r\n\x82");
    for (bool folder : {false, true}) {
        if (folder) {
            std::filesystem::remove(m_dir.Path() / "Yomari.dan");
            std::filesystem::create_directory(m_dir.Path() / "Yomari.dan");
        }
        const yomari::YomariError err = Raised([&] { CYomari e(Env()); });
        EXPECT_EQ(err.Number(), yomari::ErrorNumber::FileAccessError) << folder;
        EXPECT_NE(err.Description().find("Yomari.dan"), std::string::npos) << err.Description();
    }
}

TEST(QuoteForMessage, KeepsFortyCharactersOfAHugeValue)
{
    std::string kana;
    for (int i = 0; i < 40; ++i)
        kana += "か";
    for (const auto& [forty, more] : {std::pair{std::string(40, 'a'), "b"}, {kana, "き"}}) {
        EXPECT_EQ(yomari::QuoteForMessage(forty), forty);
        EXPECT_EQ(yomari::QuoteForMessage(forty + more), forty + "…");
    }
}

TEST_F(Limits, AHugeYearItemGivesAShortMessage)
{
    for (char filler : {'x', '9'}) {
        WriteEras("\"平成\",\"へいせい\",\"\"," + std::string(1'000'000, filler) + "\r\n");
        const std::string d = Raised([&] { CYomari e(Env()); }).Description();
        EXPECT_LT(d.size(), 300u) << filler;
        EXPECT_NE(d.find(std::string(40, filler) + "…"), std::string::npos) << filler;
    }
}

// The year-to-era lookup takes shortcuts (a year index for short ordered
// tables, a binary search for long ones); over many tables they must answer
// what the plain newest-first search answers.
TEST_F(Limits, YearLookupAgreesWithThePlainSearch)
{
    std::mt19937 random(7);
    for (int round = 0; round < 120; ++round) {
        const int n = 1 + static_cast<int>(random() % 9);
        // Steps: short, sometimes shared years, long (> 100000 in all), or out of order.
        const int kind = round % 4;
        std::vector<int32_t> first{0};
        // Short tables also before the year 1, as tables of early eras may be.
        int32_t year = kind == 0 ? static_cast<int32_t>(random() % 6000) - 3000 : 1500000;
        std::string file;
        for (int i = 1; i <= n; ++i) {
            if (i > 1) {
                const int32_t step = kind == 0   ? static_cast<int32_t>(random() % 40)
                                     : kind == 1 ? static_cast<int32_t>(random() % 3) * 7
                                     : kind == 2
                                         ? 100001 / (n - 1) + 1 + static_cast<int32_t>(random() % 50000)
                                         : static_cast<int32_t>(random() % 80) - 40;
                year -= step;
            }
            first.push_back(year);
            file += "\"e" + std::to_string(i) + "\",\"r\",\"\"," + std::to_string(year) + "\r\n";
        }
        WriteEras(file);
        m_engine.reset();
        CYomari& e = Engine();
        e.SetMode(1);

        const auto expected = [&](int32_t w) -> std::pair<std::string, int32_t> {
            int era = 0;
            if (w >= first[1]) {
                era = 1;
            } else {
                for (int k = 1; k <= n && !era; ++k)
                    if (first[k] <= w && w <= first[k - 1])
                        era = k;
            }
            const int32_t y = era ? w - first[era] + 1 : 0;
            if (y <= 0)
                return {"西暦", 0};
            return {"e" + std::to_string(era), y};
        };
        for (int k = 1; k <= n; ++k) {
            for (int32_t w : {first[k] - 1, first[k], first[k] + 1}) {
                if (w < 1)
                    continue;
                e.SetInputYear(w);
                const int32_t y = e.OutputYear();
                ASSERT_EQ(std::make_pair(e.OutputGengo(), y), expected(w))
                    << "year " << w << " in table " << file;
            }
        }
    }
}

// Every reader of a data file refuses one that is too big or no regular file,
// naming it, without reading it whole: a 256 MB sparse file is refused at
// once, a file whose size says nothing (a /proc file that keeps giving) after
// the limit, and a pipe without waiting for a writer.
// Pipes, devices and /proc are POSIX; the Windows build leaves this out.
#ifndef _WIN32
TEST(DataFileLimits, HugeAndSpecialFilesAreRefusedByName)
{
    using Reader = std::function<void(const std::string&)>;
    const std::vector<std::pair<const char*, Reader>> readers = {
        {"era file", [](const std::string& f) { yomari::ReadEraFile(f, "Yomari"); }},
        {"start days", [](const std::string& f) { yomari::ReadEraStartDays(f, "Yomari"); }},
        {"milestones", [](const std::string& f) { yomari::ReadMilestoneFile(f, "Yomari"); }},
        {"text", [](const std::string& f) { yomari::ReadTextFileUtf8(f, "Yomari"); }},
    };
    TempDir dir;
    const auto sized = [&](const char* name, std::uintmax_t size) {
        const std::string path = dir.Write(name, "");
        std::filesystem::resize_file(path, size);
        return path;
    };
    const std::string huge = sized("huge", 256u << 20);
    const std::uintmax_t limit = 4u << 20; // the 4 MB the message names
    const std::string over = sized("over", limit + 1);
    const std::string atLimit = sized("limit", limit);
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = (dir.Path() / "zero").string();
    std::filesystem::create_symlink("/dev/zero", device);
    const std::string endless = "/proc/self/pagemap"; // size 0, gigabytes to read
    for (const auto& [what, read] : readers) {
        for (const std::string& file : {huge, over, atLimit, fifo, device, endless}) {
            SCOPED_TRACE(std::string(what) + " " + file);
            if (file == endless && std::ifstream(endless).peek() == EOF)
                continue; // no /proc here
            std::string message;
            try {
                read(file);
            } catch (const yomari::YomariError& e) {
                message = e.Description();
            }
            // A file of exactly the limit is read (and may then be refused
            // for what it holds); every other file here is refused by name.
            if (file != atLimit) {
                EXPECT_NE(message.find(file), std::string::npos) << message;
            }
            const bool tooBig = file == huge || file == over || file == endless;
            EXPECT_EQ(message.find("大きすぎます") != std::string::npos, tooBig) << message;
            EXPECT_EQ(message.find("4 MB までの") != std::string::npos, tooBig) << message;
        }
    }
}
#endif
