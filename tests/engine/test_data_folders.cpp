#include "tests/engine/EngineFixture.h"
#include "engine/EraDates.h"

#include <cstdlib>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(UserDataFolder, XdgDataHomeThenHomeAndRelativePathsIgnored)
{
    ScopedEnv home("HOME", "/home/kana");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(yomari::UserDataFolder(), "/srv/data/yomari");
    }
    for (const char* ignored : {"", "relative/data", static_cast<const char*>(nullptr)}) {
        ScopedEnv xdg("XDG_DATA_HOME", ignored);
        EXPECT_EQ(yomari::UserDataFolder(), "/home/kana/.local/share/yomari")
            << (ignored ? ignored : "unset");
    }
    ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(yomari::UserDataFolder(), "");
}

TEST(DataFolders, UserFirstThenBesideThenShareOfThePrefix)
{
    ScopedEnv xdg("XDG_DATA_HOME", "/home/kana/data");
    const auto folders = yomari::StandardDataFolders("/opt/y/bin");
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], "/home/kana/data/yomari");
    EXPECT_EQ(folders[1], "/opt/y/bin");
    EXPECT_EQ(folders[2], "/opt/y/share/yomari");
}

// An engine whose data folders are a user's, the program's and an installed
// one, each a folder of the test's own.
class DataFolderEngine : public EngineFixture {
protected:
    DataFolderEngine()
    {
        for (const char* d : {"user", "bin", "share"})
            std::filesystem::create_directories(m_dir.Path() / d);
    }
    std::string In(const char* folder, const char* name) const
    {
        return (m_dir.Path() / folder / name).string();
    }
    void Write(const char* folder, const char* name, const std::string& utf8) const
    {
        std::ofstream(In(folder, name), std::ios::binary) << Cp932(utf8);
    }
    yomari::EngineEnvironment FolderEnv()
    {
        yomari::EngineEnvironment env = Env();
        env.folder = m_dir.Path() / "bin";
        env.dataFolders = {m_dir.Path() / "user", m_dir.Path() / "bin", m_dir.Path() / "share"};
        env.fallbackNotice = [this](const std::string& refused, const std::string& reason,
                                    const std::string& used) {
            m_notices.push_back(refused + "|" + reason + "|" + used);
        };
        return env;
    }
    std::vector<std::string> m_notices;
};

TEST_F(DataFolderEngine, EachFileFromTheFirstFolderHoldingIt)
{
    Write("share", "Yomari.dan", kFourEras);
    Write("share", "Yomari.das", kFourEras);
    yomari::CYomari fromShare(FolderEnv());
    EXPECT_EQ(fromShare.Gengo(1), "平成");
    EXPECT_EQ(fromShare.GengoFileName(0), In("share", "Yomari.dan"));

    Write("bin", "Yomari.dan", std::string("\"令和\",\"れいわ\",\"\",2019\r\n") + kFourEras);
    Write("user", "Yomari.das", std::string("\"未来\",\"みらい\",\"\",2031\r\n") + kFourEras);
    yomari::CYomari engine(FolderEnv());
    EXPECT_EQ(engine.Gengo(1), "令和");
    engine.SetNanBokuMode(1);
    EXPECT_EQ(engine.Gengo(1), "未来");
    EXPECT_EQ(engine.GengoFileName(1), In("user", "Yomari.das"));
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(DataFolderEngine, BrokenUserFileGivesWayAndIsNamed)
{
    Write("share", "Yomari.dan", kFourEras);
    Write("user", "Yomari.dan", "\"未来\",\"みらい\",\"\"\r\n");
    yomari::CYomari engine(FolderEnv());
    EXPECT_EQ(engine.Gengo(1), "平成");
    ASSERT_EQ(m_notices.size(), 1u);
    EXPECT_EQ(m_notices[0].rfind(In("user", "Yomari.dan") + "|", 0), 0u) << m_notices[0];
    EXPECT_NE(m_notices[0].find("途中で終わっています"), std::string::npos) << m_notices[0];
    EXPECT_EQ(m_notices[0].substr(m_notices[0].rfind('|') + 1), In("share", "Yomari.dan"));
}

TEST_F(DataFolderEngine, WhenEveryFileIsBrokenTheUsersErrorIsRaised)
{
    Write("share", "Yomari.dan", "\"x\",\"x\",\"\",abc\r\n");
    Write("user", "Yomari.dan", "\"未来\",\"みらい\",\"\"\r\n");
    const yomari::YomariError e = Raised([&] { yomari::CYomari engine(FolderEnv()); });
    EXPECT_EQ(e.Number(), yomari::ErrorNumber::InputPastEndOfFile);
    EXPECT_NE(e.Description().find(In("user", "Yomari.dan")), std::string::npos) << e.Description();
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(DataFolderEngine, NoFileAnywhereIsMissingBesideTheProgram)
{
    EXPECT_YOMARI_ERROR(yomari::CYomari{FolderEnv()}, yomari::ErrorNumber::FileNotFound);
    EXPECT_EQ(FolderEnv().DataFile(".dan"), In("bin", "Yomari.dan"));
}

// An era file and a start-day file that disagree give way to the first
// folder whose pair agrees, naming both refused files; the README's steps
// for a new era pass through each of these states.
TEST_F(DataFolderEngine, EraAndStartDayFilesThatDisagreeGiveWayAsAPair)
{
    const std::string newEra = "\"新元号\",\"しんげんごう\",\"\",2031\r\n";
    const std::string days =
        "\"平成\",1989,1,8\n\"昭和\",1926,12,25\n\"大正\",1912,7,30\n\"明治\",1868,1,1\n";
    const std::string newDay = "\"新元号\",2031,5,1\n";
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, std::string>> user; // file, UTF-8 text
        const char* newest;                                    // first era of the calendar
        std::string notice;                                    // refused|used, or empty
        const char* reason = "元号の開始日が元号データと合いません";
    };
    const std::string share = In("share", "Yomari.dan") + " と " + In("share", "Yomari.dad");
    const std::vector<Case> cases = {
        {"era file edited, start days not yet",
         {{"Yomari.dan", newEra + kFourEras}},
         "平成",
         In("user", "Yomari.dan") + " と " + In("share", "Yomari.dad") + "|" + share},
        {"both edited", {{"Yomari.dan", newEra + kFourEras}, {"Yomari.dad", newDay + days}}, "新元号", ""},
        {"start days edited alone",
         {{"Yomari.dad", newDay + days}},
         "平成",
         In("share", "Yomari.dan") + " と " + In("user", "Yomari.dad") + "|" + share},
        {"an empty era file",
         {{"Yomari.dan", ""}},
         "平成",
         In("user", "Yomari.dan") + "|" + In("share", "Yomari.dan"),
         "元号データがありません"},
        {"a pair that disagrees in itself",
         {{"Yomari.dan", newEra + kFourEras}, {"Yomari.dad", "\"新元号\",2030,5,1\n" + days}},
         "平成",
         In("user", "Yomari.dan") + " と " + In("user", "Yomari.dad") + "|" + share},
    };
    Write("share", "Yomari.dan", kFourEras);
    std::ofstream(In("share", "Yomari.dad")) << days;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(m_dir.Path() / "user");
        std::filesystem::create_directories(m_dir.Path() / "user");
        for (const auto& [name, text] : c.user) {
            if (std::string(name) == "Yomari.dan")
                Write("user", name, text);
            else
                std::ofstream(In("user", name)) << text;
        }
        m_notices.clear();
        const yomari::EraCalendar calendar = yomari::EraCalendar::Load(FolderEnv(), 0);
        EXPECT_EQ(calendar.Table().Gengo[1], c.newest);
        if (c.notice.empty()) {
            EXPECT_TRUE(m_notices.empty());
            continue;
        }
        ASSERT_EQ(m_notices.size(), 1u);
        const std::string& n = m_notices[0];
        EXPECT_EQ(n.substr(0, n.find('|')) + n.substr(n.rfind('|')), c.notice) << n;
        EXPECT_NE(n.find(c.reason), std::string::npos) << n;
    }

    // No folder holds a pair that agrees: the error names both files.
    std::filesystem::remove(In("share", "Yomari.dad"));
    const std::string error = Raised([&] { yomari::EraCalendar::Load(FolderEnv(), 0); }).Description();
    EXPECT_NE(error.find(In("user", "Yomari.dan") + " と " + In("user", "Yomari.dad")), std::string::npos)
        << error;
}
