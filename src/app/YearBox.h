#pragma once

#include <QString>

#include <functional>

class QEvent;
class QLineEdit;

namespace yomari::app {

// The digits of `text` a year box keeps: full-width digits (２０２６, as the
// Japanese input method types them) read as ASCII, everything else dropped.
QString YearDigits(const QString& text);

// What of `incoming` the box takes at its cursor (or over its selection):
// the digits, no leading zero at the front of the box, as many as still fit
// in `maxLength`.
QString AcceptedYearText(const QLineEdit* box, const QString& incoming, int maxLength);

// A year box that edits as any text box does (Ctrl+A/C/V/X/Z, Shift+Insert,
// the input method, the context menu) while keeping to a year's digits.
// `edited` runs after every change the user makes to the text.
class YearBox {
public:
    // Which of the box's events the window's own key filter should leave alone.
    enum class Handling { NotMine, Pass, Consumed };
    // Call from the window's event filter for the box, before its own keys.
    static Handling Filter(QLineEdit* box, QEvent* event, int maxLength, const std::function<void()>& edited);
    // Lets the input method reach the box.
    static void Guard(QLineEdit* box);
};

} // namespace yomari::app
