#pragma once

#include <QString>
#include <QStringList>

// The result line of the main window: its words and which boxes it shows,
// for layouts 1 to 3, 4 and 5. The window sets them per mode; its layout
// makes each column as wide as the longest of them.
namespace yomari::mainwindow {

struct ResultLineRow {
    const char* in0;
    const char* in1;
    bool output0;
    bool input1;
    const char* out2;
    bool output1;
    const char* out4;
};
inline const ResultLineRow kResultLineRows[] = {
    {"", "年", true, false, "年", false, ""},
    {"生年", "年", false, true, "年", true, "歳"},
    {"今年", "歳", true, false, "(西暦", true, ")生まれ"},
};

// Every text one column of the result line can show.
inline QStringList ResultLineTexts(const char* ResultLineRow::*column)
{
    QStringList texts;
    for (const ResultLineRow& row : kResultLineRows)
        texts << QString::fromUtf8(row.*column);
    return texts;
}

} // namespace yomari::mainwindow
