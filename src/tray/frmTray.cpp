#include "tray/frmTray.h"

#include "app/AppOptions.h"
#include "app/WindowHost.h"
#include "app/YomariIcon.h"
#include "app/basYomari.h"
#include "tray/cTaskTray.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>

frmTray::frmTray(WindowHost& host, AppOptions& options)
    : QWidget(nullptr, Qt::Tool)
    , m_host(host)
    , m_options(options)
{
    setObjectName(QStringLiteral("frmTray"));
    setWindowTitle(QStringLiteral("Yomari"));

    mnuRight = new QMenu(QStringLiteral("右クリック"), this);
    mnuRight->setObjectName(QStringLiteral("mnuRight"));
    const char* const captions[] = {"起動", "常駐解除", "-", "ヘルプ", "-", "終了"};
    for (int i = 0; i < 6; ++i) {
        QAction* action = nullptr;
        if (QString::fromUtf8(captions[i]) == QLatin1String("-"))
            action = mnuRight->addSeparator();
        else
            action = mnuRight->addAction(QString::fromUtf8(captions[i]));
        action->setObjectName(QStringLiteral("mnuRightClick") + QString::number(i));
        connect(action, &QAction::triggered, this, [this, i] { mnuRightClick_Click(i); });
        mnuRightClick[i] = action;
    }
    mnuTable = new QAction(QStringLiteral("早見表"), mnuRight);
    mnuTable->setObjectName(QStringLiteral("mnuTable"));
    mnuRight->insertAction(mnuRightClick[1], mnuTable);
    connect(mnuTable, &QAction::triggered, this, [this] { m_host.ShowTables(); });
    mnuDates = new QAction(QStringLiteral("日付変換"), mnuRight);
    mnuDates->setObjectName(QStringLiteral("mnuDates"));
    mnuRight->insertAction(mnuRightClick[1], mnuDates);
    connect(mnuDates, &QAction::triggered, this, [this] { m_host.ShowDates(); });
}

frmTray::~frmTray() = default;

void frmTray::Form_Load()
{
    TaskTray1 = new cTaskTray(this);
    TaskTray1->setObjectName(QStringLiteral("TaskTray1"));
    TaskTray1->SetToolTip(windowTitle());
    TaskTray1->SetForm(this);
    connect(TaskTray1, &cTaskTray::LeftClick, this, &frmTray::TaskTray1_LeftClick);
    connect(TaskTray1, &cTaskTray::RightClick, this, &frmTray::TaskTray1_RightClick);
    if (m_options.InSysTray())
        Create();
}

void frmTray::Create()
{
    // The icon takes this window's picture, which is the program's once a
    // window has been on screen; a start straight into the notification
    // area comes before that.
    if (windowIcon().isNull())
        setWindowIcon(YomariIcon());
    TaskTray1->Create();
}

void frmTray::Delete()
{
    TaskTray1->Delete();
}

bool frmTray::Modal() const
{
    return TaskTray1->Modal();
}

void frmTray::SetModal(bool value)
{
    TaskTray1->SetModal(value);
}

bool frmTray::IconShown() const
{
    return TaskTray1 && TaskTray1->IsShown();
}

void frmTray::ShowCurrentWindow()
{
    m_host.ShowCurrentWindow();
}

void frmTray::TaskTray1_LeftClick()
{
    ShowCurrentWindow();
}

void frmTray::TaskTray1_RightClick()
{
    mnuRight->popup(QCursor::pos());
}

void frmTray::mnuRightClick_Click(int index)
{
    switch (index) {
    case 0: ShowCurrentWindow(); break;
    case 1: {
        m_options.SetInSysTray(false);
        TaskTray1->Delete();
        QMessageBox box(QMessageBox::Warning, basYomari::AppTitle(), QStringLiteral("Yomariを終了しますか?"),
                        QMessageBox::Yes | QMessageBox::No);
        if (box.exec() == QMessageBox::Yes)
            m_host.Quit();
        else
            ShowCurrentWindow(); // there is no icon left to come back through
        break;
    }
    case 3: m_host.ShowHelp(); break;
    case 5: m_host.Quit(); break;
    default: break;
    }
}
