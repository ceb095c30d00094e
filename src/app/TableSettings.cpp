#include "app/TableSettings.h"

#include "app/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace yomari::tablesettings {

namespace {

constexpr int kTabCount = 2;
// A birth date is a short text; anything longer was not typed into its box.
constexpr qsizetype kMaxBirthDate = 40;

} // namespace

Values Read(const QString& fileName, int stageCount)
{
    Values v;
    if (QFileInfo::exists(fileName) && !app::RefusedFile(fileName).isEmpty())
        return v;
    QSettings s(fileName, QSettings::IniFormat);
    v.geometry = s.value(QStringLiteral("Window/Geometry")).toByteArray();
    const int tab = s.value(QStringLiteral("Window/Tab"), 0).toInt();
    if (tab >= 0 && tab < kTabCount)
        v.tab = tab;
    v.eraYears = s.value(QStringLiteral("School/EraYears"), true).toBool();
    const QString choice = s.value(QStringLiteral("School/Resume")).toString();
    if (choice.size() == stageCount &&
        choice.count(QLatin1Char('0')) + choice.count(QLatin1Char('1')) == choice.size())
        for (QChar c : choice)
            v.resume.push_back(c == QLatin1Char('1'));
    const QString birth = s.value(QStringLiteral("School/BirthDate")).toString();
    if (birth.size() <= kMaxBirthDate)
        v.birthDate = birth;
    v.folder = s.value(QStringLiteral("Files/Folder")).toString();
    return v;
}

bool Write(const QString& fileName, const Values& v)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSettings s(fileName, QSettings::IniFormat);
    s.setValue(QStringLiteral("Window/Geometry"), v.geometry);
    s.setValue(QStringLiteral("Window/Tab"), v.tab);
    s.setValue(QStringLiteral("School/EraYears"), v.eraYears);
    QString choice;
    for (bool on : v.resume)
        choice += on ? QLatin1Char('1') : QLatin1Char('0');
    if (!choice.isEmpty())
        s.setValue(QStringLiteral("School/Resume"), choice);
    s.setValue(QStringLiteral("School/BirthDate"), v.birthDate);
    s.setValue(QStringLiteral("Files/Folder"), v.folder);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace yomari::tablesettings
