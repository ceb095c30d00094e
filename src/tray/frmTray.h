#pragma once

#include <QWidget>

#include <array>

class QAction;
class QMenu;
class AppOptions;
class WindowHost;
class cTaskTray;

// The form behind the notification-area icon. The user never sees it; it
// owns the icon, its popup menu and the menu's commands.
class frmTray : public QWidget {
    Q_OBJECT

public:
    frmTray(WindowHost& host, AppOptions& options);
    ~frmTray() override;

    // Loads the icon (shown when the main window keeps it).
    void Form_Load();

    void Create();
    void Delete();
    bool Modal() const;
    void SetModal(bool value);

    // Whether the icon is in the notification area now.
    bool IconShown() const;

    // Brings the window of the edition in use forward, as the icon does.
    void ShowCurrentWindow();

private:
    // The icon's handlers.
    void TaskTray1_LeftClick();
    void TaskTray1_RightClick();
    // The menu's commands, by their place in mnuRightClick.
    void mnuRightClick_Click(int index);

    // Each objectName is its name here, an array's index appended.
    cTaskTray* TaskTray1 = nullptr;
    QMenu* mnuRight = nullptr;
    std::array<QAction*, 6> mnuRightClick{};
    // Opens the age and school-year tables.
    QAction* mnuTable = nullptr;
    // Opens the date window.
    QAction* mnuDates = nullptr;

    WindowHost& m_host;
    AppOptions& m_options;
};
