#pragma once

// Settings files for the window tests, written as the program writes them.

#include <QByteArray>
#include <QStringList>

namespace testsupport {

// The settings file by name, e.g. SettingsFile{.CalcMode = 2, .InSysTray = true}.Bytes();
// what is not named is as after a first start.
struct SettingsFile {
    int Top = 1500;
    int Left = 1500;
    int CalcMode = 1;
    int InputIndex = 0;
    int OutputIndex = 6;
    int InputBeforeMeijiIndex = 0;
    int OutputBeforeMeijiIndex = 0;
    int NanBokuMode = 0;
    int AppMode = 0;
    bool InSysTray = false;
    int TextLenMax = 4;
    int BirthYearWhichCopy = 0;
    int ADGenTop = 1500;
    int ADGenLeft = 1500;
    int SelectedGengo = 3;

    // The fifteen values as the file spells them.
    QStringList Values() const;
    // The whole file: 22 lines in its four sections.
    QByteArray Bytes() const;
};

// The file with these texts in the value lines, in order; fewer than fifteen
// make a file that ends early, after the last value given.
QByteArray SettingsText(const QStringList& values);

} // namespace testsupport
