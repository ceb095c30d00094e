#include "tests/support/Settings.h"

namespace testsupport {

QStringList SettingsFile::Values() const
{
    QStringList v;
    for (int n : {Top, Left, CalcMode, InputIndex, OutputIndex, InputBeforeMeijiIndex, OutputBeforeMeijiIndex,
                  NanBokuMode, AppMode})
        v << QString::number(n);
    v << (InSysTray ? QStringLiteral("True") : QStringLiteral("False"));
    for (int n : {TextLenMax, BirthYearWhichCopy, ADGenTop, ADGenLeft, SelectedGengo})
        v << QString::number(n);
    return v;
}

QByteArray SettingsFile::Bytes() const
{
    return SettingsText(Values());
}

QByteArray SettingsText(const QStringList& values)
{
    // Section lines, the program's empty lines (a lone CR) and value keys.
    static const char* const layout[] = {"[Window]",
                                         "Top",
                                         "Left",
                                         "\r",
                                         "[CalcSetting]",
                                         "CalcMode",
                                         "InputIndex",
                                         "OutputIndex",
                                         "InputBeforeMeijiIndex",
                                         "OutputBeforeMeijiIndex",
                                         "\r",
                                         "[Options]",
                                         "NanBokuMode",
                                         "AppMode",
                                         "InSysTray",
                                         "TextLenMax",
                                         "BirthYearWhichCopy",
                                         "\r",
                                         "[ADGen]",
                                         "ADGenTop",
                                         "ADGenLeft",
                                         "SelectedGengo"};
    QByteArray out;
    qsizetype n = 0;
    for (const char* line : layout) {
        const bool isValue = line[0] != '[' && line[0] != '\r';
        if (isValue && n == values.size())
            break;
        out += isValue ? QByteArray(line) + " =" + values[n++].toLatin1() : QByteArray(line);
        out += "\r\n";
    }
    return out;
}

} // namespace testsupport
