#pragma once

#include "engine/YomariError.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

class QAbstractButton;
class QKeyEvent;
class QLineEdit;
class QRadioButton;
class QWidget;

// Routines and state shared by the windows.
namespace basYomari {

// Window states as the windows remember them.
inline constexpr int32_t kStateNormal = 0;
inline constexpr int32_t kStateMinimized = 1;
inline constexpr int32_t kStateMaximized = 2;

// Key codes of the characters the windows filter.
inline constexpr int kKeyBack = 8;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;

// Position of the selected button of a group, or -1.
int32_t SelectedIndex(const QList<QRadioButton*>& group);

// The value of a settings line: what follows the first "=", trimmed; the
// whole line trimmed when it has no "=".
QString IniValue(const QString& line);

// The executable's folder without a trailing "/" and its base name.
QString AppFolder();
QString AppBaseName();
// AppFolder + "/" + base name + extension (".ini", ".daj", ".hlp").
QString FileBesideProgram(const QString& extension);

// Decimal text of a year; empty for 0 or less.
QString FormatYear(int64_t value);

// Whether the box's text reads as a number; gives it the focus when not.
void CheckNumeric(QLineEdit* box, bool& isNumeric);

// Decides one character typed into a year box; sets keyAscii to 0 to reject.
void FilterDigitKey(const QLineEdit* box, int& keyAscii, int32_t textLenMax);

// The character code a key press types (13 Enter, 27 Esc, 8 Backspace), or 0
// for keys that type nothing (arrows, Delete, function keys).
int KeyAscii(const QKeyEvent* event);

void CenterForm(QWidget* window);
void RestoreWindow(QWidget* window, int32_t windowState);

// Minimising the window hides it into the notification area while `hides`
// says an icon is there to bring it back; what opens the window shows it again.
void HideIntoTrayWhenMinimised(QWidget* window, std::function<bool()> hides);
// Brings a window back when its top-left lies off the screen: choice 0 to
// the top-left corner, 1 centred, any other value leaves it.
void KeepOnScreen(QWidget* window, int32_t choice);
// Puts a window at a stored position in twips, centred instead when that
// lies off the screen.
void RestorePosition(QWidget* window, int left, int top);

// Screen size and window position in twips.
int ScreenWidthTwips();
int ScreenHeightTwips();
int TopTwips(const QWidget* window);
int LeftTwips(const QWidget* window);
void MoveTwips(QWidget* window, int left, int top);

// Text to a 32-bit number: empty or non-numeric text gives 0; a number
// beyond 32 bits raises an overflow error.
int32_t TextToLong(const QString& text);

// Whether the whole text reads as a number (blanks around it allowed).
bool ReadsAsNumber(const QString& text);

// The number at the start of the text, rounded half to even; 0 when there is
// none. Raises an overflow error beyond 32 or 16 bits.
int32_t LeadingLong(const QString& text);
int16_t LeadingInteger(const QString& text);

// An error raised under the program's name.
yomari::YomariError OverflowError();

// Shows an error with its number and description; the windows stay usable.
void ShowError(QWidget* parent, const yomari::YomariError& error);

// F1 anywhere in the help button's window presses it, as in other programs.
void HelpOnF1(QAbstractButton* help);

// The title of the program's message boxes.
QString AppTitle();

} // namespace basYomari
