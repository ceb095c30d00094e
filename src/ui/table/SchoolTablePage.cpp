#include "ui/table/SchoolTablePage.h"

#include "app/TableSettings.h"
#include "app/basYomari.h"
#include "engine/BirthInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

SchoolTablePage::SchoolTablePage(QWidget* parent)
    : TablePage(parent)
{
    setObjectName(QStringLiteral("pgSchool"));
    txtBirth = new QLineEdit(this);
    txtBirth->setObjectName(QStringLiteral("txtBirth"));
    txtBirth->setPlaceholderText(QStringLiteral("2012-04-02、平成24年4月2日、H24.04.02"));
    auto* birthLabel = new QLabel(QStringLiteral("生年月日(&B)"), this);
    birthLabel->setBuddy(txtBirth);
    lblBirth = new QLabel(this);
    lblBirth->setObjectName(QStringLiteral("lblBirth"));
    grdSchool = NewGrid(this);
    grdSchool->setObjectName(QStringLiteral("grdSchool"));
    chkEraYears = new QCheckBox(QStringLiteral("和暦の年で(&W)"), this);
    chkEraYears->setObjectName(QStringLiteral("chkEraYears"));
    chkEraYears->setChecked(true);
    cmdResume = new QPushButton(QStringLiteral("履歴書の順にコピー(&R)"), this);
    cmdResume->setObjectName(QStringLiteral("cmdResume"));
    cmdResume->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(birthLabel);
    top->addWidget(txtBirth, 1);
    top->addWidget(lblBirth, 1);
    auto* resumeRow = new QHBoxLayout;
    resumeRow->addWidget(new QLabel(QStringLiteral("チェックした学校を履歴書の学歴欄の順に:"), this));
    resumeRow->addWidget(chkEraYears);
    resumeRow->addWidget(cmdResume);
    resumeRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grdSchool, 1);
    layout->addLayout(resumeRow);

    setTabOrder(txtBirth, grdSchool);
    setTabOrder(grdSchool, chkEraYears);
    setTabOrder(chkEraYears, cmdResume);

    connect(txtBirth, &QLineEdit::textChanged, this, [this] { Fill(); });
    connect(cmdResume, &QPushButton::clicked, this, &SchoolTablePage::CopyResume);
}

void SchoolTablePage::RestoreSettings(const yomari::tablesettings::Values& values)
{
    chkEraYears->setChecked(values.eraYears);
    m_storedResumeChoice = values.resume;
    txtBirth->setText(values.birthDate);
}

void SchoolTablePage::StoreSettings(yomari::tablesettings::Values& values) const
{
    values.eraYears = chkEraYears->isChecked();
    values.resume = ResumeChoice();
    values.birthDate = txtBirth->text().trimmed();
}

void SchoolTablePage::SetCalendar(const yomari::EraCalendar* calendar)
{
    m_calendar = calendar;
    Fill();
}

void SchoolTablePage::FocusFirstBox()
{
    txtBirth->setFocus();
}

std::vector<bool> SchoolTablePage::ResumeChoice() const
{
    std::vector<bool> chosen;
    for (int r = 0; r < grdSchool->rowCount(); ++r)
        chosen.push_back(grdSchool->item(r, 0)->checkState() == Qt::Checked);
    return chosen;
}

void SchoolTablePage::Fill()
{
    const QString text = txtBirth->text().trimmed();
    // The check marks stay with the schools while the birth date changes,
    // also across a date that gives no table.
    if (grdSchool->rowCount() > 0)
        m_storedResumeChoice = ResumeChoice();
    const std::vector<bool> chosen = m_storedResumeChoice;

    m_stages.clear();
    lblBirth->clear();
    if (m_calendar && !text.isEmpty()) {
        std::string reason;
        const auto birth = yomari::ReadBirthDate(*m_calendar, text.toStdString(), reason);
        if (!birth) {
            lblBirth->setText(QString::fromStdString(reason));
        } else {
            try {
                m_stages =
                    yomari::MakeSchoolStages(*m_calendar, *birth, basYomari::AppBaseName().toStdString());
                lblBirth->setText(QString::fromStdString(yomari::DescribeBirthDate(*m_calendar, *birth)));
            } catch (const std::exception& error) {
                lblBirth->setText(QString::fromUtf8(error.what()));
            }
        }
    }
    ShowTable(grdSchool, yomari::SchoolTableText(m_stages));
    for (int r = 0; r < grdSchool->rowCount(); ++r) {
        QTableWidgetItem* item = grdSchool->item(r, 0);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const bool on = static_cast<size_t>(r) < chosen.size() ? chosen[static_cast<size_t>(r)]
                                                               : m_stages[static_cast<size_t>(r)].onResume;
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(QStringLiteral("チェックした学校を履歴書の順にコピーします"));
    }
    FitColumns(grdSchool); // the check boxes widen the first column
    cmdResume->setEnabled(!m_stages.empty());
}

void SchoolTablePage::CopyResume()
{
    QApplication::clipboard()->setText(
        QString::fromStdString(yomari::ResumeLines(m_stages, ResumeChoice(), chkEraYears->isChecked())));
}

yomari::tableexport::ExportTable SchoolTablePage::Export(bool selectedOnly) const
{
    yomari::tableexport::ExportTable table;
    table.name = QStringLiteral("学歴早見表");
    table.title = QStringLiteral("学歴早見表 ") + lblBirth->text();
    table.cells = yomari::SchoolTableText(m_stages);
    if (selectedOnly)
        table.cells = SelectedOrAll(grdSchool, std::move(table.cells));
    // Its dates ("2019年4月") are no single number, and stand flush left.
    table.numbers.assign(table.cells.header.size(), false);
    table.centred.assign(table.cells.header.size(), false);
    return table;
}
