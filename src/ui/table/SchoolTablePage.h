#pragma once

#include "engine/SchoolTable.h"
#include "ui/table/TablePage.h"

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace yomari::tablesettings {
struct Values;
}

// 学歴早見表: the schools of one birth date, and the chosen ones copied in
// the order of a 履歴書's 学歴 lines.
class SchoolTablePage : public TablePage {
    Q_OBJECT

public:
    explicit SchoolTablePage(QWidget* parent = nullptr);

    // This page's part of the tables' settings: the birth date, the schools
    // chosen for the 履歴書 and whether it takes era years.
    void RestoreSettings(const yomari::tablesettings::Values& values);
    void StoreSettings(yomari::tablesettings::Values& values) const;

    void SetCalendar(const yomari::EraCalendar* calendar) override;
    yomari::tableexport::ExportTable Export(bool selectedOnly) const override;
    void FocusFirstBox() override;

private:
    void Fill();
    std::vector<bool> ResumeChoice() const;
    void CopyResume();

    QLineEdit* txtBirth = nullptr;
    QLabel* lblBirth = nullptr;
    QTableWidget* grdSchool = nullptr;
    QCheckBox* chkEraYears = nullptr;
    QPushButton* cmdResume = nullptr;

    const yomari::EraCalendar* m_calendar = nullptr;
    std::vector<yomari::SchoolStage> m_stages;
    // Which schools go on the 履歴書, as last chosen.
    std::vector<bool> m_storedResumeChoice;
};
