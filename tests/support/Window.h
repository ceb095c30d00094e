#pragma once

// Typing, clicking and reading in a shown window as a person does.

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <Qt>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;
class QWidget;
class QSize;
class QPoint;

namespace testsupport {

// The one control of the window with that objectName and type, as a person
// finds it by what it is: the windows name each control as the code does, an
// array's index appended ("txtInput0"). None or more than one fails the test,
// naming the objectName, and ends the test program there (Qt Test stops at
// the exception it throws), since the test cannot go on without it.
QObject* FindControl(const QObject& window, const QString& name, const QMetaObject& type);
template <class T>
T* Find(const QObject& window, const QString& name)
{
    return static_cast<T*>(FindControl(window, name, T::staticMetaObject));
}
template <class T>
T* Find(const QObject& window, const QString& name, int index)
{
    return Find<T>(window, name + QString::number(index));
}

// Clicks where the button's indicator is: a layout may stretch the button,
// and only its indicator and label take a click.
void ClickRadio(QRadioButton* button);

// The text the window's label, box or button of that objectName shows.
QString TextOf(const QObject& window, const QString& name);

// Clicks the button of the window with that objectName, as a person does
// with the mouse: a disabled button takes no click.
void Click(const QObject& window, const QString& name);

// Types the text into the widget: ASCII key by key, anything else (kana,
// kanji) as an input method commits it, since QTest::keyClicks cannot.
void Type(QWidget* w, const QString& text);
void TypeJapanese(QWidget* w, const QString& text);

// Replaces the box's text as the user does: select all, erase, type.
void Retype(QLineEdit* box, const QString& text);

// A key as an X server sends it, with the text it carries (Delete carries
// DEL, Backspace BS, Return CR, Escape ESC, Tab HT, Ctrl+V SYN).
void PressAsX(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A button pressed from inside a modal step: queued, so that a message box it
// opens does not block the step that pressed it.
void PressLater(QAbstractButton* button);

// Where centring on the primary screen puts a window of that size (its
// frame included once it is shown).
QPoint CentredOnScreen(const QSize& size);

// Deletes at once the windows that deleteLater() (or closing) scheduled.
void FlushDeletes();

// The entries of a list, top to bottom; a menu's separators as "──", which
// no entry's text could pass for.
QStringList Items(const QComboBox* list);
QStringList Items(const QListWidget* list);
QStringList Items(const QMenu* menu);

// A click on the window's notification-area icon as the desktop reports it:
// Trigger for the left button, Context for the right. A window without a
// shown icon fails the test.
void ClickTrayIcon(const QObject& window, QSystemTrayIcon::ActivationReason reason);

// Chooses the menu's entry of that text with a mouse click where it stands,
// popping the menu up first where it is not shown. No single enabled entry
// of that text fails the test.
void ChooseMenuItem(QMenu* menu, const QString& text);

// Right-clicks the window's notification-area icon and chooses the entry of
// the menu that pops up.
void ChooseFromTrayMenu(const QObject& window, const QString& text);

} // namespace testsupport
