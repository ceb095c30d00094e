#pragma once

#include <functional>

class QApplication;

// For start-up measurements and scripted runs, once the first window has been
// painted: with YOMARI_EXIT_AFTER_FIRST_PAINT set the program ends at once,
// writing nothing; with YOMARI_CLOSE_AFTER_FIRST_PAINT set it ends through
// `closeProgram`, its ordinary exit, which keeps the settings.
// Without `closeProgram` the event loop is simply quit.
void InstallStartupProbe(QApplication& app, std::function<void()> closeProgram = {});
