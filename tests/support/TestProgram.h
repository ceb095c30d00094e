#pragma once

// Shared set-up of the window tests: a folder of its own that stands for the
// program's folder, era data in it, a fixed current year; and, through the
// headers below, typing and clicking, settings files and modal windows.

#include "app/AppEnvironment.h"
#include "engine/YomariError.h"
#include "tests/support/Window.h"
#include "tests/support/Modals.h"
#include "tests/support/Settings.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace testsupport {

// The four eras the windows' examples are written against and the one older
// era the windows need at least, in CP932.
inline QByteArray FourErasCp932()
{
    // "平成","へいせい","",1989 ... "慶応","けいおう","",1865 as Shift-JIS bytes.
    return QByteArray("\"\x95\xbd\x90\xac\",\"\x82\xd6\x82\xa2\x82\xb9\x82\xa2\",\"\",1989\r\n"
                      "\"\x8f\xba\x98\x61\",\"\x82\xb5\x82\xe5\x82\xa4\x82\xed\",\"\",1926\r\n"
                      "\"\x91\xe5\x90\xb3\",\"\x82\xbd\x82\xa2\x82\xb5\x82\xe5\x82\xa4\",\"\",1912\r\n"
                      "\"\x96\xbe\x8e\xa1\",\"\x82\xdf\x82\xa2\x82\xb6\",\"\",1868\r\n"
                      "\"\x8c\x63\x89\x9e\",\"\x82\xaf\x82\xa2\x82\xa8\x82\xa4\",\"\",1865\r\n");
}

// Copies the shipped data files of those names (by default the ones every
// window reads) into the folder.
inline void CopyShippedInto(const QString& folder, const QStringList& names = {"Yomari.dan", "Yomari.das",
                                                                               "Yomari.daj", "Yomari.hlp"})
{
    for (const QString& name : names)
        QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/") + name, folder + QLatin1Char('/') + name);
}

// The program's folder and the current year as the windows see them, for as
// long as it lives.
class ProgramSeams {
public:
    ProgramSeams(const QString& programFolder, int currentYear)
    {
        yomari::app::SetLocationForTesting(
            yomari::app::ProgramLocation{programFolder, QStringLiteral("Yomari")});
        yomari::app::SetCurrentYearForTesting([currentYear] { return currentYear; });
    }
    ~ProgramSeams()
    {
        yomari::app::SetLocationForTesting(std::nullopt);
        yomari::app::SetCurrentYearForTesting(nullptr);
    }
    ProgramSeams(const ProgramSeams&) = delete;
    ProgramSeams& operator=(const ProgramSeams&) = delete;
};

class ProgramFolder {
public:
    enum class Data { FourEras, Shipped, None };

    explicit ProgramFolder(Data data = Data::Shipped, int currentYear = 2026)
        : m_seams(m_dir.path(), currentYear)
    {
        if (data == Data::FourEras) {
            Write(QStringLiteral("Yomari.dan"), FourErasCp932());
            Write(QStringLiteral("Yomari.das"), FourErasCp932());
        } else if (data == Data::Shipped) {
            CopyShippedInto(m_dir.path());
        }
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Copies shipped data files ("Yomari.dad", ...) into the folder.
    void CopyShipped(const QStringList& names) const { CopyShippedInto(m_dir.path(), names); }

    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    void WriteSettings(const SettingsFile& settings) const
    {
        Write(QStringLiteral("Yomari.ini"), settings.Bytes());
    }

    QByteArray Read(const QString& name) const
    {
        QFile f(Path(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir m_dir;
    ProgramSeams m_seams;
};

// The description of the yomari::YomariError the action raised, or
// "(nothing raised)".
inline QString RaisedError(const std::function<void()>& action)
{
    try {
        action();
    } catch (const yomari::YomariError& e) {
        return QString::fromStdString(e.Description());
    }
    return QStringLiteral("(nothing raised)");
}

} // namespace testsupport
