#pragma once

#include <functional>

// Which paint counts as the first for AfterFirstPaint.
enum class FirstPaint {
    AnyWindow,
    // A window painted while no modal dialog is open: the main window rather
    // than a start-up message.
    OutsideModalDialogs,
};

// Runs `work` once, on the turn of the event loop after the first paint of a
// window, so that the first look at the program does not wait for it.
void AfterFirstPaint(FirstPaint which, std::function<void()> work);

// For start-up measurements and scripted runs, once the first window has been
// painted: with YOMARI_EXIT_AFTER_FIRST_PAINT set the program ends at once,
// writing nothing; with YOMARI_CLOSE_AFTER_FIRST_PAINT set it ends through
// `closeProgram`, its ordinary exit, which keeps the settings.
// Without `closeProgram` the event loop is simply quit.
void InstallStartupProbe(std::function<void()> closeProgram = {});
