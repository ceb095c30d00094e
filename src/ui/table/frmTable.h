#pragma once

#include "engine/AgeTable.h"
#include "engine/SchoolTable.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class frmMain;

// The age table (one row per birth year) and the school-year table of one
// birth date, with copying, CSV, printing and PDF.
class frmTable : public QWidget {
    Q_OBJECT

public:
    explicit frmTable(frmMain& main);
    ~frmTable() override;

    // Loads the era calendar of the main window's court line and the 厄年・長寿
    // data, reads this window's settings and fills the tables. A data file
    // that cannot be read is reported; the tables show what they still can.
    void Form_Load();
    // Takes the main window's court line when it changed since loading.
    void FollowCourtLine();
    // Tells, once, what Form_Load could not read; called once the window shows.
    void ReportLoadProblems();
    // Puts the focus into the box a person types into first on the page in front.
    void FocusFirstBox();

    // Selects and shows the row of a birth year given as 1975, 昭和50 or S50;
    // false when the text names no year of the table.
    bool FindBirthYear(const QString& text);

    // The table of the tab in front, as its cells read.
    yomari::TextTable CurrentTable() const;
    // The selected rows of the tab in front, or all rows when none is selected.
    yomari::TextTable SelectedOrAll() const;
    bool HasMilestones() const { return m_milestones.has_value(); }

    // Write the table in front; answer an error text, empty when written.
    QString WriteCsv(const QString& fileName) const;
    QString WritePdf(const QString& fileName) const;

    // The settings of this window live in a file of their own beside the
    // program's settings.
    static QString SettingsFileName();

    void cmdCopy_Click();
    void cmdCsv_Click();
    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdResume_Click();

    QTabWidget* tabTables = nullptr;
    QSpinBox* spnYear = nullptr;
    QLineEdit* txtFind = nullptr;
    QLabel* lblFind = nullptr;
    QTableWidget* grdAge = nullptr;
    QLineEdit* txtBirth = nullptr;
    QLabel* lblBirth = nullptr;
    QTableWidget* grdSchool = nullptr;
    QCheckBox* chkEraYears = nullptr;
    QPushButton* cmdResume = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdCsv = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void FillAgeTable();
    void FillSchoolTable();
    void ShowTable(QTableWidget* grid, const yomari::TextTable& table);
    static void FitColumns(QTableWidget* grid);
    // The title over a printed or saved table.
    QString CurrentTitle() const;
    void Render(QPrinter& printer) const;
    QString AskFileName(const QString& caption, const QString& suffix, const QString& filter);
    // Loads the era calendar of the main window's court line; answers what went wrong.
    QString LoadCalendar();
    void ReadSettings();
    void WriteSettings();

    frmMain& m_main;
    std::unique_ptr<yomari::EraCalendar> m_calendar;
    int32_t m_courtLine = 0;
    std::optional<yomari::Milestones> m_milestones;
    std::vector<yomari::AgeRow> m_ageRows;
    std::vector<yomari::SchoolStage> m_stages;
    QString m_lastFolder;
    QStringList m_loadProblems;
    // Which schools go on the 履歴書, as last chosen.
    std::vector<bool> m_storedResumeChoice;
};
