#pragma once

#include "engine/Milestones.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

class QPushButton;
class QTabWidget;
class AgeTablePage;
class AppOptions;
class SchoolTablePage;
class TablePage;

namespace yomari {
class EraCalendar;
}

// The window of the two tables: the age table (one row per birth year) and
// the school-year table of one birth date, with copying, CSV, printing and
// PDF of the page in front.
class frmTable : public QWidget {
    Q_OBJECT

public:
    explicit frmTable(const AppOptions& options);
    ~frmTable() override;

    // Loads the era calendar of the main window's court line and the 厄年・長寿
    // data, reads this window's settings and fills the tables. A data file
    // that cannot be read is reported; the tables show what they still can.
    void Form_Load();
    // Takes the main window's court line when it changed since loading;
    // the main window calls it at each change.
    void FollowCourtLine();
    // Tells, once, what Form_Load could not read; called once the window shows.
    void ReportLoadProblems();
    // Puts the focus into the box a person types into first on the page in front.
    void FocusFirstBox();

    // The settings of this window live in a file of their own beside the
    // program's settings.
    static QString SettingsFileName();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    TablePage* CurrentPage() const;
    void cmdCopy_Click();
    void cmdCsv_Click();
    void cmdPrint_Click();
    void cmdPdf_Click();
    QString AskFileName(const QString& caption, const QString& name, const QString& suffix,
                        const QString& filter);
    // Loads the era calendar of the main window's court line and gives it to
    // the pages; answers what went wrong.
    QString LoadCalendar();
    void ReadSettings();
    void WriteSettings();

    QTabWidget* tabTables = nullptr;
    AgeTablePage* pgAge = nullptr;
    SchoolTablePage* pgSchool = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdCsv = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdClose = nullptr;

    const AppOptions& m_options;
    std::unique_ptr<yomari::EraCalendar> m_calendar;
    int32_t m_courtLine = 0;
    std::optional<yomari::Milestones> m_milestones;
    QString m_lastFolder;
    QStringList m_loadProblems;
};
