#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The tables' own settings file (an INI file beside the program's settings).
// Anything unreadable or out of range keeps its default.
namespace yomari::tablesettings {

struct Values {
    QByteArray geometry;      // as QWidget::saveGeometry gave it; empty: none
    int tab = 0;              // 0 the age table, 1 the school-year table
    bool eraYears = true;     // the school table shows era years
    std::vector<bool> resume; // which schools go on the 履歴書; empty: none stored
    QString birthDate;        // the school table's birth date as typed
    QString folder;           // where the last file was saved
};

// stageCount: how many schools the school table has; a stored choice of
// another length is not taken.
Values Read(const QString& fileName, int stageCount);

// Answers false when the file could not be written.
bool Write(const QString& fileName, const Values& values);

} // namespace yomari::tablesettings
