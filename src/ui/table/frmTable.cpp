#include "ui/table/frmTable.h"

#include "app/AppEnvironment.h"
#include "app/AppOptions.h"
#include "app/SettingsLocation.h"
#include "app/TableSettings.h"
#include "app/basYomari.h"
#include "engine/EraDates.h"
#include "ui/table/AgeTablePage.h"
#include "ui/table/SchoolTablePage.h"
#include "ui/table/TableExport.h"
#include "ui/table/TablePrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

frmTable::frmTable(const AppOptions& options)
    : QWidget(nullptr)
    , m_options(options)
{
    setWindowTitle(QStringLiteral("早見表 - ヨマリ Yomari"));
    CreateControls();
}

frmTable::~frmTable() = default;

// ---- controls -------------------------------------------------------------------

void frmTable::CreateControls()
{
    tabTables = new QTabWidget(this);
    tabTables->setObjectName(QStringLiteral("tabTables"));
    pgAge = new AgeTablePage;
    tabTables->addTab(pgAge, QStringLiteral("年齢早見表(&A)"));
    pgSchool = new SchoolTablePage;
    tabTables->addTab(pgSchool, QStringLiteral("学歴早見表(&G)"));

    const auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdCopy = button("cmdCopy", "コピー(&C)");
    cmdCopy->setToolTip(QStringLiteral("選んだ行を、選んでいなければ表全体を、タブ区切りでコピーします"));
    cmdCsv = button("cmdCsv", "CSV保存(&S)...");
    cmdPrint = button("cmdPrint", "印刷(&P)...");
    cmdPdf = button("cmdPdf", "PDF保存(&D)...");
    cmdClose = button("cmdClose", "閉じる");
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

    connect(cmdCopy, &QPushButton::clicked, this, &frmTable::cmdCopy_Click);
    connect(cmdCsv, &QPushButton::clicked, this, &frmTable::cmdCsv_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTable::cmdPrint_Click);
    connect(cmdPdf, &QPushButton::clicked, this, &frmTable::cmdPdf_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // The focus goes to the box a person types into first on each page.
    connect(tabTables, &QTabWidget::currentChanged, this, &frmTable::FocusFirstBox);

    resize(760, 600);
}

TablePage* frmTable::CurrentPage() const
{
    return static_cast<TablePage*>(tabTables->currentWidget());
}

// ---- loading --------------------------------------------------------------------

void frmTable::Form_Load()
{
    QString milestoneProblem;
    try {
        m_milestones = yomari::LoadMilestones(yomari::app::MakeEngineEnvironment());
    } catch (const yomari::YomariError& error) {
        m_milestones.reset();
        milestoneProblem =
            QStringLiteral("厄年・長寿データを読めないため、厄年と長寿祝いの列なしで表示します。\n") +
            QString::fromStdString(error.Description());
    }
    pgAge->SetMilestones(m_milestones ? &*m_milestones : nullptr);
    pgAge->SetYear(yomari::app::CurrentYear());
    m_loadProblems.clear();
    if (const QString problem = LoadCalendar(); !problem.isEmpty())
        m_loadProblems << problem;
    if (!milestoneProblem.isEmpty())
        m_loadProblems << milestoneProblem;

    // Wide enough for the age table's columns, unless the user chose a size.
    resize(std::max(pgAge->ColumnsWidth() + 60, 640), height());
    ReadSettings();
}

QString frmTable::LoadCalendar()
{
    m_courtLine = m_options.NanBokuMode();
    QString problem;
    try {
        m_calendar = std::make_unique<yomari::EraCalendar>(
            yomari::EraCalendar::Load(yomari::app::MakeEngineEnvironment(), m_courtLine));
    } catch (const yomari::YomariError& error) {
        m_calendar.reset();
        problem = QStringLiteral("元号データを読めないため、早見表を作れません。\n") +
                  QString::fromStdString(error.Description());
    }
    pgAge->SetCalendar(m_calendar.get());
    pgSchool->SetCalendar(m_calendar.get());
    return problem;
}

void frmTable::FollowCourtLine()
{
    if (m_options.NanBokuMode() == m_courtLine)
        return;
    if (const QString problem = LoadCalendar(); !problem.isEmpty())
        m_loadProblems << problem;
}

void frmTable::ReportLoadProblems()
{
    const QStringList problems = std::exchange(m_loadProblems, {});
    for (const QString& text : problems)
        QMessageBox::warning(this, basYomari::AppTitle(), text);
}

void frmTable::FocusFirstBox()
{
    CurrentPage()->FocusFirstBox();
}

// ---- getting the tables out -------------------------------------------------------

void frmTable::cmdCopy_Click()
{
    QApplication::clipboard()->setText(yomari::tableexport::ClipboardText(CurrentPage()->Export(true)));
}

QString frmTable::AskFileName(const QString& caption, const QString& name, const QString& suffix,
                              const QString& filter)
{
    const QString folder = m_lastFolder.isEmpty() ? QDir::homePath() : m_lastFolder;
    QFileDialog dialog(this, caption, folder + QLatin1Char('/') + name + suffix, filter);
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

void frmTable::cmdCsv_Click()
{
    const auto table = CurrentPage()->Export(false);
    const QString fileName = AskFileName(QStringLiteral("CSV保存"), table.name, QStringLiteral(".csv"),
                                         QStringLiteral("CSV (*.csv)"));
    if (fileName.isEmpty())
        return;
    const QString error = yomari::tableexport::WriteCsv(table, fileName);
    if (!error.isEmpty())
        QMessageBox::warning(this, basYomari::AppTitle(), error);
}

void frmTable::cmdPdf_Click()
{
    const auto table = CurrentPage()->Export(false);
    const QString fileName = AskFileName(QStringLiteral("PDF保存"), table.name, QStringLiteral(".pdf"),
                                         QStringLiteral("PDF (*.pdf)"));
    if (fileName.isEmpty())
        return;
    const QString error = yomari::tableexport::WritePdf(table, fileName, font());
    if (!error.isEmpty())
        QMessageBox::warning(this, basYomari::AppTitle(), error);
}

void frmTable::cmdPrint_Click()
{
    const auto table = CurrentPage()->Export(false);
    QString error;
    TablePrinter* printer = yomari::tableexport::LoadTablePrinter(error);
    if (!printer) {
        QMessageBox::warning(this, basYomari::AppTitle(), error);
        return;
    }
    QTextDocument document;
    yomari::tableexport::PaperDocument(document, table, font());
    printer->Print(document, table.title, this);
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
    return yomari::app::WindowSettingsFile(QStringLiteral("Table"));
}

void frmTable::ReadSettings()
{
    const auto v =
        yomari::tablesettings::Read(SettingsFileName(), static_cast<int>(yomari::SchoolStageCount()));
    if (!v.geometry.isEmpty())
        restoreGeometry(v.geometry);
    tabTables->setCurrentIndex(v.tab);
    pgSchool->RestoreSettings(v);
    m_lastFolder = v.folder;
}

void frmTable::WriteSettings()
{
    yomari::tablesettings::Values v;
    v.geometry = saveGeometry();
    v.tab = tabTables->currentIndex();
    pgSchool->StoreSettings(v);
    v.folder = m_lastFolder;
    if (!yomari::tablesettings::Write(SettingsFileName(), v))
        QMessageBox::warning(this, basYomari::AppTitle(),
                             QStringLiteral("早見表の設定を保存できません。(%1)").arg(SettingsFileName()));
}
