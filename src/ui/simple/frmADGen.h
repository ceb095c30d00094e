#pragma once

#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class AppOptions;
class WindowHost;
namespace yomari {
class CYomari;
}

// The simple edition: Western year <-> year of the four newest eras. The
// engine's simple arithmetic answers; this window shows the answer, and
// reaches the other windows only through its host.
class frmADGen : public QWidget {
    Q_OBJECT

public:
    // Runs Form_Load; the era captions are the design ones until an engine
    // is given.
    frmADGen(WindowHost& host, AppOptions& options);
    ~frmADGen() override;

    void Form_Load();
    // The engine whose four newest eras this window converts (nullptr while
    // there is none); the era buttons take their names.
    void SetEngine(const yomari::CYomari* engine);
    void RefreshCaptions();

    // The last normal or maximised state before the window was hidden into
    // the notification area.
    int32_t WindowStateBeforeTray() const { return m_windowState; }
    void SetWindowStateBeforeTray(int32_t state) { m_windowState = state; }

    int16_t GengoCount() const { return m_gengoCount; }

    // The checked era button (0..3), -1 when none is checked.
    int32_t SelectedGengo() const;
    // Checks that era button; -1 (or any index without a button) unchecks all.
    void SetSelectedGengo(int32_t index);
    // Puts the focus into the year box, where a shown window is typed into.
    void FocusYear();

    // Hides the window while the program lives in the notification area,
    // otherwise unloads it (and with it the program).
    void CloseWindow();

    // Note-line messages for what the 16-bit arithmetic cannot answer.
    static QString InputTooLargeMessage();
    static QString ResultTooLargeMessage();
    static QString OutOfRangeMessage();
    static QString InvalidInputMessage();
    static QString NoEraMessage();
    static QString BadEraDataMessage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The controls' handlers.
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Command1_Click();
    void cmdCopy_Click();
    void cmdFullVersion_Click();
    void cmdHelp_Click();

    void CreateControls();
    // Widens the year row for TextLenMax digits and the era names in use.
    void ArrangeWindow();
    // The note line, as tall as its text needs.
    void SetNote(const QString& text);
    void SetTabOrder();
    void ConnectHandlers();

    bool HidesIntoTray() const;

    void ClearAll(const QString& message, int16_t noFocus);
    void Calculate();
    void ShowNote(const QString& message);
    void ShowResult(int16_t year, const QString& unit);

    void Text1_KeyPress(int& keyAscii);
    void Text1_KeyDown(int keyCode, bool& handled);
    void cmdCopy_KeyDown(int keyCode, bool& handled);
    void Option2_KeyDown(int index, int keyCode, bool& handled);
    void Form_Resize();
    void Form_Unload();

    // Where CreateControls put each control, before ArrangeWindow.
    QHash<QWidget*, QRect> m_designed;
    QSize m_designedSize;

    WindowHost& m_host;
    AppOptions& m_options;
    const yomari::CYomari* m_engine = nullptr;
    int32_t m_windowState = 0;
    int16_t m_gengoCount = 0;
    bool m_unloading = false;

    // Controls; each objectName is its name here, an array's index appended
    // ("Option23").
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 4> Option2{};
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdFullVersion = nullptr;
    QPushButton* cmdHelp = nullptr;
};
