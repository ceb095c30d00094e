#pragma once

// What the windows below the main window may ask of it: the tray icon and
// the simple window reach the other windows only through this, so none of
// them needs the main window's class.
class WindowHost {
public:
    // The window of the mode in use (full or simple), as it was before it
    // was hidden into the notification area.
    virtual void ShowCurrentWindow() = 0;
    virtual void ShowFullWindow() = 0;
    virtual void ShowSimpleWindow() = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowTables() = 0;
    // The date conversion window (日付変換); it does nothing until that
    // window exists.
    virtual void ShowDates() = 0;
    // Ends the program as the main window's exit does: settings written,
    // every window closed.
    virtual void Quit() = 0;
    // Whether minimising hides a window (an icon is there to bring it back).
    virtual bool HidesIntoTray() const = 0;

protected:
    ~WindowHost() = default;
};
