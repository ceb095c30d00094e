#include "ui/table/AgeTablePage.h"

#include "app/basYomari.h"
#include "engine/BirthInput.h"
#include "engine/DateQuery.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The columns of a number with its unit: 西暦, 満年齢, 誕生日前, 数え年.
constexpr bool IsNumberColumn(size_t c)
{
    return c == 0 || c == 3 || c == 4 || c == 5;
}

// On screen and paper, everything but the era and 干支 names stands centred.
constexpr bool IsCentredColumn(size_t c)
{
    return c != 1 && c != 2;
}

// Whether the text reads as a year or date at all, whether or not it exists.
bool ReadsAsDate(const yomari::EraCalendar& calendar, const QString& text)
{
    try {
        yomari::ParseDateQuery(calendar, text.toStdString());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

AgeTablePage::AgeTablePage(QWidget* parent)
    : TablePage(parent)
{
    setObjectName(QStringLiteral("pgAge"));
    spnYear = new QSpinBox(this);
    spnYear->setObjectName(QStringLiteral("spnYear"));
    spnYear->setRange(yomari::kAgeTableFirstYear, yomari::kAgeTableLastYear);
    spnYear->setSuffix(QStringLiteral("年"));
    spnYear->setGroupSeparatorShown(false);
    // The table follows the year once it is typed, not after every digit.
    spnYear->setKeyboardTracking(false);
    auto* yearLabel = new QLabel(QStringLiteral("基準年(&Y)"), this);
    yearLabel->setBuddy(spnYear);
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("1975、昭和50、S50"));
    auto* findLabel = new QLabel(QStringLiteral("生年を探す(&F)"), this);
    findLabel->setBuddy(txtFind);
    lblFind = new QLabel(this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    grdAge = NewGrid(this);
    grdAge->setObjectName(QStringLiteral("grdAge"));

    auto* top = new QHBoxLayout;
    top->addWidget(yearLabel);
    top->addWidget(spnYear);
    top->addSpacing(16);
    top->addWidget(findLabel);
    top->addWidget(txtFind, 1);
    top->addWidget(lblFind, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grdAge, 1);

    setTabOrder(spnYear, txtFind);
    setTabOrder(txtFind, grdAge);

    connect(spnYear, &QSpinBox::valueChanged, this, [this] { Fill(); });
    connect(txtFind, &QLineEdit::textChanged, this, &AgeTablePage::ShowFindResult);
}

void AgeTablePage::SetYear(int year)
{
    const QSignalBlocker block(spnYear);
    spnYear->setValue(year);
}

void AgeTablePage::SetCalendar(const yomari::EraCalendar* calendar)
{
    m_calendar = calendar;
    Fill();
}

int AgeTablePage::ColumnsWidth() const
{
    int width = grdAge->verticalScrollBar()->sizeHint().width() + 2 * grdAge->frameWidth();
    for (int c = 0; c < grdAge->columnCount(); ++c)
        width += grdAge->columnWidth(c);
    return width;
}

void AgeTablePage::FocusFirstBox()
{
    txtFind->setFocus();
}

void AgeTablePage::Fill()
{
    if (!m_calendar) {
        m_rows.clear();
        ShowTable(grdAge, {});
        return;
    }
    const int32_t selectedYear =
        grdAge->currentRow() >= 0 && grdAge->currentRow() < static_cast<int>(m_rows.size())
            ? m_rows[static_cast<size_t>(grdAge->currentRow())].birthYear
            : 0;
    m_rows = yomari::MakeAgeRows(*m_calendar, spnYear->value(), m_milestones,
                                 basYomari::AppBaseName().toStdString());
    ShowTable(grdAge, yomari::AgeTableText(m_rows, m_milestones != nullptr));
    for (int r = 0; r < grdAge->rowCount(); ++r)
        for (int c = 0; c < grdAge->columnCount(); ++c)
            if (IsCentredColumn(static_cast<size_t>(c)))
                grdAge->item(r, c)->setTextAlignment(Qt::AlignCenter);
    // The person looked up stays selected when the year looked from changes.
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].birthYear == selectedYear)
            grdAge->selectRow(static_cast<int>(r));
}

bool AgeTablePage::FindBirthYear(const QString& text)
{
    if (!m_calendar)
        return false;
    const auto year = yomari::ReadBirthYear(*m_calendar, text.toStdString());
    if (!year)
        return false;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].birthYear != *year)
            continue;
        grdAge->selectRow(static_cast<int>(r));
        grdAge->scrollToItem(grdAge->item(static_cast<int>(r), 0), QAbstractItemView::PositionAtCenter);
        return true;
    }
    return false;
}

void AgeTablePage::ShowFindResult(const QString& text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty() || FindBirthYear(text))
        lblFind->clear();
    else if (m_calendar && !ReadsAsDate(*m_calendar, text))
        // Not a year at all: saying it is missing from the table would mislead.
        lblFind->setText(QStringLiteral("「%1」は年として読めません")
                             .arg(typed.size() > 8 ? typed.left(7) + QChar(u'…') : typed));
    else
        lblFind->setText(QStringLiteral("表にない生年です"));
}

QString AgeTablePage::Title() const
{
    QString title = QStringLiteral("年齢早見表 %1年").arg(spnYear->value());
    if (m_calendar) {
        QStringList eras;
        const auto shares = m_calendar->ErasOfYear(spnYear->value());
        for (auto it = shares.rbegin(); it != shares.rend(); ++it)
            eras << QString::fromStdString(yomari::FormatEraYear(it->eraYear));
        if (!eras.isEmpty())
            title += QStringLiteral("(") + eras.join(QLatin1Char('/')) + QStringLiteral(")");
    }
    return title;
}

yomari::tableexport::ExportTable AgeTablePage::Export(bool selectedOnly) const
{
    yomari::tableexport::ExportTable table;
    table.name = QStringLiteral("年齢早見表");
    table.title = Title();
    table.cells = yomari::AgeTableText(m_rows, m_milestones != nullptr);
    if (selectedOnly)
        table.cells = SelectedOrAll(grdAge, std::move(table.cells));
    for (size_t c = 0; c < table.cells.header.size(); ++c) {
        table.numbers.push_back(IsNumberColumn(c));
        table.centred.push_back(IsCentredColumn(c));
    }
    return table;
}
