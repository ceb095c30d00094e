#include "ui/main/frmMain.h"
#include "ui/main/ResultLine.h"

#include "app/AppEnvironment.h"
#include "help/HlpDlg.h"
#include "tray/cTaskTray.h"
#include "app/YearBox.h"
#include "app/basYomari.h"
#include "ui/simple/frmADGen.h"
#include "ui/options/frmOption.h"
#include "ui/search/frmSerch.h"
#include "ui/table/frmTable.h"
#include "ui/dates/frmDates.h"
#include "tray/frmTray.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using namespace yomari::mainwindow;

namespace {

constexpr int kLayoutWesternToEra = 1;
constexpr int kLayoutEraToWestern = 2;
constexpr int kLayoutEraToEra = 3;
constexpr int kLayoutAge = 4;
constexpr int kLayoutBirthYear = 5;

const char* const kOverLength = "計算結果が表示可能最大値を超えました。";

QString FromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("ヨマリ Yomari"));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
    connect(&m_options, &AppOptions::Changed, this, &frmMain::OptionChanged);
}

void frmMain::OptionChanged(AppOptions::Option option)
{
    switch (option) {
    case AppOptions::Option::NanBokuMode: FollowCourtLine(); break;
    case AppOptions::Option::TextLenMax: ClearShow(1); break;
    case AppOptions::Option::InSysTray:
        // No icon to come back through: the windows hidden into it come back
        // as minimised windows.
        if (!m_options.InSysTray())
            for (QWidget* window :
                 {static_cast<QWidget*>(m_frmTable.get()), static_cast<QWidget*>(m_frmDates.get())})
                if (window && window->isHidden() && window->isMinimized())
                    window->showMinimized();
        break;
    default: break;
    }
}

frmMain::~frmMain() = default;

frmADGen& frmMain::ADGen()
{
    if (!m_adGen) {
        m_adGen = std::make_unique<frmADGen>(*this, m_options);
        if (m_CYomari)
            m_adGen->SetEngine(m_CYomari.get());
        m_adGen->SetSelectedGengo(m_adGenStart.selectedGengo);
        // Placed at the size the era names give it.
        PlaceSimpleWindow();
    }
    return *m_adGen;
}

frmTable& frmMain::Table()
{
    if (!m_frmTable) {
        m_frmTable = std::make_unique<frmTable>(m_options);
        m_frmTable->Form_Load();
        basYomari::HideIntoTrayWhenMinimised(m_frmTable.get(), [this] { return HidesIntoTray(); });
    }
    return *m_frmTable;
}

void frmMain::ShowTable()
{
    frmTable& table = Table();
    table.showNormal();
    table.raise();
    table.activateWindow();
    table.ReportLoadProblems();
    table.FocusFirstBox();
}

void frmMain::cmdTable_Click()
{
    ShowTable();
}

// ---- controls ---------------------------------------------------------------

void frmMain::ConnectHandlers()
{
    for (int i = 0; i < 4; ++i)
        connect(optCalMode[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optCalMode_Click(i);
        });
    for (int i = 0; i < 12; ++i)
        connect(optInput[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optInput_Click(i);
        });
    for (int g = 0; g < 2; ++g)
        connect(cmbInput[g], &QComboBox::currentIndexChanged, this, [this, g](int index) {
            // Emptying the list is no choice of an era.
            if (index >= 0)
                cmbInput_Click(g);
        });
    for (int g = 0; g < 2; ++g)
        connect(cmdInputSerch[g], &QPushButton::clicked, this, [this, g] { cmdInputSerch_Click(g); });
    connect(cmdCal, &QPushButton::clicked, this, &frmMain::cmdCal_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmMain::cmdCopy_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    basYomari::HelpOnF1(cmdHelp);
    connect(cmdOption, &QPushButton::clicked, this, &frmMain::cmdOption_Click);
    connect(cmdTable, &QPushButton::clicked, this, &frmMain::cmdTable_Click);
    connect(cmdDates, &QPushButton::clicked, this, &frmMain::ShowDates);
}

// ---- start-up -----------------------------------------------------------------

QString frmMain::VersionCaption() const
{
    return QStringLiteral("ヨマリ Yomari ver.%1.%2%3")
        .arg(YOMARI_VERSION_MAJOR)
        .arg(YOMARI_VERSION_MINOR)
        .arg(YOMARI_VERSION_PATCH);
}

void frmMain::Form_Load(const QString& commandLine)
{
    m_modernEraCount = static_cast<int32_t>(optInput.size()) / 2 - 2;

    std::array<int32_t, 4> indices{0, 0, 0, 0};
    yomari::settings::ReadResult stored;
    ReadIni(indices, stored);

    // The engine is kept only once it holds the stored court line, so a
    // start that fails leaves no engine behind and writes no settings.
    // The era buttons address the modern eras by number and the list below
    // them needs at least one older era: a table without them is refused.
    yomari::EngineEnvironment env = yomari::app::MakeEngineEnvironment();
    env.minimumEras = m_modernEraCount + 1;
    auto engine = std::make_unique<yomari::CYomari>(std::move(env));
    engine->SetNanBokuMode(m_options.NanBokuMode());
    m_CYomari = std::move(engine);

    SetGengoData();
    SetGengoCaptions();
    // Placed once the era names have set the windows' widths, so a centred
    // window is centred at the size it is shown with.
    PlaceWindows(stored);

    // A list index that names no entry does not fit this era table: that list
    // starts at its first entry. Index 0 of an empty list is the default too.
    for (int g = 0; g < 2; ++g) {
        if (indices[2 + g] > 0 && indices[2 + g] >= cmbInput[g]->count()) {
            const int slot = yomari::settings::kInputBeforeMeijiIndex + g;
            stored.problems << yomari::settings::Problem{stored.lineOf[slot],
                                                         QString::number(indices[2 + g])};
            indices[2 + g] = 0;
        }
    }
    ShowSettingsProblems(stored);
    yomari::app::NameDateFileProblems(m_options.NanBokuMode());

    optCalMode[m_storedCalcMode]->setChecked(true);
    optInput[indices[0]]->setChecked(true);
    optInput[indices[1]]->setChecked(true);
    cmbInput[0]->setCurrentIndex(indices[2]);
    cmbInput[1]->setCurrentIndex(indices[3]);

    GetCalcLayout();
    SetModeLabels(m_layout);
    EnableEraGroups(m_layout);

    setWindowTitle(VersionCaption());
    ShowNanBoku();

    HlpDlg1->SethParentwnd(this);
    HlpDlg1->SetHelpFile(yomari::app::DataFilePath(QStringLiteral(".hlp")));
    HlpDlg1->SetHelpCommand(3); // the contents

    if (!commandLine.trimmed().isEmpty())
        ApplyCommandLine(commandLine);

    Tray();
    ShowStartWindow();
}

frmTray& frmMain::Tray()
{
    if (!m_frmTray) {
        m_frmTray = std::make_unique<frmTray>(*this, m_options);
        m_frmTray->Form_Load();
    }
    return *m_frmTray;
}

void frmMain::ShowStartWindow()
{
    // Starting hidden needs an icon to come back through; without one the
    // current window is shown after all.
    const bool hidden = m_startHidden && Tray().IconShown();
    if (m_options.AppMode() == 0) {
        setVisible(!hidden);
        if (m_adGen)
            m_adGen->hide();
    } else if (m_options.AppMode() == 1) {
        hide();
        frmADGen& simple = ADGen();
        simple.setVisible(!hidden);
        if (!hidden)
            simple.FocusYear();
    }
}

void frmMain::ApplyCommandLine(const QString& commandLine)
{
    const QString switches = commandLine.toUpper().trimmed();
    if (switches.contains(QLatin1String("/T"))) {
        m_options.SetInSysTray(true);
        m_startHidden = true;
    }
    if (switches.contains(QLatin1String("/S")))
        m_options.SetAppMode(1);
    if (switches.contains(QLatin1String("/F")))
        m_options.SetAppMode(0);
}

void frmMain::SecondStart(const QString& commandLine)
{
    const QString switches = commandLine.toUpper();
    if (switches.contains(QLatin1String("/T"))) {
        if (!m_options.InSysTray()) {
            m_options.SetInSysTray(true);
            Tray().Create();
        }
        if (Tray().IconShown()) {
            hide();
            ADGen().hide();
            return;
        }
    }
    if (switches.contains(QLatin1String("/S")))
        m_options.SetAppMode(1);
    if (switches.contains(QLatin1String("/F")))
        m_options.SetAppMode(0);
    // The other edition's window gives way, as when switching by hand.
    if (m_options.AppMode() == 1)
        hide();
    else if (ADGenLoaded())
        ADGen().hide();
    Tray().ShowCurrentWindow();
}

// ---- era lists and captions ---------------------------------------------------

void frmMain::SetGengoData()
{
    QStringList older;
    for (int32_t j = m_modernEraCount + 1; j <= m_CYomari->NumberOfGengo(); ++j)
        older << FromStd(m_CYomari->Gengo(j));
    for (QComboBox* list : cmbInput) {
        list->clear();
        // All at once: the list model grows once, not once per era.
        list->addItems(older);
        list->setCurrentIndex(0);
    }
    // The other court line has other era names.
    ArrangeWindow();
}

void frmMain::SetGengoCaptions()
{
    for (int g = 0; g < 2; ++g) {
        const int first = g * 6;
        optInput[first]->setText(QStringLiteral("西暦"));
        for (int32_t n = 1; n <= m_modernEraCount; ++n)
            optInput[first + n]->setText(FromStd(m_CYomari->Gengo(n)));
        optInput[first + 5]->setText(FromStd(m_CYomari->Gengo(m_modernEraCount)) + QStringLiteral("以前"));
    }
    // The simple window took the design captions when the settings created it.
    if (m_adGen)
        m_adGen->SetEngine(m_CYomari.get());
}

void frmMain::FollowCourtLine()
{
    ShowNanBoku();
    if (!m_CYomari)
        return; // the settings' line, before the engine loads it
    // The other court line has other era names: whatever was drawn from the
    // era table is drawn again (the lists' refill shows the eras' last years
    // anew). The engine has the new line already.
    SetGengoCaptions();
    SetGengoData();
    // An open era search lists the periods of the line it was opened for.
    UnloadSerch();
    if (m_frmTable)
        m_frmTable->FollowCourtLine();
}

void frmMain::ShowNanBoku()
{
    if (m_options.NanBokuMode() == 0)
        lblNanBoku->setText(QStringLiteral("北朝"));
    else if (m_options.NanBokuMode() == 1)
        lblNanBoku->setText(QStringLiteral("南朝"));
}

// ---- clearing -----------------------------------------------------------------

void frmMain::ClearShow(int32_t lngSW)
{
    if (lngSW == 0 || lngSW == 1) {
        txtInput[0]->clear();
        txtInput[1]->clear();
    }
    if (lngSW == 0) {
        lblGenlast[0]->clear();
        lblGenlast[1]->clear();
    }
    lblOutput[0]->clear();
    SetOtherEra(QString());
    txtOutput[0]->clear();
    txtOutput[1]->clear();
    lblWarning->clear();
    ArrangeWarning();
}

void frmMain::cmdClear_Click()
{
    ClearShow(1);
    txtInput[0]->setFocus();
}

// ---- modes and layout -----------------------------------------------------------

int32_t frmMain::GetCalcLayout()
{
    for (int i = 0; i < 4; ++i) {
        if (!optCalMode[i]->isChecked())
            continue;
        switch (i) {
        case 0: m_layout = kLayoutWesternToEra; break;
        case 1: m_layout = optInput[6]->isChecked() ? kLayoutEraToWestern : kLayoutEraToEra; break;
        case 2: m_layout = kLayoutAge; break;
        case 3: m_layout = kLayoutBirthYear; break;
        }
        break;
    }
    return m_layout;
}

void frmMain::SetModeLabels(int32_t layout)
{
    const ResultLineRow* row = nullptr;
    if (layout >= kLayoutWesternToEra && layout <= kLayoutEraToEra)
        row = &kResultLineRows[0];
    else if (layout == kLayoutAge)
        row = &kResultLineRows[1];
    else if (layout == kLayoutBirthYear)
        row = &kResultLineRows[2];
    if (!row)
        return;
    lblInput[0]->setText(QString::fromUtf8(row->in0));
    lblInput[1]->setText(QString::fromUtf8(row->in1));
    lblOutput[0]->clear();
    SetOtherEra(QString());
    txtOutput[0]->setVisible(row->output0);
    txtInput[1]->setVisible(row->input1);
    lblOutput[2]->setText(QString::fromUtf8(row->out2));
    txtOutput[1]->setVisible(row->output1);
    lblOutput[4]->setText(QString::fromUtf8(row->out4));
}

void frmMain::optCalMode_Click(int index)
{
    Q_UNUSED(index);
    ClearShow(1);
    GetCalcLayout();
    EnableEraGroups(m_layout);
    SetModeLabels(m_layout);
}

void frmMain::EnableEraGroups(int32_t layout)
{
    const bool enable = !(layout == kLayoutWesternToEra || layout == kLayoutBirthYear);
    for (QRadioButton* b : optInput)
        b->setEnabled(enable);
    if (!m_CYomari)
        return;
    for (int g = 0; g < 2; ++g) {
        frameInput[g]->setEnabled(enable);
        ShowLastYear(g, SelectedGengoNumber(g), enable);
        EnableBeforeMeiji(g, enable);
    }
}

// ---- era groups -----------------------------------------------------------------

void frmMain::GetGroupBounds(int group, int& first, int& last) const
{
    first = group == 0 ? 0 : m_modernEraCount + 2;
    last = first + m_modernEraCount + 1;
}

int32_t frmMain::SelectedGengoNumber(int group) const
{
    int first = 0;
    int last = 0;
    GetGroupBounds(group, first, last);
    for (int i = first; i <= last; ++i) {
        if (!optInput[i]->isChecked())
            continue;
        const int position = i - first;
        if (position <= m_modernEraCount)
            return position;
        return cmbInput[group]->currentIndex() + m_modernEraCount + 1;
    }
    return 0;
}

void frmMain::ShowLastYear(int group, int32_t era, bool show)
{
    ShowGengoLastYear(group, era, show);
    ShowLastYearCaption(group, show);
}

void frmMain::ShowGengoLastYear(int group, int32_t era, bool show)
{
    if (era > 1 && show && era <= m_CYomari->NumberOfGengo())
        lblGenlast[group]->setText(basYomari::FormatYear(m_CYomari->GengoLastYear(era)) +
                                   QStringLiteral("年"));
    else
        lblGenlast[group]->clear();
}

void frmMain::ShowLastYearCaption(int group, bool show)
{
    int first = 0;
    int last = 0;
    GetGroupBounds(group, first, last);
    const bool openEnded = optInput[first]->isChecked() || optInput[first + 1]->isChecked();
    lblLastYear[group]->setVisible(show && !openEnded);
}

void frmMain::EnableBeforeMeiji(int group, bool enable)
{
    int first = 0;
    int last = 0;
    GetGroupBounds(group, first, last);
    const bool on = enable && optInput[last]->isChecked();
    cmbInput[group]->setEnabled(on);
    cmdInputSerch[group]->setEnabled(on);
}

void frmMain::optInput_Click(int index)
{
    ClearShow(1);
    if (!m_CYomari)
        return; // design-time selections before the engine exists
    const int group = index > 5 ? 1 : 0;
    const bool show = (index % 6) > 1;
    const bool beforeMeiji = index == 5 || index == 11;
    ShowLastYear(group, SelectedGengoNumber(group), show);
    EnableBeforeMeiji(group, beforeMeiji);
    if (index == 5)
        cmbInput_Click(0);
    else if (index == 11)
        cmbInput_Click(1);
}

void frmMain::cmbInput_Click(int index)
{
    ClearShow(1);
    if (!m_CYomari)
        return;
    const int32_t era = SelectedGengoNumber(index);
    ShowLastYear(index, era, true);
    if (era < 0 || era > m_CYomari->NumberOfGengo()) {
        cmbInput[index]->setToolTip(QString());
        return;
    }
    QString tip = FromStd(m_CYomari->GengoKana(era));
    const QString kana2 = FromStd(m_CYomari->GengoKana2(era));
    if (!kana2.isEmpty())
        tip += QStringLiteral(", ") + kana2;
    cmbInput[index]->setToolTip(tip);
}

// ---- era search -----------------------------------------------------------------

frmSerch* frmMain::Serch() const
{
    return m_frmSerch && !m_frmSerch->IsUnloaded() ? m_frmSerch.data() : nullptr;
}

void frmMain::cmdInputSerch_Click(int index)
{
    if (!m_CYomari)
        return;
    if (!SerchLoaded()) {
        m_frmSerch = new frmSerch(this, *m_CYomari, m_options, m_modernEraCount);
        connect(m_frmSerch, &frmSerch::EraChosen, this, [this](int group, const QString& era) {
            if (group >= 0 && group < static_cast<int>(cmbInput.size()))
                SetGengoList(cmbInput[group], era);
        });
        m_frmSerch->Form_Load();
    }
    m_frmSerch->Open(index);
}

void frmMain::SetGengoList(QComboBox* anyCombo, const QString& serched)
{
    if (serched.isEmpty())
        return;
    // Era names hold no wildcards, so the item is found by its exact name.
    const int index = anyCombo->findText(serched, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        anyCombo->setCurrentIndex(index);
}

void frmMain::UnloadSerch()
{
    if (frmSerch* serch = Serch())
        serch->close();
}

// ---- calculation ----------------------------------------------------------------

void frmMain::cmdCal_Click()
{
    UnloadSerch();
    try {
        Calculate();
    } catch (const yomari::YomariError& error) {
        // The engine refused a pasted or oversized number: say so and let
        // the user correct it.
        basYomari::ShowError(this, error);
        txtInput[0]->setFocus();
    }
}

void frmMain::Calculate()
{
    bool numeric = false;
    basYomari::CheckNumeric(txtInput[0], numeric);
    if (!numeric)
        return;

    int modeIndex = 0;
    for (int i = 0; i < 4; ++i) {
        if (optCalMode[i]->isChecked()) {
            modeIndex = i;
            break;
        }
    }
    static const int32_t engineMode[] = {1, 0, 2, 3};
    const int32_t mode = engineMode[modeIndex];
    const QString era0 = QString::number(SelectedGengoNumber(0));
    const QString era1 = QString::number(SelectedGengoNumber(1));

    yomari::CYomari& engine = *m_CYomari;
    engine.SetMode(mode);
    engine.SetNanBokuMode(m_options.NanBokuMode());
    const int32_t year = basYomari::LeadingLong(txtInput[0]->text());
    switch (mode) {
    case 0:
        engine.SetInputYear(year);
        engine.SetInputGengo(era0.toStdString());
        engine.SetInputGengo2(era1.toStdString());
        txtOutput[0]->setText(basYomari::FormatYear(engine.OutputYear()));
        break;
    case 1:
        engine.SetInputYear(year);
        txtOutput[0]->setText(basYomari::FormatYear(engine.OutputYear()));
        lblOutput[0]->setText(FromStd(engine.OutputGengo()));
        ShowOtherEra(year);
        break;
    case 2:
        engine.SetInputYear(year);
        engine.SetInputYear2(basYomari::LeadingLong(txtInput[1]->text()));
        engine.SetInputGengo(era0.toStdString());
        engine.SetInputGengo2(era1.toStdString());
        if (engine.InputGengo2() != engine.Gengo(0) && engine.InputYear2() == 0) {
            txtInput[1]->setFocus();
            return;
        }
        txtOutput[1]->setText(basYomari::FormatYear(engine.OutputYear()));
        break;
    case 3:
        engine.SetInputYear(year);
        lblOutput[0]->setText(FromStd(engine.OutputGengo()));
        txtOutput[0]->setText(basYomari::FormatYear(engine.OutputYear()));
        txtOutput[1]->setText(basYomari::FormatYear(engine.OutputYear2()));
        ShowOtherEra(engine.OutputYear2());
        break;
    }

    // Each calculation shows its own warnings only.
    if (engine.WarningNumber() != 0)
        lblWarning->setText(QStringLiteral("Warning!!\r\n") + FromStd(engine.WarningString()));
    else
        lblWarning->clear();
    ArrangeWarning();
    CheckOutputLength();
    txtInput[0]->setFocus();
}

void frmMain::SetOtherEra(const QString& text)
{
    lblOtherEra->setText(text);
    // It takes the row of the last years, which these layouts leave empty.
    lblOtherEra->setVisible(!text.isEmpty());
    for (QLabel* last : lblGenlast)
        last->setVisible(text.isEmpty());
}

void frmMain::ShowOtherEra(int32_t westernYear)
{
    SetOtherEra(QString());
    if (m_calendarCourtLine != m_options.NanBokuMode()) {
        m_calendar.reset();
        m_calendarCourtLine = m_options.NanBokuMode();
        try {
            m_calendar = std::make_unique<yomari::EraCalendar>(
                yomari::EraCalendar::Load(yomari::app::MakeEngineEnvironment(), m_options.NanBokuMode()));
        } catch (const yomari::YomariError&) {
            // The tables name the broken start-day file; read it again
            // only with the other court line.
        }
    }
    if (!m_calendar)
        return;
    // The result shows the newer era of a year of change; the others
    // follow with the day they ended or began where the day is known.
    std::vector<yomari::EraCalendar::YearShare> shares;
    try {
        shares = m_calendar->ErasOfYear(westernYear);
    } catch (const std::exception&) {
        return; // a year beyond what days are counted for has no note
    }
    QStringList others;
    for (const auto& share : shares) {
        if (FromStd(share.eraYear.era) == lblOutput[0]->text())
            continue;
        QString text = FromStd(yomari::FormatEraYear(share.eraYear));
        if (share.from && share.from->month * 100 + share.from->day != 101)
            text += QStringLiteral("は%1月%2日から").arg(share.from->month).arg(share.from->day);
        else if (share.to)
            text += QStringLiteral("は%1月%2日まで").arg(share.to->month).arg(share.to->day);
        else
            text += QStringLiteral("でもあります");
        others << text;
    }
    // Three eras in one year: the nearest alone when both do not fit.
    QString text = others.join(QStringLiteral("、"));
    if (QFontMetrics(lblOtherEra->font()).horizontalAdvance(text) > lblOtherEra->width())
        text = others.value(0);
    SetOtherEra(text);
}

void frmMain::CheckOutputLength()
{
    bool emptied = false;
    if (txtOutput[0]->text().size() > m_options.TextLenMax()) {
        txtOutput[0]->clear();
        emptied = true;
    } else if (txtOutput[1]->text().size() > m_options.TextLenMax()) {
        txtOutput[1]->clear();
        emptied = true;
    }
    if (emptied)
        lblWarning->setText(lblWarning->text() + QString::fromUtf8(kOverLength));
    ArrangeWarning();
}

// ---- copy and exit --------------------------------------------------------------

void frmMain::cmdCopy_Click()
{
    const int32_t mode = basYomari::SelectedIndex(QList<QRadioButton*>(optCalMode.begin(), optCalMode.end()));
    QString text;
    switch (mode) {
    case 0: text = lblOutput[0]->text() + txtOutput[0]->text(); break;
    case 1: text = txtOutput[0]->text(); break;
    case 2: text = txtOutput[1]->text(); break;
    case 3:
        if (m_options.BirthYearWhichCopy() == 0)
            text = lblOutput[0]->text() + txtOutput[0]->text();
        else if (m_options.BirthYearWhichCopy() == 1)
            text = txtOutput[1]->text();
        break;
    default: break;
    }
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    txtInput[0]->setFocus();
}

void frmMain::cmdHelp_Click()
{
    HlpDlg1->ShowHelp();
}

void frmMain::cmdOption_Click()
{
    const bool wasInSysTray = m_options.InSysTray();
    Tray().SetModal(true);

    frmOption dialog(m_options, m_CYomari.get(), this);
    m_frmOption = &dialog;
    dialog.exec();
    m_frmOption = nullptr;
    if (m_unloaded)
        return; // the program ended while the dialog was open

    Tray().SetModal(false);
    // The year boxes follow the digit count.
    ArrangeWindow();
    const int32_t mode = basYomari::SelectedIndex(QList<QRadioButton*>(optCalMode.begin(), optCalMode.end()));
    if (mode == 0 || mode == 3)
        optCalMode_Click(mode);
    if (m_options.AppMode() == 1)
        ShowSimpleWindow();
    if (!wasInSysTray && m_options.InSysTray())
        Tray().Create();
    else if (!m_options.InSysTray())
        Tray().Delete();
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded && m_CYomari) {
        m_unloaded = true;
        // A simple window that never opened is made now, sized by the era
        // names as at a start, so that its place is written as before; it
        // runs no handler, so it goes at once rather than outliving this one.
        const bool simpleNeverOpened = !m_adGen;
        ADGen();
        m_CYomari.reset();
        if (m_adGen)
            m_adGen->SetEngine(nullptr);
        try {
            PrintIni();
        } catch (const yomari::YomariError& error) {
            basYomari::ShowError(this, error);
        }
        if (simpleNeverOpened)
            m_adGen.reset();
        if (m_frmTray)
            m_frmTray->Delete();
        UnloadSerch();
        // An open options dialog goes with the window, writing nothing back.
        if (m_frmOption)
            m_frmOption->reject();
    }
    // This close may come from the simple window's own handler, so it is
    // deleted only once control has left it.
    if (m_adGen) {
        frmADGen* adGen = m_adGen.release();
        adGen->close();
        adGen->deleteLater();
    }
    if (m_frmTable) {
        frmTable* table = m_frmTable.release();
        if (table->isVisible())
            table->close(); // keeps its settings
        table->deleteLater();
    }
    if (m_frmDates) {
        frmDates* dates = m_frmDates.release();
        if (dates->isVisible())
            dates->close(); // keeps its settings
        dates->deleteLater();
    }
    if (m_frmTray)
        m_frmTray.release()->deleteLater();
    event->accept();
    QCoreApplication::quit();
}

// ---- minimising into the notification area -------------------------------------

bool frmMain::HidesIntoTray() const
{
    // Hiding a window that no icon can bring back would lose it.
    return m_options.InSysTray() && cTaskTray::IsAvailable();
}

// ---- the windows' host ------------------------------------------------------------

void frmMain::ShowCurrentWindow()
{
    if (m_options.AppMode() == 0) {
        basYomari::RestoreWindow(this, m_windowState);
        txtInput[0]->setFocus();
    } else if (m_options.AppMode() == 1) {
        frmADGen& simple = ADGen();
        basYomari::RestoreWindow(&simple, simple.WindowStateBeforeTray());
        simple.FocusYear();
    }
}

void frmMain::ShowFullWindow()
{
    show();
    raise();
    activateWindow();
    txtInput[0]->setFocus();
}

void frmMain::ShowSimpleWindow()
{
    hide();
    frmADGen& simple = ADGen();
    simple.show();
    simple.raise();
    simple.activateWindow();
    simple.FocusYear();
}

void frmMain::ShowHelp()
{
    HlpDlg1->ShowHelp();
}

void frmMain::ShowTables()
{
    ShowTable();
}

void frmMain::ShowDates()
{
    // Made on first use: the main window's start does not pay for the dates.
    if (!m_frmDates) {
        m_frmDates = std::make_unique<frmDates>(m_options);
        basYomari::HideIntoTrayWhenMinimised(m_frmDates.get(), [this] { return HidesIntoTray(); });
    }
    m_frmDates->Open();
}

void frmMain::Quit()
{
    close();
}

void frmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !HidesIntoTray())
        return;
    if (windowState() & Qt::WindowMinimized)
        // Hidden once the state change is through; a window brought back
        // meanwhile stays.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized() && HidesIntoTray())
                    hide();
            },
            Qt::QueuedConnection);
    else
        m_windowState =
            (windowState() & Qt::WindowMaximized) ? basYomari::kStateMaximized : basYomari::kStateNormal;
}

// ---- keys -----------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched != txtInput[i])
            continue;
        using yomari::app::YearBox;
        const auto handling =
            YearBox::Filter(txtInput[i], event, m_options.TextLenMax(), [this] { ClearShow(2); });
        if (handling != YearBox::Handling::NotMine)
            return handling == YearBox::Handling::Consumed;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    for (int i = 0; i < 2; ++i) {
        if (watched != txtInput[i])
            continue;
        txtInput_KeyDown(i, key->key());
        int ascii = basYomari::KeyAscii(key);
        if (ascii == 0)
            return false; // a key that types nothing: the box handles it
        txtInput_KeyPress(i, ascii);
        return ascii == 0;
    }
    for (int i = 0; i < 4; ++i) {
        if (watched != optCalMode[i])
            continue;
        int ascii = basYomari::KeyAscii(key);
        optCalMode_KeyPress(i, ascii);
        return ascii == 0 && basYomari::KeyAscii(key) == basYomari::kKeyReturn;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::optCalMode_KeyPress(int index, int& keyAscii)
{
    Q_UNUSED(index);
    if (keyAscii == basYomari::kKeyReturn) {
        txtInput[0]->setFocus();
        keyAscii = 0;
    }
}

void frmMain::txtInput_KeyDown(int index, int keyCode)
{
    Q_UNUSED(index);
    if (keyCode == Qt::Key_Delete)
        ClearShow(2);
}

void frmMain::txtInput_KeyPress(int index, int& keyAscii)
{
    if (keyAscii == basYomari::kKeyReturn) {
        if (!txtInput[1]->isHidden()) { // the age layout shows the second box
            if (index == 0 && !txtInput[0]->text().isEmpty()) {
                keyAscii = 0;
                txtInput[1]->setFocus();
                return;
            }
            if (index == 1) {
                keyAscii = 0;
                cmdCal_Click();
                return;
            }
        } else if (index == 0 && !txtInput[0]->text().isEmpty()) {
            keyAscii = 0;
            cmdCal_Click();
            return;
        }
    } else if (keyAscii == basYomari::kKeyEscape) {
        txtInput[index]->clear();
        ClearShow(2);
    }
    ClearShow(2);
    basYomari::FilterDigitKey(txtInput[index], keyAscii, m_options.TextLenMax());
}
