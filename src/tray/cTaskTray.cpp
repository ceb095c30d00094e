#include "tray/cTaskTray.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {

std::optional<bool>& AvailableOverride()
{
    static std::optional<bool> available;
    return available;
}

} // namespace

cTaskTray::cTaskTray(QObject* parent)
    : QObject(parent)
{
}

cTaskTray::~cTaskTray()
{
    Delete();
}

bool cTaskTray::IsAvailable()
{
    if (AvailableOverride())
        return *AvailableOverride();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void cTaskTray::SetAvailableForTesting(std::optional<bool> available)
{
    AvailableOverride() = available;
}

void cTaskTray::SetForm(QWidget* New_Form)
{
    m_form = New_Form;
    if (m_form)
        m_form->setVisible(false);
}

void cTaskTray::Create()
{
    if (!IsAvailable())
        return; // nothing to show it in: the windows stay reachable as they are
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(this);
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
            case QSystemTrayIcon::Trigger: MouseMove(kLeftButtonDown); break;
            case QSystemTrayIcon::DoubleClick: MouseMove(kLeftButtonDoubleClick); break;
            case QSystemTrayIcon::Context: MouseMove(kRightButtonUp); break;
            default: break;
            }
        });
    }
    // Icon and tip are taken from the owner form as they are now.
    if (m_form)
        m_icon->setIcon(m_form->windowIcon());
    m_icon->setToolTip(m_toolTip.left(63));
    m_icon->show();
}

void cTaskTray::Delete()
{
    if (m_icon)
        m_icon->hide();
}

bool cTaskTray::IsShown() const
{
    return m_icon && m_icon->isVisible();
}

void cTaskTray::BringFormForward()
{
    // While a modal dialog is open nothing may come forward over it.
    if (m_modal || !m_form)
        return;
    m_form->activateWindow();
    QCoreApplication::processEvents();
}

void cTaskTray::MouseMove(int message)
{
    switch (message) {
    case kLeftButtonDown:
        BringFormForward();
        emit LeftClick();
        break;
    case kRightButtonUp:
        BringFormForward();
        emit RightClick();
        break;
    case kLeftButtonDoubleClick: emit DblClick(); break;
    default: break;
    }
}
