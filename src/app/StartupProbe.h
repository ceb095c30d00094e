#pragma once

class QApplication;

// For start-up measurements: with YOMARI_EXIT_AFTER_FIRST_PAINT set, the
// program ends as soon as its first window has been painted, writing nothing.
void InstallStartupProbe(QApplication& app);
