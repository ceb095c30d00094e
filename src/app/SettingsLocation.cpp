#include "app/SettingsLocation.h"

#include "app/AppEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace yomari::app {

SettingsLocation FindSettings()
{
    const ProgramLocation program = CurrentLocation();
    const QString name = program.baseName + QStringLiteral(".ini");
    const QString beside = program.folder + QLatin1Char('/') + name;

    const bool installed =
        !QFileInfo::exists(program.folder + QLatin1Char('/') + program.baseName + QStringLiteral(".dan")) &&
        QFileInfo::exists(program.folder + QStringLiteral("/../share/yomari/") + program.baseName +
                          QStringLiteral(".dan"));
    const QFileInfo besideFile(beside);
    const bool besideWritable =
        besideFile.exists()
            ? besideFile.isWritable()
            : !installed &&
                  QFileInfo(program.folder.isEmpty() ? QStringLiteral("/") : program.folder).isWritable();
    const QString configBase = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (besideWritable || configBase.isEmpty())
        return {beside, beside};

    SettingsLocation location;
    location.file = configBase + QStringLiteral("/yomari/") + name;
    location.readFrom = !QFileInfo::exists(location.file) && besideFile.exists() ? beside : location.file;
    return location;
}

QString SettingsFileForWriting()
{
    const QString file = FindSettings().file;
    QDir().mkpath(QFileInfo(file).absolutePath());
    return file;
}

QString WindowSettingsFile(const QString& window)
{
    return QFileInfo(FindSettings().file).absolutePath() + QLatin1Char('/') + CurrentLocation().baseName +
           window + QStringLiteral(".ini");
}

} // namespace yomari::app
