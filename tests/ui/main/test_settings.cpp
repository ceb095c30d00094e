#include "app/SettingsFile.h"
#include "app/TableSettings.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace yomari::settings;

void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// The values in the order of their value lines.
std::array<int32_t, kValueCount> Fields(const Values& v)
{
    return {v.top,
            v.left,
            v.calcMode,
            v.inputIndex,
            v.outputIndex,
            v.inputBeforeMeijiIndex,
            v.outputBeforeMeijiIndex,
            v.nanBokuMode,
            v.appMode,
            v.inSysTray,
            v.textLenMax,
            v.birthYearWhichCopy,
            v.adGenTop,
            v.adGenLeft,
            v.selectedGengo};
}

// File line of each value line in a file the program wrote (the lines of a
// lone CR between the sections count once).
constexpr int kLineOf[kValueCount] = {2, 3, 6, 7, 8, 9, 10, 13, 14, 15, 16, 17, 20, 21, 22};

// Settings unlike every default, as the program writes them.
QList<QByteArray> WrittenLines()
{
    Snapshot s;
    s.values = {1500, 2250, 0, 0, 0, 3, 7, 1, 1, true, 6, 1, 3000, 4500, 2};
    s.selectedCalcModes = {2};
    s.selectedEraButtons = {5, 11};
    QList<QByteArray> lines = Format(s).split('\n');
    lines.removeLast(); // after the last line end
    return lines;
}
const std::array<int32_t, kValueCount> kWritten = {1500, 2250, 2, 5, 11, 3, 7, 1, 1, 1, 6, 1, 3000, 4500, 2};

class SettingsFileTest : public ::testing::Test {
protected:
    ReadResult ReadBytes(const QByteArray& bytes)
    {
        QFile f(Path());
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        return Read(Path());
    }
    ReadResult ReadLines(const QList<QByteArray>& lines) { return ReadBytes(lines.join('\n') + '\n'); }
    QString Path(const QString& name = QStringLiteral("Yomari.ini")) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsFileTest, WrittenFileReadsBack)
{
    ASSERT_EQ(WrittenLines().size(), 22);
    const ReadResult r = ReadLines(WrittenLines());
    EXPECT_EQ(r.status, ReadResult::Status::Ok);
    EXPECT_EQ(Fields(r.values), kWritten);
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(r.valueCount, kValueCount);
    for (int n = 0; n < kValueCount; ++n)
        EXPECT_EQ(r.lineOf[n], kLineOf[n]) << n;
}

// Each value that cannot stand for its setting is named with its line and
// keeps its default; every other value is kept. Values at the edge of their
// range are taken.
TEST_F(SettingsFileTest, OneBadValueKeepsAllTheOthers)
{
    const std::array<int32_t, kValueCount> defaults = Fields(Values{});
    const struct {
        Slot slot;
        std::vector<const char*> bad;
        std::vector<std::pair<const char*, int32_t>> good;
    } cases[] = {
        {kTop, {"abc", "1e5x", "99999999999"}, {{"-10", -10}, {"1e3", 1000}, {"2.5", 2}}},
        {kLeft, {"", "12 34"}, {{"-2147483648", -2147483647 - 1}}},
        {kCalcMode, {"-1", "4"}, {{"0", 0}, {"3", 3}}},
        {kInputIndex, {"-1", "6"}, {{"0", 0}, {"5", 5}}},
        {kOutputIndex, {"5", "12"}, {{"6", 6}, {"11", 11}}},
        {kInputBeforeMeijiIndex, {"-2"}, {{"-1", -1}, {"0", 0}}},
        {kOutputBeforeMeijiIndex, {"-2"}, {{"-1", -1}}},
        {kNanBokuMode, {"-1", "2"}, {{"0", 0}}},
        {kAppMode, {"-1", "2"}, {{"0", 0}}},
        {kInSysTray, {"yes", "Truee"}, {{"false", 0}, {"TRUE", 1}, {"0", 0}, {"-1", 1}}},
        {kTextLenMax, {"many"}, {{"2", 4}, {"4", 4}, {"5", 5}, {"10", 10}, {"11", 10}, {"-3", 4}}},
        {kBirthYearWhichCopy, {"-1", "2"}, {{"0", 0}}},
        {kADGenTop, {"top"}, {{"0", 0}}},
        {kADGenLeft, {"left"}, {{"15360", 15360}}},
        {kSelectedGengo, {"-2", "4", "70000"}, {{"-1", -1}, {"3", 3}, {"0", 0}}},
    };
    for (const auto& c : cases) {
        const int line = kLineOf[c.slot];
        const auto withValue = [&](const char* value) {
            QList<QByteArray> lines = WrittenLines();
            QByteArray& l = lines[line - 1];
            l = l.left(l.indexOf('=') + 1) + value + '\r';
            return ReadLines(lines);
        };
        for (const char* value : c.bad) {
            const ReadResult r = withValue(value);
            std::array<int32_t, kValueCount> expected = kWritten;
            expected[c.slot] = defaults[c.slot];
            EXPECT_EQ(Fields(r.values), expected) << "slot " << c.slot << " value " << value;
            EXPECT_EQ(r.problems, (QList<Problem>{{line, QString::fromUtf8(value)}})) << value;
            EXPECT_FALSE(r.Has(c.slot));
            EXPECT_EQ(r.status, ReadResult::Status::Ok);
        }
        for (const auto& [value, read] : c.good) {
            const ReadResult r = withValue(value);
            std::array<int32_t, kValueCount> expected = kWritten;
            expected[c.slot] = read;
            EXPECT_EQ(Fields(r.values), expected) << "slot " << c.slot << " value " << value;
            EXPECT_TRUE(r.problems.isEmpty()) << value;
            EXPECT_TRUE(r.Has(c.slot));
        }
    }
}

// A file cut short after any line keeps the values it has.
TEST_F(SettingsFileTest, AFileThatEndsEarlyKeepsWhatItHas)
{
    const std::array<int32_t, kValueCount> defaults = Fields(Values{});
    for (int kept = 0; kept <= 22; ++kept) {
        const ReadResult r = ReadLines(WrittenLines().mid(0, kept));
        const int values = static_cast<int>(
            std::count_if(kLineOf, kLineOf + kValueCount, [kept](int line) { return line <= kept; }));
        EXPECT_EQ(r.valueCount, values) << kept;
        for (int n = 0; n < kValueCount; ++n) {
            EXPECT_EQ(Fields(r.values)[n], n < values ? kWritten[n] : defaults[n])
                << "slot " << n << " of a file of " << kept << " lines";
            EXPECT_EQ(r.Has(static_cast<Slot>(n)), n < values);
        }
        EXPECT_TRUE(r.problems.isEmpty());
    }
}

TEST_F(SettingsFileTest, MissingUnreadableAndHugeFiles)
{
    EXPECT_EQ(Read(Path()).status, ReadResult::Status::NoFile);

    ReadResult r = ReadBytes(QByteArray("Top =15\r\n\x82", 10)); // neither UTF-8 nor CP932
    EXPECT_EQ(r.status, ReadResult::Status::Unreadable);
    EXPECT_FALSE(r.fileError.isEmpty());
    EXPECT_EQ(Fields(r.values), Fields(Values{}));

    // Neither a folder, a pipe, a device nor a file over 4 MB is read: a pipe
    // would hang the start, /dev/zero fill the memory. The tables' settings
    // take their defaults from them. 4 MB itself is read.
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini"));
    ASSERT_EQ(mkfifo(Path(QStringLiteral("pipe.ini")).toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path(QStringLiteral("zero.ini"))));
    for (const auto& [name, size] : {std::pair{"big.ini", (4 << 20) + 1}, std::pair{"4MB.ini", 4 << 20}}) {
        QFile f(Path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(QByteArray(size, ' ')) == size);
    }
    const QString notAFile = QStringLiteral("通常のファイルではありません");
    for (const auto& [name, why] :
         {std::pair{"folder.ini", notAFile}, std::pair{"pipe.ini", notAFile}, std::pair{"zero.ini", notAFile},
          std::pair{"big.ini", QStringLiteral("4 MB までのファイルを読みます")},
          std::pair{"4MB.ini", QString()}}) {
        r = Read(Path(QString::fromLatin1(name)));
        EXPECT_EQ(r.status, why.isEmpty() ? ReadResult::Status::Ok : ReadResult::Status::Unreadable) << name;
        EXPECT_TRUE(why.isEmpty() ? r.fileError.isEmpty() : r.fileError.contains(why)) << name;
        EXPECT_EQ(yomari::tablesettings::Read(Path(QString::fromLatin1(name)), 7).tab, 0) << name;
    }

    // A value of a megabyte is quoted by its beginning only.
    r = ReadBytes("Top =" + QByteArray(1 << 20, '7') + "x\r\nLeft =30\r\n");
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].value, QString(40, QLatin1Char('7')) + QStringLiteral("…"));
    EXPECT_EQ(r.values.left, 30);
}

TEST_F(SettingsFileTest, FullDiskKeepsTheOldFileAndLeavesNoTemporary)
{
    const QString folder = Path(QStringLiteral("disk"));
    testsupport::SmallDisk disk(folder);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    const QString file = folder + QStringLiteral("/Yomari.ini");
    const QByteArray old = "Top =15\r\n";
    EXPECT_TRUE(Write(file, old).isEmpty());
    disk.Fill();

    const QByteArray content = Format(Snapshot{});
    EXPECT_FALSE(Write(file, content).isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{QStringLiteral("Yomari.ini"), QStringLiteral("filler")}));

    disk.Free();
    EXPECT_TRUE(Write(file, content).isEmpty());
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), content);
}

TEST_F(SettingsFileTest, StaleTemporariesAreRemovedAndNothingElse)
{
    const QStringList stale{QStringLiteral("Yomari.ini.Ab3dE9"), QStringLiteral("Yomari.ini.000000")};
    const QStringList kept{QStringLiteral("Yomari.ini"),         QStringLiteral("Yomari.ini.bak"),
                           QStringLiteral("Yomari.ini.Ab3dE9x"), QStringLiteral("Yomari.ini.Ab-dE9"),
                           QStringLiteral("Other.ini.Ab3dE9"),   QStringLiteral("XYomari.ini.Ab3dE9")};
    for (const QString& name : stale + kept) {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
    }
    RemoveStaleTemporaries(Path());
    QStringList left = QDir(m_dir.path()).entryList(QDir::Files);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}
