#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

class AppOptions;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace yomari {
class DayEngine;
struct DayAnswer;
} // namespace yomari

// The date window (日付変換): one line that takes a day in any form the
// command line reads, answered as it is typed in every form the engine
// gives, each with a copy button. It follows the options' court line.
class frmDates : public QWidget {
    Q_OBJECT

public:
    explicit frmDates(const AppOptions& options, QWidget* parent = nullptr);
    ~frmDates() override;

    // Brings the window forward with the focus in the date line.
    void Open();
    // Where the window keeps its place and the calendar choice between runs.
    static QString SettingsFileName();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // One form of the answer: its caption, the text and its copy button.
    struct Row {
        QLabel* caption = nullptr;
        QLineEdit* value = nullptr;
        QPushButton* copy = nullptr;
    };
    enum RowIndex {
        kEra,
        kAlso,
        kOtherLine,
        kJulian,
        kGregorian,
        kLunisolar,
        kDayKanshi,
        kYearKanshi,
        kJdn,
        kRows
    };

    void CreateControls();
    void ReadSettings();
    void FitHeight();
    void WriteSettings();
    // Reads the era files of the options' court line (the lunisolar tables
    // wait for the first day before 1873).
    void LoadEngine();
    void Answer();
    void ShowDay(const yomari::DayAnswer& day);
    void ShowNote(const QString& text);
    void SetRow(int row, const QString& text);

    const AppOptions& m_options;
    std::unique_ptr<yomari::DayEngine> m_engine;
    int32_t m_line = -1;
    QString m_loadError;
    // Open() selects the last date once the window is active: typing then
    // replaces it (activation itself would drop a selection made before).
    bool m_selectWhenActive = false;

    QLineEdit* m_txtDate = nullptr;
    QCheckBox* m_chkGregorian = nullptr;
    Row m_rows[kRows];
    QLabel* m_lblNote = nullptr;
    QLabel* m_lblData = nullptr;
    QPushButton* m_cmdClose = nullptr;
};
