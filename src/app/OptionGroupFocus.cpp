#include "app/OptionGroupFocus.h"

#include <QEvent>
#include <QRadioButton>

void OptionGroupFocus::Install(QWidget* frame, const QList<QRadioButton*>& buttons)
{
    new OptionGroupFocus(frame, buttons);
}

OptionGroupFocus::OptionGroupFocus(QWidget* frame, const QList<QRadioButton*>& buttons)
    : QObject(frame)
    , m_frame(frame)
{
    frame->installEventFilter(this);
    for (QRadioButton* b : buttons) {
        m_buttons << b;
        b->installEventFilter(this);
        connect(b, &QRadioButton::toggled, this, &OptionGroupFocus::Update);
    }
    Update();
}

QRadioButton* OptionGroupFocus::TabStop() const
{
    for (QRadioButton* b : m_buttons)
        if (b && b->isChecked() && b->isEnabled())
            return b;
    for (QRadioButton* b : m_buttons)
        if (b && b->isEnabled())
            return b;
    return nullptr;
}

void OptionGroupFocus::Update()
{
    // Qt moves the tab stop to whichever button last had the focus, which
    // before any focus leaves every button a stop and the first one the
    // dialog's first focus, checked or not.
    QRadioButton* stop = TabStop();
    for (QRadioButton* b : m_buttons)
        if (b)
            b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool OptionGroupFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_frame && event->type() == QEvent::Shortcut) {
        // The frame's own handling returns to the button focused last, which
        // need not be the checked one.
        if (QRadioButton* stop = TabStop()) {
            stop->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    } else if (watched != m_frame && event->type() == QEvent::EnabledChange) {
        Update();
    }
    return QObject::eventFilter(watched, event);
}
