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
class frmMain;

// The simple edition: Western year <-> year of the four newest eras, computed
// here from the main window's engine and era captions in 16-bit arithmetic.
class frmADGen : public QWidget {
    Q_OBJECT

public:
    // Runs Form_Load: the era captions are taken from the main window as they
    // stand at that moment.
    explicit frmADGen(frmMain& main);
    ~frmADGen() override;

    void Form_Load();
    // Copies the main window's era captions onto the era buttons again; the
    // main window calls it once its captions come from the era table.
    void RefreshCaptions();

    int16_t GengoCount() const { return m_gengoCount; }

    // The checked era button (0..3), -1 when none is checked.
    int32_t SelectedGengo() const;
    // Checks that era button; -1 (or any index without a button) unchecks all.
    void SetSelectedGengo(int32_t index);

    // Handlers, public so that other windows and tests can raise them as the
    // controls do.
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Command1_Click();
    void cmdCopy_Click();
    void cmdFullVersion_Click();
    void cmdHelp_Click();

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

    // Controls, named and indexed as the other windows know them.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Year-length table (index 0 the first year of the oldest of the four
    // eras, 1..4 the era lengths) and era-name table, rebuilt per calculation.
    static constexpr int kTableSize = 5;
    using LengthTable = std::array<int16_t, kTableSize>;
    using NameTable = std::array<QString, kTableSize>;

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
    bool MakeGengoTable(LengthTable& lengths, NameTable& names);
    bool CalcByMode(const LengthTable& lengths, const NameTable& names, int16_t& year, QString& unit);
    bool ReadInput(int16_t& value);
    bool GengoToAD(const LengthTable& lengths, int16_t input, int16_t& n, int16_t& year);
    void ShowLastYearNote(const LengthTable& lengths, const NameTable& names, int16_t n, int16_t input);
    bool ADToGengo(const LengthTable& lengths, const NameTable& names, int16_t input, int16_t& year,
                   QString& unit);
    void ShowBeforeFirst(const NameTable& names);
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

    frmMain& m_main;
    int16_t m_gengoCount = 0;
    bool m_unloading = false;
};
