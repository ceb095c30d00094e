#pragma once

#include <QFont>

namespace yomari::app {

// The font every window of the program uses.
QFont ProgramFont();

// What the program sets up before its first window: its name, its font, its
// icon, Qt's own texts in Japanese, and that hidden windows keep it running.
// Needs the QApplication to exist.
void SetUpApplication();

} // namespace yomari::app
