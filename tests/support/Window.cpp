#include "tests/support/Window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace testsupport {

QObject* FindControl(const QObject& window, const QString& name, const QMetaObject& type)
{
    QList<QObject*> found;
    for (QObject* child : window.findChildren<QObject*>(name))
        if (type.cast(child))
            found << child;
    if (found.size() == 1)
        return found.front();
    const QByteArray message =
        QStringLiteral("%1 \"%2\" in %3 \"%4\"")
            .arg(found.isEmpty() ? QStringLiteral("no") : QStringLiteral("more than one"))
            .arg(name)
            .arg(QLatin1String(window.metaObject()->className()))
            .arg(window.objectName())
            .toUtf8();
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    // The caller has no control to go on with: end its test function here.
    throw std::runtime_error(message.toStdString());
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
    QTest::qFail(qPrintable(name + QStringLiteral(" shows no text")), __FILE__, __LINE__);
    throw std::runtime_error("no text");
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

} // namespace testsupport
