#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QSystemTrayIcon;
class QWidget;

// Owns one notification-area icon: adds and removes it and turns its mouse
// messages into the events LeftClick, RightClick and DblClick.
class cTaskTray : public QObject {
    Q_OBJECT

public:
    // The icon's mouse messages, numbered as the shell numbers them.
    static constexpr int kLeftButtonDown = 513;
    static constexpr int kLeftButtonDoubleClick = 515;
    static constexpr int kRightButtonUp = 517;

    explicit cTaskTray(QObject* parent = nullptr);
    ~cTaskTray() override; // takes the icon away

    // Decodes one mouse message of the icon and raises the matching event.
    void MouseMove(int message);

    void Create();
    void Delete();
    bool IsShown() const;

    QWidget* Form() const { return m_form; }
    void SetForm(QWidget* New_Form);
    QString ToolTip() const { return m_toolTip; }
    void SetToolTip(const QString& New_ToolTip) { m_toolTip = New_ToolTip; }
    bool Modal() const { return m_modal; }
    void SetModal(bool New_Modal) { m_modal = New_Modal; }

    // Whether this desktop has a notification area at all; tests may decide.
    static bool IsAvailable();
    static void SetAvailableForTesting(std::optional<bool> available);

signals:
    void LeftClick();
    void RightClick();
    void DblClick();

private:
    void BringFormForward();

    QPointer<QWidget> m_form;
    QString m_toolTip;
    bool m_modal = false;
    QSystemTrayIcon* m_icon = nullptr;
};
