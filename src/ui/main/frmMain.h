#pragma once

#include "app/AppOptions.h"
#include "app/SettingsFile.h"
#include "app/WindowHost.h"
#include "engine/CYomari.h"
#include "engine/EraDates.h"

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class HlpDlg;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class frmADGen;
class frmDates;
class frmOption;
class frmSerch;
class frmTable;
class frmTray;

// The full-edition main window: the four calculations, the era choices and
// the settings file. It owns the engine, the options and every other window,
// and is their WindowHost.
class frmMain : public QWidget, public WindowHost {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up work of the window. Throws yomari::YomariError when the
    // program cannot start (an era data file that cannot be read).
    void Form_Load(const QString& commandLine = QString());

    // A later start of the program handed over its command line: /S and /F
    // choose the window brought forward, /T puts the program into the
    // notification area instead (when an icon can be shown there).
    void SecondStart(const QString& commandLine);

    // The options of every window. A new court line refills the era lists,
    // a new digit count clears the boxes.
    AppOptions& Options() { return m_options; }
    const AppOptions& Options() const { return m_options; }

    // WindowHost
    void ShowCurrentWindow() override;
    void ShowFullWindow() override;
    void ShowSimpleWindow() override;
    void ShowHelp() override;
    void ShowTables() override;
    void ShowDates() override;
    void Quit() override;
    bool HidesIntoTray() const override;

    // The last normal or maximised state before the window was hidden into
    // the notification area.
    int32_t WindowStateBeforeTray() const { return m_windowState; }
    void SetWindowStateBeforeTray(int32_t state) { m_windowState = state; }

    // Writes the settings file; throws yomari::YomariError when it cannot.
    void PrintIni();

    // The simple edition window, created hidden on first use.
    frmADGen& ADGen();
    bool ADGenLoaded() const { return m_adGen != nullptr; }
    // The age and school-year tables, created and loaded on first use.
    frmTable& Table();
    bool TableLoaded() const { return m_frmTable != nullptr; }
    // The hidden form behind the notification-area icon, loaded at start-up.
    frmTray& Tray();

    // The era search dialog while it is loaded, else nullptr.
    frmSerch* Serch() const;
    bool SerchLoaded() const { return Serch() != nullptr; }

    int32_t SelectedGengoNumber(int group) const;
    int32_t ModernEraCount() const { return m_modernEraCount; }
    int32_t Layout() const { return m_layout; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Refills both pre-Meiji era lists from the engine's table.
    void SetGengoData();
    // Clears results; 0 also inputs and last-year labels, 1 also inputs.
    void ClearShow(int32_t lngSW);
    // Shows the tables in front, whichever window was current.
    void ShowTable();
    bool TrayLoaded() const { return m_frmTray != nullptr; }
    void UnloadSerch();
    int32_t GetCalcLayout();
    void SetModeLabels(int32_t layout);
    QString VersionCaption() const;

    // The controls' handlers.
    void cmdCal_Click();
    void cmdClear_Click();
    void cmdCopy_Click();
    void cmdExit_Click();
    void cmdHelp_Click();
    void cmdOption_Click();
    void cmdTable_Click();
    void optCalMode_Click(int index);
    void optInput_Click(int index);
    void cmbInput_Click(int index);
    void cmdInputSerch_Click(int index);

    void CreateControls();
    void NameControls();
    // Widens what the font in use, the era names and TextLenMax need wider.
    void ArrangeWindow();
    void SetTabOrder();
    void ConnectHandlers();

    void ReadIni(std::array<int32_t, 4>& indices, yomari::settings::ReadResult& stored);
    void ApplyDefaultSettings();
    void PlaceWindows(const yomari::settings::ReadResult& stored);
    void PlaceSimpleWindow();
    // The options, calculation mode and simple window's era of a settings file.
    void ApplyStoredOptions(const yomari::settings::Values& v);
    // One message for everything of the settings file that could not be used.
    void ShowSettingsProblems(const yomari::settings::ReadResult& stored);
    void SetGengoCaptions();
    void EnableEraGroups(int32_t layout);
    void ShowLastYear(int group, int32_t era, bool show);
    void ShowGengoLastYear(int group, int32_t era, bool show);
    void ShowLastYearCaption(int group, bool show);
    void EnableBeforeMeiji(int group, bool enable);
    void GetGroupBounds(int group, int& first, int& last) const;
    void ShowNanBoku();
    void FollowCourtLine();
    // Selects the era the search chose in the list, if it holds it.
    void SetGengoList(QComboBox* anyCombo, const QString& serched);
    void ApplyCommandLine(const QString& commandLine);
    void ShowStartWindow();
    void CheckOutputLength();
    void ArrangeWarning();
    void Calculate();
    // Names the other eras of a year of change under the result.
    void ShowOtherEra(int32_t westernYear);
    void SetOtherEra(const QString& text);

    void txtInput_KeyPress(int index, int& keyAscii);
    void txtInput_KeyDown(int index, int keyCode);
    void optCalMode_KeyPress(int index, int& keyAscii);

    void OptionChanged(AppOptions::Option option);

    // The one engine of the program; the other windows get it from here.
    std::unique_ptr<yomari::CYomari> m_CYomari;
    AppOptions m_options;
    int32_t m_windowState = 0;

    int32_t m_modernEraCount = 4;
    int32_t m_layout = 2;
    int32_t m_storedCalcMode = 1;
    bool m_unloaded = false;
    bool m_startHidden = false;
    QPointer<frmSerch> m_frmSerch;
    // The options dialog while it is open (it lives in cmdOption_Click).
    frmOption* m_frmOption = nullptr;

    // Where CreateControls put each control, before ArrangeWindow.
    QHash<QWidget*, QRect> m_designed;
    QSize m_designedSize;

    // Start days of the eras, read at the first result that needs them.
    std::unique_ptr<yomari::EraCalendar> m_calendar;
    int32_t m_calendarCourtLine = -1;

    std::unique_ptr<frmADGen> m_adGen;
    // The simple window's stored place and era, given to it when it is first
    // made: a start in the full window does not build it.
    struct SimpleWindowStart {
        bool placed = false; // false: centred
        int left = 0;
        int top = 0;
        int32_t selectedGengo = 0;
    } m_adGenStart;
    std::unique_ptr<frmTable> m_frmTable;
    std::unique_ptr<frmDates> m_frmDates;
    std::unique_ptr<frmTray> m_frmTray;

    // Controls; each objectName is its name here, an array's index appended
    // ("optInput11").
    QGroupBox* frameCalMode = nullptr;
    std::array<QRadioButton*, 4> optCalMode{};
    QLabel* Label2 = nullptr;
    std::array<QLineEdit*, 2> txtInput{};
    std::array<QLineEdit*, 2> txtOutput{};
    std::array<QLabel*, 2> lblInput{};
    std::array<QLabel*, 5> lblOutput{}; // 0, 2 and 4 exist
    QLabel* Label1 = nullptr;
    std::array<QGroupBox*, 2> frameInput{};
    std::array<QRadioButton*, 12> optInput{};
    std::array<QComboBox*, 2> cmbInput{};
    std::array<QPushButton*, 2> cmdInputSerch{};
    std::array<QLabel*, 2> lblLastYear{};
    std::array<QLabel*, 2> lblGenlast{};
    QLabel* Label3 = nullptr;
    QLabel* lblNanBoku = nullptr;
    QLabel* lblWarning = nullptr;
    // Under a Western year's era: the other era of a year of change.
    QLabel* lblOtherEra = nullptr;
    QPushButton* cmdCal = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdOption = nullptr;
    QPushButton* cmdTable = nullptr;
    QPushButton* cmdDates = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdExit = nullptr;
    HlpDlg* HlpDlg1 = nullptr;
};
