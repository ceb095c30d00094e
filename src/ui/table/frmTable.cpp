#include "ui/table/frmTable.h"

#include "app/AppEnvironment.h"
#include "app/SettingsLocation.h"
#include "engine/BirthInput.h"
#include "engine/DateQuery.h"
#include "app/basYomari.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

constexpr int kAgeTab = 0;
constexpr int kSchoolTab = 1;

// A spreadsheet calculates only with plain numbers: a column whose cells
// are all a number and the same unit ("1975年", "51歳") gets the unit in its
// header and keeps the numbers; "-" (no such age yet) becomes an empty cell.
// Columns of names (和暦, 干支, 厄年) stay text.
yomari::TextTable WithUnitsInHeaders(yomari::TextTable table)
{
    static const QRegularExpression numberAndUnit(QStringLiteral("^([0-9]+)([^0-9]+)$"));
    for (size_t c = 0; c < table.header.size(); ++c) {
        QString unit;
        bool numbers = !table.rows.empty();
        for (const auto& row : table.rows) {
            if (c >= row.size()) {
                numbers = false;
                break;
            }
            if (row[c] == "-")
                continue;
            const auto m = numberAndUnit.match(Q(row[c]));
            if (!m.hasMatch() || (!unit.isEmpty() && m.captured(2) != unit)) {
                numbers = false;
                break;
            }
            unit = m.captured(2);
        }
        if (!numbers || unit.isEmpty())
            continue;
        table.header[c] += "(" + unit.toStdString() + ")";
        for (auto& row : table.rows)
            row[c] =
                row[c] == "-" ? std::string() : row[c].substr(0, row[c].size() - unit.toStdString().size());
    }
    return table;
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

frmTable::frmTable(frmMain& main)
    : QWidget(nullptr)
    , m_main(main)
{
    setWindowTitle(QStringLiteral("早見表 - ヨマリ Yomari"));
    CreateControls();
}

frmTable::~frmTable() = default;

// ---- controls -------------------------------------------------------------------

void frmTable::CreateControls()
{
    tabTables = new QTabWidget(this);

    // The age table: a year to look from, a box to find a birth year, the rows.
    auto* agePage = new QWidget;
    spnYear = new QSpinBox(agePage);
    spnYear->setRange(yomari::kAgeTableFirstYear, yomari::kAgeTableLastYear);
    spnYear->setSuffix(QStringLiteral("年"));
    spnYear->setGroupSeparatorShown(false);
    // The table follows the year once it is typed, not after every digit.
    spnYear->setKeyboardTracking(false);
    auto* yearLabel = new QLabel(QStringLiteral("基準年(&Y)"), agePage);
    yearLabel->setBuddy(spnYear);
    txtFind = new QLineEdit(agePage);
    txtFind->setPlaceholderText(QStringLiteral("1975、昭和50、S50"));
    auto* findLabel = new QLabel(QStringLiteral("生年を探す(&F)"), agePage);
    findLabel->setBuddy(txtFind);
    lblFind = new QLabel(agePage);
    grdAge = new QTableWidget(agePage);
    auto* ageTop = new QHBoxLayout;
    ageTop->addWidget(yearLabel);
    ageTop->addWidget(spnYear);
    ageTop->addSpacing(16);
    ageTop->addWidget(findLabel);
    ageTop->addWidget(txtFind, 1);
    ageTop->addWidget(lblFind, 1);
    auto* ageLayout = new QVBoxLayout(agePage);
    ageLayout->addLayout(ageTop);
    ageLayout->addWidget(grdAge, 1);
    tabTables->addTab(agePage, QStringLiteral("年齢早見表(&A)"));

    // The school table: a birth date, the schools, the 履歴書 copy.
    auto* schoolPage = new QWidget;
    txtBirth = new QLineEdit(schoolPage);
    txtBirth->setPlaceholderText(QStringLiteral("2012-04-02、平成24年4月2日、H24.04.02"));
    auto* birthLabel = new QLabel(QStringLiteral("生年月日(&B)"), schoolPage);
    birthLabel->setBuddy(txtBirth);
    lblBirth = new QLabel(schoolPage);
    grdSchool = new QTableWidget(schoolPage);
    chkEraYears = new QCheckBox(QStringLiteral("和暦の年で(&W)"), schoolPage);
    chkEraYears->setChecked(true);
    cmdResume = new QPushButton(QStringLiteral("履歴書の順にコピー(&R)"), schoolPage);
    cmdResume->setAutoDefault(false);
    auto* schoolTop = new QHBoxLayout;
    schoolTop->addWidget(birthLabel);
    schoolTop->addWidget(txtBirth, 1);
    schoolTop->addWidget(lblBirth, 1);
    auto* resumeRow = new QHBoxLayout;
    resumeRow->addWidget(new QLabel(QStringLiteral("チェックした学校を履歴書の学歴欄の順に:"), schoolPage));
    resumeRow->addWidget(chkEraYears);
    resumeRow->addWidget(cmdResume);
    resumeRow->addStretch(1);
    auto* schoolLayout = new QVBoxLayout(schoolPage);
    schoolLayout->addLayout(schoolTop);
    schoolLayout->addWidget(grdSchool, 1);
    schoolLayout->addLayout(resumeRow);
    tabTables->addTab(schoolPage, QStringLiteral("学歴早見表(&G)"));

    for (QTableWidget* grid : {grdAge, grdSchool}) {
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
        grid->verticalHeader()->setVisible(false);
        grid->setAlternatingRowColors(true);
        grid->setTabKeyNavigation(false);
        grid->setWordWrap(false);
        // One line of text per row, as in a printed table.
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    }

    const auto button = [this](const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        return b;
    };
    cmdCopy = button("コピー(&C)");
    cmdCopy->setToolTip(QStringLiteral("選んだ行を、選んでいなければ表全体を、タブ区切りでコピーします"));
    cmdCsv = button("CSV保存(&S)...");
    cmdPrint = button("印刷(&P)...");
    cmdPdf = button("PDF保存(&D)...");
    cmdClose = button("閉じる");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdCsv);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdPdf);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabTables, 1);
    layout->addLayout(buttons);

    setTabOrder(spnYear, txtFind);
    setTabOrder(txtFind, grdAge);
    setTabOrder(txtBirth, grdSchool);
    setTabOrder(grdSchool, chkEraYears);
    setTabOrder(chkEraYears, cmdResume);

    connect(spnYear, &QSpinBox::valueChanged, this, [this] { FillAgeTable(); });
    connect(txtFind, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString typed = text.trimmed();
        if (typed.isEmpty() || FindBirthYear(text))
            lblFind->clear();
        else if (m_calendar && !ReadsAsDate(*m_calendar, text))
            // Not a year at all: saying it is missing from the table would mislead.
            lblFind->setText(QStringLiteral("「%1」は年として読めません")
                                 .arg(typed.size() > 8 ? typed.left(7) + QChar(u'…') : typed));
        else
            lblFind->setText(QStringLiteral("表にない生年です"));
    });
    connect(txtBirth, &QLineEdit::textChanged, this, [this] { FillSchoolTable(); });
    connect(cmdCopy, &QPushButton::clicked, this, &frmTable::cmdCopy_Click);
    connect(cmdCsv, &QPushButton::clicked, this, &frmTable::cmdCsv_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTable::cmdPrint_Click);
    connect(cmdPdf, &QPushButton::clicked, this, &frmTable::cmdPdf_Click);
    connect(cmdResume, &QPushButton::clicked, this, &frmTable::cmdResume_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // The focus goes to the box a person types into first on each page.
    connect(tabTables, &QTabWidget::currentChanged, this, &frmTable::FocusFirstBox);

    resize(760, 600);
}

// ---- loading --------------------------------------------------------------------

void frmTable::Form_Load()
{
    const yomari::EngineEnvironment env = yomari::app::MakeEngineEnvironment();
    QStringList problems;
    if (const QString problem = LoadCalendar(); !problem.isEmpty())
        problems << problem;
    try {
        m_milestones = yomari::LoadMilestones(env);
    } catch (const yomari::YomariError& error) {
        m_milestones.reset();
        problems << QStringLiteral("厄年・長寿データを読めないため、厄年と長寿祝いの列なしで表示します。\n") +
                        Q(error.Description());
    }
    m_loadProblems = problems;

    const QSignalBlocker block(spnYear);
    spnYear->setValue(yomari::app::CurrentYear());
    FillAgeTable();
    // Wide enough for the age table's columns, unless the user chose a size.
    int width = grdAge->verticalScrollBar()->sizeHint().width() + 2 * grdAge->frameWidth() + 60;
    for (int c = 0; c < grdAge->columnCount(); ++c)
        width += grdAge->columnWidth(c);
    resize(std::max(width, 640), height());
    ReadSettings();
    FillAgeTable();
    FillSchoolTable();
}

QString frmTable::LoadCalendar()
{
    m_courtLine = m_main.NanBokuMode();
    try {
        m_calendar = std::make_unique<yomari::EraCalendar>(
            yomari::EraCalendar::Load(yomari::app::MakeEngineEnvironment(), m_courtLine));
    } catch (const yomari::YomariError& error) {
        m_calendar.reset();
        return QStringLiteral("元号データを読めないため、早見表を作れません。\n") + Q(error.Description());
    }
    return {};
}

void frmTable::FollowCourtLine()
{
    if (m_main.NanBokuMode() == m_courtLine)
        return;
    if (const QString problem = LoadCalendar(); !problem.isEmpty())
        m_loadProblems << problem;
    FillAgeTable();
    FillSchoolTable();
}

void frmTable::ReportLoadProblems()
{
    const QStringList problems = std::exchange(m_loadProblems, {});
    for (const QString& text : problems)
        QMessageBox::warning(this, basYomari::AppTitle(), text);
}

void frmTable::FocusFirstBox()
{
    (tabTables->currentIndex() == kSchoolTab ? txtBirth : txtFind)->setFocus();
}

// ---- the tables -----------------------------------------------------------------

void frmTable::ShowTable(QTableWidget* grid, const yomari::TextTable& table)
{
    grid->clearSelection();
    grid->setColumnCount(static_cast<int>(table.header.size()));
    grid->setRowCount(static_cast<int>(table.rows.size()));
    QStringList header;
    for (const auto& h : table.header)
        header << Q(h);
    grid->setHorizontalHeaderLabels(header);
    for (int r = 0; r < grid->rowCount(); ++r) {
        const auto& cells = table.rows[static_cast<size_t>(r)];
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(Q(cells[static_cast<size_t>(c)])));
    }
    FitColumns(grid);
}

void frmTable::FitColumns(QTableWidget* grid)
{
    grid->resizeColumnsToContents();
    // Some air between the columns, as a printed table has.
    const int air = grid->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2;
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, grid->columnWidth(c) + air);
}

void frmTable::FillAgeTable()
{
    if (!m_calendar) {
        m_ageRows.clear();
        ShowTable(grdAge, {});
        return;
    }
    const int32_t selectedYear =
        grdAge->currentRow() >= 0 && grdAge->currentRow() < static_cast<int>(m_ageRows.size())
            ? m_ageRows[static_cast<size_t>(grdAge->currentRow())].birthYear
            : 0;
    m_ageRows = yomari::MakeAgeRows(*m_calendar, spnYear->value(), m_milestones ? &*m_milestones : nullptr,
                                    basYomari::AppBaseName().toStdString());
    ShowTable(grdAge, yomari::AgeTableText(m_ageRows, m_milestones.has_value()));
    for (int r = 0; r < grdAge->rowCount(); ++r)
        for (int c = 0; c < grdAge->columnCount(); ++c)
            if (c != 1 && c != 2)
                grdAge->item(r, c)->setTextAlignment(Qt::AlignCenter);
    // The person looked up stays selected when the year looked from changes.
    for (size_t r = 0; r < m_ageRows.size(); ++r)
        if (m_ageRows[r].birthYear == selectedYear)
            grdAge->selectRow(static_cast<int>(r));
}

void frmTable::FillSchoolTable()
{
    const QString text = txtBirth->text().trimmed();
    // The check marks stay with the schools while the birth date changes,
    // also across a date that gives no table.
    if (grdSchool->rowCount() > 0) {
        m_storedResumeChoice.clear();
        for (int r = 0; r < grdSchool->rowCount(); ++r)
            m_storedResumeChoice.push_back(grdSchool->item(r, 0)->checkState() == Qt::Checked);
    }
    const std::vector<bool> chosen = m_storedResumeChoice;

    m_stages.clear();
    lblBirth->clear();
    if (m_calendar && !text.isEmpty()) {
        std::string reason;
        const auto birth = yomari::ReadBirthDate(*m_calendar, text.toStdString(), reason);
        if (!birth) {
            lblBirth->setText(Q(reason));
        } else {
            try {
                m_stages =
                    yomari::MakeSchoolStages(*m_calendar, *birth, basYomari::AppBaseName().toStdString());
                lblBirth->setText(Q(yomari::DescribeBirthDate(*m_calendar, *birth)));
            } catch (const std::exception& error) {
                lblBirth->setText(Q(error.what()));
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

bool frmTable::FindBirthYear(const QString& text)
{
    if (!m_calendar)
        return false;
    const auto year = yomari::ReadBirthYear(*m_calendar, text.toStdString());
    if (!year)
        return false;
    for (size_t r = 0; r < m_ageRows.size(); ++r) {
        if (m_ageRows[r].birthYear != *year)
            continue;
        grdAge->selectRow(static_cast<int>(r));
        grdAge->scrollToItem(grdAge->item(static_cast<int>(r), 0), QAbstractItemView::PositionAtCenter);
        return true;
    }
    return false;
}

yomari::TextTable frmTable::CurrentTable() const
{
    if (tabTables->currentIndex() == kSchoolTab)
        return yomari::SchoolTableText(m_stages);
    return yomari::AgeTableText(m_ageRows, m_milestones.has_value());
}

yomari::TextTable frmTable::SelectedOrAll() const
{
    yomari::TextTable table = CurrentTable();
    const QTableWidget* grid = tabTables->currentIndex() == kSchoolTab ? grdSchool : grdAge;
    QList<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return table;
    std::sort(rows.begin(), rows.end());
    yomari::TextTable selected{table.header, {}};
    for (int r : rows)
        if (r >= 0 && static_cast<size_t>(r) < table.rows.size())
            selected.rows.push_back(table.rows[static_cast<size_t>(r)]);
    return selected;
}

QString frmTable::CurrentTitle() const
{
    if (tabTables->currentIndex() == kSchoolTab)
        return QStringLiteral("学歴早見表 ") + lblBirth->text();
    QString title = QStringLiteral("年齢早見表 %1年").arg(spnYear->value());
    if (m_calendar) {
        QStringList eras;
        const auto shares = m_calendar->ErasOfYear(spnYear->value());
        for (auto it = shares.rbegin(); it != shares.rend(); ++it)
            eras << Q(yomari::FormatEraYear(it->eraYear));
        if (!eras.isEmpty())
            title += QStringLiteral("(") + eras.join(QLatin1Char('/')) + QStringLiteral(")");
    }
    return title;
}

// ---- getting the tables out -------------------------------------------------------

void frmTable::cmdCopy_Click()
{
    QApplication::clipboard()->setText(Q(yomari::ToTsv(SelectedOrAll())));
}

void frmTable::cmdResume_Click()
{
    std::vector<bool> chosen;
    for (int r = 0; r < grdSchool->rowCount(); ++r)
        chosen.push_back(grdSchool->item(r, 0)->checkState() == Qt::Checked);
    QApplication::clipboard()->setText(Q(yomari::ResumeLines(m_stages, chosen, chkEraYears->isChecked())));
}

QString frmTable::AskFileName(const QString& caption, const QString& suffix, const QString& filter)
{
    const QString base =
        tabTables->currentIndex() == kSchoolTab ? QStringLiteral("学歴早見表") : QStringLiteral("年齢早見表");
    const QString folder = m_lastFolder.isEmpty() ? QDir::homePath() : m_lastFolder;
    QFileDialog dialog(this, caption, folder + QLatin1Char('/') + base + suffix, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix.mid(1));
    // The same dialog on every desktop, with Japanese buttons where Qt has them.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString fileName = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(fileName).absolutePath();
    return fileName;
}

QString frmTable::WriteCsv(const QString& fileName) const
{
    const std::string bytes = yomari::ToCsv(WithUnitsInHeaders(CurrentTable()));
    // A failed write leaves the old file as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit())
        return QStringLiteral("CSVファイルを保存できません。(%1: %2)").arg(fileName, file.errorString());
    return {};
}

void frmTable::cmdCsv_Click()
{
    const QString fileName =
        AskFileName(QStringLiteral("CSV保存"), QStringLiteral(".csv"), QStringLiteral("CSV (*.csv)"));
    if (fileName.isEmpty())
        return;
    const QString error = WriteCsv(fileName);
    if (!error.isEmpty())
        QMessageBox::warning(this, basYomari::AppTitle(), error);
}

void frmTable::Render(QPrinter& printer) const
{
    const yomari::TextTable table = CurrentTable();
    QString html = QStringLiteral("<h3>") + CurrentTitle().toHtmlEscaped() + QStringLiteral("</h3>");
    html +=
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>");
    for (const auto& h : table.header)
        html += QStringLiteral("<th bgcolor=\"#e8e8e8\">") + Q(h).toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead><tbody>");
    // As on screen: one line per row, ages and years centred, era and 干支 texts flush left.
    const bool ageTable = tabTables->currentIndex() == kAgeTab;
    for (const auto& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (size_t c = 0; c < row.size(); ++c) {
            const bool centred = ageTable && c != 1 && c != 2;
            html += centred ? QStringLiteral("<td nowrap align=\"center\">") : QStringLiteral("<td nowrap>");
            html += Q(row[c]).toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table>");

    QTextDocument document;
    // The window's font in a size for paper: pixel sizes mean nothing at printer resolution.
    QFont paperFont = font();
    paperFont.setPointSizeF(8); // the age table's nine columns fit A4 upright
    document.setDefaultFont(paperFont);
    document.setHtml(html);
    document.print(&printer);
}

QString frmTable::WritePdf(const QString& fileName) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(CurrentTitle());
    printer.setCreator(basYomari::AppTitle());
    printer.setOutputFileName(fileName);
    QFile::remove(fileName);
    Render(printer);
    if (QFileInfo(fileName).size() <= 0)
        return QStringLiteral("PDFファイルを保存できません。(%1)").arg(fileName);
    return {};
}

void frmTable::cmdPdf_Click()
{
    const QString fileName =
        AskFileName(QStringLiteral("PDF保存"), QStringLiteral(".pdf"), QStringLiteral("PDF (*.pdf)"));
    if (fileName.isEmpty())
        return;
    const QString error = WritePdf(fileName);
    if (!error.isEmpty())
        QMessageBox::warning(this, basYomari::AppTitle(), error);
}

void frmTable::cmdPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(CurrentTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        Render(printer);
}

// ---- keys, closing, settings -------------------------------------------------------

void frmTable::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmTable::closeEvent(QCloseEvent* event)
{
    WriteSettings();
    event->accept();
}

QString frmTable::SettingsFileName()
{
    // Beside the program's settings, never inside them: that file keeps its fixed lines.
    const QFileInfo programSettings(yomari::app::FindSettings().file);
    return programSettings.absolutePath() + QLatin1Char('/') + basYomari::AppBaseName() +
           QStringLiteral("Table.ini");
}

void frmTable::ReadSettings()
{
    // Anything unreadable or out of range keeps the defaults.
    QSettings s(SettingsFileName(), QSettings::IniFormat);
    const QByteArray geometry = s.value(QStringLiteral("Window/Geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const int tab = s.value(QStringLiteral("Window/Tab"), kAgeTab).toInt();
    if (tab == kAgeTab || tab == kSchoolTab)
        tabTables->setCurrentIndex(tab);
    chkEraYears->setChecked(s.value(QStringLiteral("School/EraYears"), true).toBool());
    m_storedResumeChoice.clear();
    const QString choice = s.value(QStringLiteral("School/Resume")).toString();
    if (choice.size() == static_cast<qsizetype>(yomari::SchoolStageCount()) &&
        choice.count(QLatin1Char('0')) + choice.count(QLatin1Char('1')) == choice.size())
        for (QChar c : choice)
            m_storedResumeChoice.push_back(c == QLatin1Char('1'));
    const QString birth = s.value(QStringLiteral("School/BirthDate")).toString();
    if (birth.size() <= 40)
        txtBirth->setText(birth);
    m_lastFolder = s.value(QStringLiteral("Files/Folder")).toString();
}

void frmTable::WriteSettings()
{
    QDir().mkpath(QFileInfo(SettingsFileName()).absolutePath());
    QSettings s(SettingsFileName(), QSettings::IniFormat);
    s.setValue(QStringLiteral("Window/Geometry"), saveGeometry());
    s.setValue(QStringLiteral("Window/Tab"), tabTables->currentIndex());
    s.setValue(QStringLiteral("School/EraYears"), chkEraYears->isChecked());
    QString choice;
    for (int r = 0; r < grdSchool->rowCount(); ++r)
        choice += grdSchool->item(r, 0)->checkState() == Qt::Checked ? QLatin1Char('1') : QLatin1Char('0');
    if (!choice.isEmpty())
        s.setValue(QStringLiteral("School/Resume"), choice);
    s.setValue(QStringLiteral("School/BirthDate"), txtBirth->text().trimmed());
    s.setValue(QStringLiteral("Files/Folder"), m_lastFolder);
    s.sync();
    if (s.status() != QSettings::NoError)
        QMessageBox::warning(this, basYomari::AppTitle(),
                             QStringLiteral("早見表の設定を保存できません。(%1)").arg(SettingsFileName()));
}
