#pragma once

// The main window started, and driven as a person drives it: a year
// calculated, the options dialog, the date window; and an engine of the
// test's own over the program folder's data. Header-only: the tests that
// include it link the windows.

#include "app/AppEnvironment.h"
#include "engine/CYomari.h"
#include "tests/support/Modals.h"
#include "tests/support/TestProgram.h"
#include "tests/support/Window.h"
#include "ui/main/frmMain.h"
#include "ui/options/frmOption.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace testsupport {

// The main window started as the program starts it. Where `messages` is
// given, the start's message boxes are answered and their texts kept there;
// otherwise none is expected, and one fails the test.
inline std::unique_ptr<frmMain> StartMain(QStringList* messages = nullptr)
{
    auto w = std::make_unique<frmMain>();
    if (messages)
        *messages = AnswerMessageBoxes([&] { w->Form_Load(); });
    else
        w->Form_Load();
    return w;
}

// The main window started, shown and active, as a person finds it.
inline std::unique_ptr<frmMain> OpenMain(QStringList* messages = nullptr)
{
    auto w = StartMain(messages);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("window not active");
    return w;
}

// Opens the date window with the main window's button; the date window once
// it is active, or null.
inline QWidget* OpenDates(frmMain& w)
{
    Click(w, QStringLiteral("cmdDates"));
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("frmDates") && QTest::qWaitForWindowActive(top))
            return top;
    return nullptr;
}

// A program folder with `data` and, if given, a settings file, and its main
// window loaded as the program starts it (shown, unless the settings keep it
// in the notification area or choose the simple window).
struct MainProgram {
    explicit MainProgram(std::optional<SettingsFile> settings = std::nullopt,
                         ProgramFolder::Data data = ProgramFolder::Data::Shipped, int currentYear = 2026)
        : folder(data, currentYear)
    {
        if (settings)
            folder.WriteSettings(*settings);
        w.Form_Load();
    }
    ProgramFolder folder;
    frmMain w;
};

// Opens the options dialog with a click on the main window's button and runs
// `step` once it is the active window; whatever the step leaves open is
// cancelled afterwards. Answers whether the step ran.
inline bool WithOptionsOpen(frmMain& w, const std::function<void(frmOption&)>& step)
{
    bool ran = false;
    Modals()
        .Add([&](QWidget* modal) {
            auto* dialog = qobject_cast<frmOption*>(modal);
            if (!dialog || ran)
                return false;
            ran = true;
            if (QTest::qWaitForWindowActive(dialog))
                step(*dialog);
            if (dialog->isVisible())
                dialog->reject();
            return true;
        })
        .Run([&] { Click(w, QStringLiteral("cmdOption")); });
    return ran;
}

// Clicks the named option buttons in the options dialog and presses "&OK";
// a dialog still open after a refusal is cancelled. Answers the texts of the
// message boxes that came meanwhile.
inline QStringList ChooseOptions(frmMain& w, const QStringList& buttons)
{
    Modals modals;
    modals.AnswerBoxes().Add([buttons, done = false](QWidget* modal) mutable {
        auto* dialog = qobject_cast<frmOption*>(modal);
        if (!dialog)
            return false;
        if (!done) {
            for (const QString& name : buttons)
                ClickRadio(Find<QRadioButton>(*dialog, name));
            PressLater(Find<QPushButton>(*dialog, QStringLiteral("cmdOK")));
            done = true;
        } else {
            dialog->reject();
        }
        return true;
    });
    modals.Run([&] { Click(w, QStringLiteral("cmdOption")); });
    return modals.Texts();
}

// The court line (0 北朝, 1 南朝) chosen so.
inline QStringList ChooseCourtLine(frmMain& w, int line)
{
    return ChooseOptions(w, {QStringLiteral("optNanBoku%1").arg(line)});
}

// The era the main window names for a Western year in 西暦->元号, typed and
// calculated as a person does; the window stays in that mode.
inline QString EraOfYear(frmMain& w, int year)
{
    ClickRadio(Find<QRadioButton>(w, QStringLiteral("optCalMode0")));
    Retype(Find<QLineEdit>(w, QStringLiteral("txtInput0")), QString::number(year));
    Click(w, QStringLiteral("cmdCal"));
    return Find<QLabel>(w, QStringLiteral("lblOutput0"))->text();
}

// Types the year into the emptied first year box and presses Enter there.
inline void Calculate(frmMain& w, const QString& year)
{
    auto* box = Find<QLineEdit>(w, QStringLiteral("txtInput0"));
    box->clear();
    box->setFocus();
    Type(box, year);
    QTest::keyClick(box, Qt::Key_Return);
}

// The engine over the program folder's data, read as the program reads it,
// for a test that walks every era the windows show.
inline std::unique_ptr<yomari::CYomari> FolderEngine(int32_t nanBokuMode = 0)
{
    auto engine = std::make_unique<yomari::CYomari>(yomari::app::MakeEngineEnvironment());
    engine->SetNanBokuMode(nanBokuMode);
    return engine;
}

} // namespace testsupport
