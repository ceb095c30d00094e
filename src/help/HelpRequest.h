#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

// One request to the help system: what WinHelp is given on Windows.
struct HelpRequest {
    QPointer<QWidget> owner; // the window asking for help; may be null
    QString file;            // path of the help file
    int32_t command = 0;     // a WinHelp command number (below)
    int32_t context = 0;     // the data of every command but the keyword ones
    QString key;             // the data of the keyword commands
};

// The help system: takes a request, returns at once (the viewer is modeless).
using HelpHandler = std::function<void(const HelpRequest&)>;

// WinHelp command numbers, kept so that stored settings mean the same here.
namespace helpcmd {
inline constexpr int32_t Context = 1;        // HELP_CONTEXT: topic by number
inline constexpr int32_t Quit = 2;           // HELP_QUIT: close the viewer
inline constexpr int32_t Contents = 3;       // HELP_CONTENTS (= HELP_INDEX)
inline constexpr int32_t HelpOnHelp = 4;     // HELP_HELPONHELP
inline constexpr int32_t ContextPopup = 8;   // HELP_CONTEXTPOPUP
inline constexpr int32_t Finder = 11;        // HELP_FINDER
inline constexpr int32_t Key = 0x101;        // HELP_KEY: topic by keyword
inline constexpr int32_t Command = 0x102;    // HELP_COMMAND (a macro; not run here)
inline constexpr int32_t PartialKey = 0x105; // HELP_PARTIALKEY

// Whether the command's data is the keyword rather than the context number.
constexpr bool TakesKeyword(int32_t command)
{
    return command == Key || command == PartialKey;
}
} // namespace helpcmd
