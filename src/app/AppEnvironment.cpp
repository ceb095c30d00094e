#include "app/AppEnvironment.h"

#include "app/basYomari.h"
#include "engine/EraDates.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QSet>

namespace yomari::app {
namespace {

std::optional<ProgramLocation>& LocationOverride()
{
    static std::optional<ProgramLocation> location;
    return location;
}

std::function<int32_t()>& YearOverride()
{
    static std::function<int32_t()> year;
    return year;
}

} // namespace

ProgramLocation CurrentLocation()
{
    if (LocationOverride())
        return *LocationOverride();
    // Qt finds the running program on every platform; before the application
    // object exists the engine falls back to the current folder.
    const QString exe = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    const EngineEnvironment env = EngineEnvironment::ForProgram(PathFromUtf8(exe.toStdString()));
    ProgramLocation location;
    location.folder = QString::fromStdString(Utf8FromPath(env.folder));
    if (location.folder.endsWith(QLatin1Char('/')))
        location.folder.chop(1);
    location.baseName = QString::fromStdString(env.baseName);
    return location;
}

void SetLocationForTesting(std::optional<ProgramLocation> location)
{
    LocationOverride() = std::move(location);
}

int32_t CurrentYear()
{
    return YearOverride() ? YearOverride()() : QDate::currentDate().year();
}

void SetCurrentYearForTesting(std::function<int32_t()> year)
{
    YearOverride() = std::move(year);
}

EngineEnvironment MakeEngineEnvironment()
{
    const ProgramLocation location = CurrentLocation();
    EngineEnvironment env;
    env.folder =
        location.folder.isEmpty() ? std::filesystem::path("/") : PathFromUtf8(location.folder.toStdString());
    env.baseName = location.baseName.toStdString();
    env.currentYear = [] { return CurrentYear(); };
    env.dataFolders = StandardDataFolders(env.folder);
    env.dataName = env.baseName;
    env.fallbackNotice = [](const std::string& refused, const std::string& reason, const std::string& used) {
        static QSet<QString> told;
        const QString file = QString::fromStdString(refused);
        if (told.contains(file))
            return;
        told.insert(file);
        QMessageBox::warning(QApplication::activeWindow(), basYomari::AppTitle(),
                             QStringLiteral("データファイル %1 を使えません。\n%2\n\n"
                                            "代わりに %3 を使います。")
                                 .arg(file, QString::fromStdString(reason), QString::fromStdString(used)));
    };
    return env;
}

void NameDateFileProblems(int32_t courtLine)
{
    try {
        EraCalendar::Load(MakeEngineEnvironment(), courtLine);
    } catch (const YomariError&) {
        // Nothing usable at all: the tables tell it where it matters.
    }
}

QString DataFilePath(const QString& extension)
{
    return QString::fromStdString(MakeEngineEnvironment().DataFile(extension.toStdString()));
}

} // namespace yomari::app
