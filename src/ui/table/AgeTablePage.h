#pragma once

#include "engine/AgeTable.h"
#include "ui/table/TablePage.h"

#include <vector>

class QLabel;
class QLineEdit;
class QSpinBox;

// 年齢早見表: one row per birth year, seen from a year the user picks, and a
// box that finds a typed birth year in it.
class AgeTablePage : public TablePage {
    Q_OBJECT

public:
    explicit AgeTablePage(QWidget* parent = nullptr);

    // The 厄年・長寿 data; null leaves their columns out. Takes effect with
    // the next SetCalendar.
    void SetMilestones(const yomari::Milestones* milestones) { m_milestones = milestones; }
    // The year looked from, without filling the table.
    void SetYear(int year);
    // How wide the table's columns are together, for the window's first size.
    int ColumnsWidth() const;

    void SetCalendar(const yomari::EraCalendar* calendar) override;
    yomari::tableexport::ExportTable Export(bool selectedOnly) const override;
    void FocusFirstBox() override;

private:
    void Fill();
    // Selects and shows the row of a birth year given as 1975, 昭和50 or S50;
    // false when the text names no year of the table.
    bool FindBirthYear(const QString& text);
    void ShowFindResult(const QString& text);
    QString Title() const;

    QSpinBox* spnYear = nullptr;
    QLineEdit* txtFind = nullptr;
    QLabel* lblFind = nullptr;
    QTableWidget* grdAge = nullptr;

    const yomari::EraCalendar* m_calendar = nullptr;
    const yomari::Milestones* m_milestones = nullptr;
    std::vector<yomari::AgeRow> m_rows;
};
