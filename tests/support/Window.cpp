#include "tests/support/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace testsupport {

namespace {

// Fails the running test with the message and ends its test function, which
// cannot go on without what it looked for.
[[noreturn]] void Stop(const QString& message, const char* file, int line)
{
    const QByteArray text = message.toUtf8();
    QTest::qFail(text.constData(), file, line);
    throw std::runtime_error(text.toStdString());
}

} // namespace

QObject* FindControl(const QObject& window, const QString& name, const QMetaObject& type)
{
    QList<QObject*> found;
    for (QObject* child : window.findChildren<QObject*>(name))
        if (type.cast(child))
            found << child;
    if (found.size() == 1)
        return found.front();
    Stop(QStringLiteral("%1 \"%2\" in %3 \"%4\"")
             .arg(found.isEmpty() ? QStringLiteral("no") : QStringLiteral("more than one"))
             .arg(name)
             .arg(QLatin1String(window.metaObject()->className()))
             .arg(window.objectName()),
         __FILE__, __LINE__);
}

void ClickRadio(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

QString TextOf(const QObject& window, const QString& name)
{
    QObject* control = FindControl(window, name, QWidget::staticMetaObject);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    Stop(name + QStringLiteral(" shows no text"), __FILE__, __LINE__);
}

void Click(const QObject& window, const QString& name)
{
    QTest::mouseClick(Find<QAbstractButton>(window, name), Qt::LeftButton);
}

void Type(QWidget* w, const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return TypeJapanese(w, text);
    QTest::keyClicks(w, text);
}

void TypeJapanese(QWidget* w, const QString& text)
{
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
}

void Retype(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    Type(box, text);
}

void PressAsX(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QString text;
    switch (key) {
    case Qt::Key_Delete: text = QChar(0x7f); break;
    case Qt::Key_Backspace: text = QChar(0x08); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: text = QChar(u'\r'); break;
    case Qt::Key_Escape: text = QChar(0x1b); break;
    case Qt::Key_Tab: text = QChar(u'\t'); break;
    default:
        // Ctrl with a letter carries the control character: Ctrl+V is SYN.
        if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
            text = QChar(key - Qt::Key_A + 1);
        break;
    }
    QTest::sendKeyEvent(QTest::Click, w, key, text, modifiers);
}

void PressLater(QAbstractButton* button)
{
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

QPoint CentredOnScreen(const QSize& size)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {(screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2};
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QStringList Items(const QMenu* menu)
{
    QStringList items;
    for (const QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("──") : a->text());
    return items;
}

void ClickTrayIcon(const QObject& window, QSystemTrayIcon::ActivationReason reason)
{
    const QList<QSystemTrayIcon*> icons = window.findChildren<QSystemTrayIcon*>();
    if (icons.size() != 1 || !icons.front()->isVisible())
        Stop(QStringLiteral("no notification-area icon shown by ") + window.objectName(), __FILE__, __LINE__);
    emit icons.front()->activated(reason);
}

void ChooseMenuItem(QMenu* menu, const QString& text)
{
    QList<QAction*> found;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->text() == text)
            found << a;
    if (found.size() != 1 || !found.front()->isEnabled())
        Stop(QStringLiteral("no single entry \"%1\" to choose in menu %2").arg(text, menu->objectName()),
             __FILE__, __LINE__);
    if (!menu->isVisible())
        menu->popup(QPoint(0, 0));
    if (!QTest::qWaitForWindowExposed(menu))
        Stop(QStringLiteral("menu %1 does not show").arg(menu->objectName()), __FILE__, __LINE__);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(found.front()).center());
}

void ChooseFromTrayMenu(const QObject& window, const QString& text)
{
    ClickTrayIcon(window, QSystemTrayIcon::Context);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        Stop(QStringLiteral("no menu pops up from the icon of ") + window.objectName(), __FILE__, __LINE__);
    ChooseMenuItem(menu, text);
}

} // namespace testsupport
