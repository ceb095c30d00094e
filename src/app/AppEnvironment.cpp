#include "AppEnvironment.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    const EngineEnvironment env = EngineEnvironment::FromRunningProcess();
    ProgramLocation location;
    location.folder = QString::fromStdString(env.folder.string());
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
    return YearOverride() ? YearOverride()() : LocalCurrentYear();
}

void SetCurrentYearForTesting(std::function<int32_t()> year)
{
    YearOverride() = std::move(year);
}

EngineEnvironment MakeEngineEnvironment()
{
    const ProgramLocation location = CurrentLocation();
    EngineEnvironment env;
    env.folder = location.folder.isEmpty() ? std::filesystem::path("/")
                                           : std::filesystem::path(location.folder.toStdString());
    env.baseName = location.baseName.toStdString();
    env.currentYear = [] { return CurrentYear(); };
    return env;
}

} // namespace yomari::app
