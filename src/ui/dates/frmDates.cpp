#include "ui/dates/frmDates.h"

#include "app/AppEnvironment.h"
#include "app/AppOptions.h"
#include "app/SettingsLocation.h"
#include "app/basYomari.h"
#include "app/YomariIcon.h"
#include "engine/DateQuery.h"
#include "engine/DayQuery.h"
#include "engine/LunisolarCalendar.h"
#include "engine/YomariError.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

QString Western(yomari::CivilDate d)
{
    return Q(yomari::FormatCivilDate(d));
}

struct RowDesign {
    const char* name;    // objectName stem: txt<name>, cmdCopy<name>, lbl<name>
    const char* caption; // the era rows name their court line instead
    const char* copy;    // the copy button, with its access key
};

// Top down as the eye reads an answer: the era date and its other readings,
// the Western calendars, then the old calendar and the day counts.
constexpr RowDesign kDesign[] = {
    {"Era", "和暦", "コピー(&W)"},
    {"Also", "別の読み", "コピー(&B)"},
    {"OtherLine", "南朝", "コピー(&N)"},
    {"Julian", "ユリウス暦", "コピー(&J)"},
    {"Gregorian", "グレゴリオ暦", "コピー(&G)"},
    {"Lunisolar", "旧暦", "コピー(&K)"},
    {"DayKanshi", "日の干支", "コピー(&E)"},
    {"YearKanshi", "年の干支", "コピー(&Y)"},
    {"Jdn", "ユリウス通日", "コピー(&U)"},
};

const char* LineName(int32_t line)
{
    return line == 0 ? "北朝" : "南朝";
}

} // namespace

frmDates::frmDates(const AppOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_options(options)
{
    setObjectName(QStringLiteral("frmDates"));
    setWindowTitle(QStringLiteral("日付変換 - ヨマリ Yomari"));
    setWindowIcon(YomariIcon());
    CreateControls();
    ReadSettings();
    LoadEngine();
    connect(&m_options, &AppOptions::Changed, this, [this](AppOptions::Option option) {
        if (option == AppOptions::Option::NanBokuMode) {
            LoadEngine();
            Answer();
        }
    });
}

frmDates::~frmDates() = default;

void frmDates::CreateControls()
{
    // Made top down, row by row: the order Tab follows.
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);

    auto* lblDate = new QLabel(QStringLiteral("日付(&D)"), this);
    lblDate->setObjectName(QStringLiteral("lblDate"));
    m_txtDate = new QLineEdit(this);
    m_txtDate->setObjectName(QStringLiteral("txtDate"));
    m_txtDate->setPlaceholderText(QStringLiteral("天正10年6月2日、1582-06-21 など"));
    lblDate->setBuddy(m_txtDate);
    grid->addWidget(lblDate, 0, 0);
    grid->addWidget(m_txtDate, 0, 1, 1, 2);
    // Historians write days before the reform in the Julian calendar, as
    // the engine reads them by default; this reads them as Gregorian days.
    m_chkGregorian = new QCheckBox(QStringLiteral("1582年10月15日より前もグレゴリオ暦で読む(&P)"), this);
    m_chkGregorian->setObjectName(QStringLiteral("chkGregorian"));
    connect(m_chkGregorian, &QCheckBox::toggled, this, &frmDates::Answer);
    grid->addWidget(m_chkGregorian, 1, 1, 1, 2);

    // Room for the longest answers ("元号なし（白雉の後・朱鳥の前）").
    const int valueWidth = fontMetrics().horizontalAdvance(QString(17, QChar(u'元')));
    for (int i = 0; i < kRows; ++i) {
        const RowDesign& d = kDesign[i];
        Row& row = m_rows[i];
        const QString stem = QString::fromLatin1(d.name);
        row.caption = new QLabel(QString::fromUtf8(d.caption), this);
        row.caption->setObjectName(QStringLiteral("lbl") + stem);
        row.value = new QLineEdit(this);
        row.value->setObjectName(QStringLiteral("txt") + stem);
        row.value->setReadOnly(true);
        // Reached with the mouse to select a part; the keyboard copies with
        // the buttons, so Tab goes from button to button.
        row.value->setFocusPolicy(Qt::ClickFocus);
        row.value->setMinimumWidth(valueWidth);
        row.copy = new QPushButton(QString::fromUtf8(d.copy), this);
        row.copy->setObjectName(QStringLiteral("cmdCopy") + stem);
        row.copy->setAutoDefault(true);
        row.copy->setEnabled(false);
        connect(row.copy, &QPushButton::clicked, this,
                [this, i] { QApplication::clipboard()->setText(m_rows[i].value->text()); });
        grid->addWidget(row.caption, i + 2, 0);
        grid->addWidget(row.value, i + 2, 1);
        grid->addWidget(row.copy, i + 2, 2);
    }

    m_lblNote = new QLabel(this);
    m_lblNote->setObjectName(QStringLiteral("lblNote"));
    m_lblNote->setWordWrap(true);
    m_lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Three lines kept free, so that a message does not make the window jump.
    m_lblNote->setMinimumHeight(fontMetrics().lineSpacing() * 3);
    grid->addWidget(m_lblNote, kRows + 2, 0, 1, 3);

    // A lunisolar file that cannot be read is said here once, not beside
    // every answer it limits.
    m_lblData = new QLabel(this);
    m_lblData->setObjectName(QStringLiteral("lblData"));
    m_lblData->setWordWrap(true);
    m_lblData->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblData->hide();
    grid->addWidget(m_lblData, kRows + 3, 0, 1, 2);

    m_cmdClose = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setAutoDefault(true);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
    grid->addWidget(m_cmdClose, kRows + 3, 2);
    grid->setColumnStretch(1, 1);

    connect(m_txtDate, &QLineEdit::textChanged, this, &frmDates::Answer);
}

void frmDates::LoadEngine()
{
    m_line = m_options.NanBokuMode();
    m_rows[kEra].caption->setText(QStringLiteral("和暦（%1）").arg(QString::fromUtf8(LineName(m_line))));
    m_rows[kOtherLine].caption->setText(QString::fromUtf8(LineName(1 - m_line)));
    m_engine.reset();
    m_loadError.clear();
    m_lblData->clear();
    m_lblData->hide();
    try {
        m_engine = yomari::DayEngine::Load(yomari::app::MakeEngineEnvironment(), m_line);
    } catch (const yomari::YomariError& e) {
        m_loadError =
            QStringLiteral("元号データを読めないため、日付を変換できません。\n") + Q(e.Description());
    } catch (const std::exception& e) {
        m_loadError = QStringLiteral("元号データを読めないため、日付を変換できません。\n") + Q(e.what());
    }
}

void frmDates::Open()
{
    showNormal();
    raise();
    activateWindow();
    m_txtDate->setFocus();
    m_txtDate->selectAll();
    m_selectWhenActive = !isActiveWindow();
}

void frmDates::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_selectWhenActive) {
        m_selectWhenActive = false;
        m_txtDate->setFocus();
        m_txtDate->selectAll();
    }
}

void frmDates::FitHeight()
{
    // A window's layout does not grow it for a wrapped label's height by
    // itself; a long file name would otherwise be cut off at the bottom.
    layout()->activate();
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

void frmDates::closeEvent(QCloseEvent* event)
{
    WriteSettings();
    event->accept();
}

QString frmDates::SettingsFileName()
{
    return yomari::app::WindowSettingsFile(QStringLiteral("Dates"));
}

void frmDates::ReadSettings()
{
    QSettings s(SettingsFileName(), QSettings::IniFormat);
    const QByteArray geometry = s.value(QStringLiteral("Window/Geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry); // refuses what it cannot read
    m_chkGregorian->setChecked(s.value(QStringLiteral("Dates/Gregorian"), false).toBool());
}

void frmDates::WriteSettings()
{
    const QString fileName = SettingsFileName();
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSettings s(fileName, QSettings::IniFormat);
    s.setValue(QStringLiteral("Window/Geometry"), saveGeometry());
    s.setValue(QStringLiteral("Dates/Gregorian"), m_chkGregorian->isChecked());
    s.sync();
    if (s.status() != QSettings::NoError)
        QMessageBox::warning(this, basYomari::AppTitle(),
                             QStringLiteral("日付変換の設定を保存できません。(%1)").arg(fileName));
}

void frmDates::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmDates::SetRow(int row, const QString& text)
{
    m_rows[row].value->setText(text);
    m_rows[row].value->setCursorPosition(0);
    m_rows[row].copy->setEnabled(!text.isEmpty());
}

void frmDates::ShowNote(const QString& text)
{
    m_lblNote->setText(text);
}

void frmDates::Answer()
{
    for (int i = 0; i < kRows; ++i)
        SetRow(i, {});
    ShowNote({});
    const QString text = m_txtDate->text().trimmed();
    if (text.isEmpty())
        return;
    if (!m_engine) {
        ShowNote(m_loadError);
        return;
    }
    // No written day comes near this; a pasted page is not quoted back.
    constexpr qsizetype kLongest = 60;
    if (text.size() > kLongest) {
        ShowNote(QStringLiteral("日付として読むには長すぎます（%1文字まで）").arg(kLongest));
        return;
    }
    const std::string query = text.toStdString();
    try {
        yomari::DayOptions options;
        options.prolepticGregorian = m_chkGregorian->isChecked();
        const yomari::QueryAnswer answer = yomari::AnswerQuery(*m_engine, query, options);
        if (answer.day) {
            ShowDay(*answer.day);
            return;
        }
        // A year or a month, or a day before 1873 without the lunisolar
        // tables: the answer the command line gives.
        const yomari::DateAnswer& a = *answer.year;
        std::string line;
        yomari::AppendAnswerText(a, line);
        QString note =
            (a.firstDay.empty() ? QStringLiteral("年だけの答え：") : QStringLiteral("月の答え：")) + Q(line);
        if (const std::string error = a.beforeExactDays ? m_engine->LunisolarError() : std::string();
            !error.empty()) {
            m_lblData->setText(Q(error) + QStringLiteral(" 1873年より前の日付は年だけで答えます。"));
            m_lblData->show();
            FitHeight();
        }
        ShowNote(note);
    } catch (const yomari::DateError& e) {
        ShowNote(Q(e.what()));
    } catch (const std::exception& e) {
        // A data file that fails only now (the lunisolar tables on first
        // use) must not end the program.
        ShowNote(QStringLiteral("この日付を変換できません。\n") + Q(e.what()));
    }
}

void frmDates::ShowDay(const yomari::DayAnswer& day)
{
    if (day.era) {
        SetRow(kEra, Q(day.era->text));
    } else {
        QString none = QStringLiteral("元号なし");
        QStringList around;
        if (!day.eraBefore.empty())
            around << Q(day.eraBefore) + QStringLiteral("の後");
        if (!day.eraAfter.empty())
            around << Q(day.eraAfter) + QStringLiteral("の前");
        if (!around.isEmpty())
            none += QStringLiteral("（") + around.join(QChar(u'・')) + QStringLiteral("）");
        SetRow(kEra, none);
    }
    if (day.also)
        SetRow(kAlso, Q(day.also->text));
    if (day.otherLine)
        SetRow(kOtherLine, Q(day.otherLine->text));
    SetRow(kJulian, Western(day.julian));
    SetRow(kGregorian, Western(day.gregorian));
    if (day.lunisolar)
        SetRow(kLunisolar, Q(day.lunisolarText));
    SetRow(kDayKanshi, Q(day.dayKanshi));
    SetRow(kYearKanshi,
           Q(day.yearKanshi.kanji) + QStringLiteral("（") + Q(day.yearKanshi.reading) + QStringLiteral("）"));
    SetRow(kJdn, QString::number(day.jdn));
    QStringList notes;
    for (const std::string& n : day.notes)
        notes << QStringLiteral("※") + Q(n);
    ShowNote(notes.join(QChar(u'\n')));
}
