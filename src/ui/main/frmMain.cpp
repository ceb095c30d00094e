#include "ui/main/frmMain.h"

#include "app/AppEnvironment.h"
#include "app/OptionGroupFocus.h"
#include "app/SettingsLocation.h"
#include "app/TextFit.h"
#include "help/HlpDlg.h"
#include "tray/cTaskTray.h"
#include "app/Twips.h"
#include "app/YearBox.h"
#include "app/basYomari.h"
#include "ui/simple/frmADGen.h"
#include "ui/options/frmOption.h"
#include "ui/search/frmSerch.h"
#include "ui/table/frmTable.h"
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

using yomari::twips::Rect;

namespace {

constexpr int kLayoutWesternToEra = 1;
constexpr int kLayoutEraToWestern = 2;
constexpr int kLayoutEraToEra = 3;
constexpr int kLayoutAge = 4;
constexpr int kLayoutBirthYear = 5;

const char* const kOverLength = "計算結果が表示可能最大値を超えました。";

// The words of the result line and which boxes it shows, for layouts 1 to 3,
// 4 and 5.
struct ResultLineRow {
    const char* in0;
    const char* in1;
    bool output0;
    bool input1;
    const char* out2;
    bool output1;
    const char* out4;
};
const ResultLineRow kResultLineRows[] = {
    {"", "年", true, false, "年", false, ""},
    {"生年", "年", false, true, "年", true, "歳"},
    {"今年", "歳", true, false, "(西暦", true, ")生まれ"},
};

// Every text one column of the result line can show.
QStringList ResultLineTexts(const char* ResultLineRow::*column)
{
    QStringList texts;
    for (const ResultLineRow& row : kResultLineRows)
        texts << QString::fromUtf8(row.*column);
    return texts;
}

QString FromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("ヨマリ Yomari"));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
}

frmMain::~frmMain() = default;

frmADGen& frmMain::ADGen()
{
    if (!m_adGen)
        m_adGen = std::make_unique<frmADGen>(*this);
    return *m_adGen;
}

frmTable& frmMain::Table()
{
    if (!m_frmTable) {
        m_frmTable = std::make_unique<frmTable>(*this);
        m_frmTable->Form_Load();
    }
    return *m_frmTable;
}

void frmMain::ShowTable()
{
    frmTable& table = Table();
    table.FollowCourtLine();
    table.showNormal();
    table.raise();
    table.activateWindow();
    table.ReportLoadProblems();
    table.FocusFirstBox();
}

void frmMain::ArrangeWarning()
{
    // The tables' button shares the warnings' space: the warning ends above
    // it, and a warning that needs the lines it covers takes them while it
    // is shown, the button stepping aside.
    const int top = yomari::twips::ToPixels(1680);
    const int shortHeight = cmdTable->y() - top - yomari::twips::ToPixels(60);
    const int fullHeight = yomari::twips::ToPixels(1335);
    const bool fits =
        lblWarning->text().isEmpty() || lblWarning->heightForWidth(lblWarning->width()) <= shortHeight;
    lblWarning->resize(lblWarning->width(), fits ? shortHeight : fullHeight);
    cmdTable->setVisible(fits);
}

void frmMain::cmdTable_Click()
{
    ShowTable();
}

// ---- controls ---------------------------------------------------------------

void frmMain::CreateControls()
{
    setFixedSize(yomari::twips::ToPixels(6015), yomari::twips::ToPixels(5115));

    frameCalMode = new QGroupBox(QStringLiteral("計算モード(&M)"), this);
    frameCalMode->setGeometry(Rect(240, 120, 5295, 735));
    const char* const modeCaptions[] = {"西暦->元号", "元号変換", "年齢計算", "生年計算"};
    const int modeLeft[] = {1320, 120, 2760, 4080};
    const int modeWidth[] = {1215, 1095, 1095, 1095};
    for (int i = 0; i < 4; ++i) {
        optCalMode[i] = new QRadioButton(QString::fromUtf8(modeCaptions[i]), frameCalMode);
        optCalMode[i]->setGeometry(Rect(modeLeft[i], 240, modeWidth[i], 375));
        optCalMode[i]->installEventFilter(this);
    }
    optCalMode[1]->setChecked(true);
    OptionGroupFocus::Install(frameCalMode, QList<QRadioButton*>(optCalMode.begin(), optCalMode.end()));

    Label2 = new QLabel(QStringLiteral("入力(&I)"), this);
    Label2->setGeometry(Rect(240, 960, 600, 255));
    lblInput[0] = new QLabel(this);
    lblInput[0]->setGeometry(Rect(840, 960, 480, 255));
    lblInput[1] = new QLabel(this);
    lblInput[1]->setGeometry(Rect(1920, 960, 360, 255));
    Label1 = new QLabel(QStringLiteral("→"), this);
    Label1->setGeometry(Rect(2280, 960, 240, 255));
    lblOutput[0] = new QLabel(this);
    lblOutput[0]->setGeometry(Rect(2520, 960, 375, 375));
    lblOutput[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblOutput[2] = new QLabel(this);
    lblOutput[2]->setGeometry(Rect(3600, 960, 480, 255));
    lblOutput[4] = new QLabel(this);
    lblOutput[4]->setGeometry(Rect(4680, 960, 840, 255));

    for (int i = 0; i < 2; ++i) {
        txtInput[i] = new QLineEdit(this);
        txtOutput[i] = new QLineEdit(this);
        // Years are digits only: the key filter decides typed keys, the
        // year box what is pasted or comes through the input method.
        yomari::app::YearBox::Guard(txtInput[i]);
        txtInput[i]->installEventFilter(this);
        // Results can be selected and copied, never edited.
        txtOutput[i]->setReadOnly(true);
    }
    txtInput[0]->setGeometry(Rect(1320, 960, 495, 270));
    txtOutput[0]->setGeometry(Rect(3000, 960, 495, 270));
    txtInput[1]->setGeometry(Rect(3000, 960, 495, 270));
    txtOutput[1]->setGeometry(Rect(4080, 960, 495, 270));
    Label2->setBuddy(txtInput[0]);

    const int rowLeft[] = {240, 840, 1800, 2520};
    for (int g = 0; g < 2; ++g) {
        lblLastYear[g] = new QLabel(QStringLiteral("最終年"), this);
        lblLastYear[g]->setGeometry(Rect(rowLeft[g * 2], 1320, 600, 255));
        lblGenlast[g] = new QLabel(this);
        lblGenlast[g]->setGeometry(Rect(rowLeft[g * 2 + 1], 1320, 720, 255));
    }
    Label3 = new QLabel(QStringLiteral("南北朝時代設定 ："), this);
    Label3->setGeometry(Rect(3240, 1320, 1440, 255));
    lblNanBoku = new QLabel(QStringLiteral("北朝"), this);
    lblNanBoku->setGeometry(Rect(4680, 1320, 600, 255));

    const char* const eraCaptions[] = {"西暦", "平成", "昭和", "大正", "明治", "明治以前"};
    const int buttonTop[] = {240, 600, 960, 1320, 1680, 2040};
    const char* const serchCaptions[] = {"検索(&F)", "検索(&G)"};
    for (int g = 0; g < 2; ++g) {
        frameInput[g] = new QGroupBox(this);
        frameInput[g]->setGeometry(Rect(g == 0 ? 240 : 1800, 1560, 1335, 3375));
        for (int j = 0; j < 6; ++j) {
            QRadioButton* b = new QRadioButton(QString::fromUtf8(eraCaptions[j]), frameInput[g]);
            b->setGeometry(Rect(120, buttonTop[j], 1095, 255));
            optInput[g * 6 + j] = b;
        }
        cmbInput[g] = new QComboBox(frameInput[g]);
        cmbInput[g]->setGeometry(Rect(120, 2400, 1095, 300));
        cmbInput[g]->setMaxVisibleItems(20);
        cmdInputSerch[g] = new QPushButton(QString::fromUtf8(serchCaptions[g]), frameInput[g]);
        cmdInputSerch[g]->setGeometry(Rect(120, 2880, 1095, 375));
        cmdInputSerch[g]->setAutoDefault(true);
    }
    optInput[2]->setChecked(true);
    optInput[6]->setChecked(true);
    for (int g = 0; g < 2; ++g)
        OptionGroupFocus::Install(
            frameInput[g], QList<QRadioButton*>(optInput.begin() + g * 6, optInput.begin() + g * 6 + 6));

    lblOtherEra = new QLabel(this);
    lblOtherEra->setGeometry(Rect(240, 1320, 2880, 255));
    lblOtherEra->setVisible(false);

    lblWarning = new QLabel(this);
    lblWarning->setGeometry(Rect(3240, 1680, 2535, 1335));
    lblWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning->setWordWrap(true);

    const auto button = [this](const char* caption, int l, int t, int w) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(Rect(l, t, w, 375));
        // Enter on a focused button presses it, as Space does.
        b->setAutoDefault(true);
        return b;
    };
    cmdTable = button("早見表(&T)", 3240, 2640, 2535);
    cmdCal = button("計算(&R)", 3240, 3120, 2535);
    cmdCopy = button("コピー(&C)", 3240, 3600, 1215);
    cmdClear = button("クリア(&L)", 4560, 3600, 1215);
    cmdOption = button("オプション(&O)", 3240, 4080, 1215);
    cmdHelp = button("ヘルプ(&H)", 4560, 4080, 1215);
    cmdExit = button("終了(&X)", 3240, 4560, 2535);

    HlpDlg1 = new HlpDlg(this);

    for (QWidget* child : findChildren<QWidget*>())
        m_designed.insert(child, child->geometry());
    m_designedSize = size();
}

void frmMain::ArrangeWindow()
{
    // The result line: each control as wide as its longest text or TextLenMax
    // digits, the ones after it moved along by what it grew.
    const int yearBox = yomari::fit::LineEditWidth(txtInput[0], m_textLenMax);
    QStringList eras{QStringLiteral("西暦")};
    if (m_CYomari)
        for (int32_t j = 1; j <= m_CYomari->NumberOfGengo(); ++j)
            eras << FromStd(m_CYomari->Gengo(j));
    // An era name the size of a page would push the window off the screen.
    const int eraLabel = std::min(yomari::fit::LabelWidth(lblOutput[0], eras),
                                  QFontMetrics(lblOutput[0]->font()).horizontalAdvance(QChar(u'元')) * 12);
    const std::pair<QWidget*, int> line[] = {
        {Label2, yomari::fit::LabelWidth(Label2, {Label2->text()})},
        {lblInput[0], yomari::fit::LabelWidth(lblInput[0], ResultLineTexts(&ResultLineRow::in0))},
        {txtInput[0], yearBox},
        {lblInput[1], yomari::fit::LabelWidth(lblInput[1], ResultLineTexts(&ResultLineRow::in1))},
        {Label1, yomari::fit::LabelWidth(Label1, {Label1->text()})},
        {lblOutput[0], eraLabel},
        {txtOutput[0], yearBox},
        {lblOutput[2], yomari::fit::LabelWidth(lblOutput[2], ResultLineTexts(&ResultLineRow::out2))},
        {txtOutput[1], yearBox},
        {lblOutput[4], yomari::fit::LabelWidth(lblOutput[4], ResultLineTexts(&ResultLineRow::out4))},
    };
    int shift = 0;
    int lineEnd = 0;
    // A caption keeps a visible gap to what follows it ("入力(I)" before "今年").
    const int gap = yomari::twips::ToPixels(60);
    for (const auto& [control, needed] : line) {
        const QRect designed = m_designed.value(control);
        const int width = std::max(designed.width(), qobject_cast<QLabel*>(control) ? needed + gap : needed);
        control->setGeometry(designed.x() + shift, designed.y(), width, designed.height());
        shift += width - designed.width();
        lineEnd = control->x() + needed;
    }
    // The second year box stands where the first result box does.
    txtInput[1]->setGeometry(txtOutput[0]->geometry());

    // The era groups: each list as wide as its longest era name, the frame
    // around it and everything to its right moved along.
    const int frameMargin = yomari::twips::ToPixels(60);
    int groupShift = 0;
    for (int g = 0; g < 2; ++g) {
        const QRect list = m_designed.value(cmbInput[g]);
        const int listWidth = std::max(list.width(), yomari::fit::ComboWidth(cmbInput[g]));
        cmbInput[g]->resize(listWidth, list.height());
        const QRect frame = m_designed.value(frameInput[g]);
        const int frameWidth = std::max(frame.width(), list.x() + listWidth + frameMargin);
        frameInput[g]->setGeometry(frame.x() + groupShift, frame.y(), frameWidth, frame.height());
        if (g == 1) {
            for (QWidget* w : {static_cast<QWidget*>(lblLastYear[1]), static_cast<QWidget*>(lblGenlast[1])})
                w->move(m_designed.value(w).topLeft() + QPoint(groupShift, 0));
        }
        groupShift += frameWidth - frame.width();
    }
    int right = 0;
    for (QWidget* w :
         {static_cast<QWidget*>(Label3), static_cast<QWidget*>(lblNanBoku), static_cast<QWidget*>(lblWarning),
          static_cast<QWidget*>(cmdCal), static_cast<QWidget*>(cmdCopy), static_cast<QWidget*>(cmdClear),
          static_cast<QWidget*>(cmdOption), static_cast<QWidget*>(cmdHelp), static_cast<QWidget*>(cmdExit)}) {
        w->move(m_designed.value(w).topLeft() + QPoint(groupShift, 0));
        right = std::max(right, w->geometry().right() + 1);
    }

    // The court line's caption and, after it, the court in use.
    const int designedCaption = m_designed.value(Label3).width();
    const int captionWidth = std::max(designedCaption, yomari::fit::LabelWidth(Label3, {Label3->text()}) +
                                                           yomari::twips::ToPixels(60));
    const int captionGrowth = captionWidth - designedCaption;
    Label3->resize(captionWidth, Label3->height());
    lblNanBoku->move(lblNanBoku->pos() + QPoint(captionGrowth, 0));
    right = std::max(right, lblNanBoku->x() + yomari::fit::LabelWidth(lblNanBoku, {QStringLiteral("北朝"),
                                                                                   QStringLiteral("南朝")}));

    const int margin = yomari::twips::ToPixels(240);
    const int width = std::max({m_designedSize.width(), lineEnd + margin, right + margin});
    setFixedSize(width, m_designedSize.height());
}

void frmMain::SetTabOrder()
{
    // The right column top down: 早見表 sits above 計算.
    QList<QWidget*> order{txtInput[0],   txtInput[1], optCalMode[1], optCalMode[0], optCalMode[2],
                          optCalMode[3], cmdTable,    cmdCal,        cmdCopy,       cmdClear};
    for (int g = 0; g < 2; ++g) {
        for (int j = 0; j < 6; ++j)
            order << optInput[g * 6 + j];
        order << cmbInput[g] << cmdInputSerch[g];
    }
    order << cmdOption << cmdHelp << cmdExit << txtOutput[0] << txtOutput[1];
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

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
    connect(cmdOption, &QPushButton::clicked, this, &frmMain::cmdOption_Click);
    connect(cmdTable, &QPushButton::clicked, this, &frmMain::cmdTable_Click);
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
    engine->SetNanBokuMode(m_nanBokuMode);
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
    yomari::app::NameDateFileProblems(m_nanBokuMode);

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
        m_frmTray = std::make_unique<frmTray>(*this);
        m_frmTray->Form_Load();
    }
    return *m_frmTray;
}

void frmMain::ShowStartWindow()
{
    // Starting hidden needs an icon to come back through; without one the
    // current window is shown after all.
    const bool hidden = m_startHidden && Tray().IconShown();
    if (m_appMode == 0) {
        setVisible(!hidden);
        ADGen().hide();
    } else if (m_appMode == 1) {
        hide();
        frmADGen& simple = ADGen();
        simple.setVisible(!hidden);
        if (!hidden)
            simple.Text1->setFocus();
    }
}

void frmMain::ApplyCommandLine(const QString& commandLine)
{
    const QString switches = commandLine.toUpper().trimmed();
    if (switches.contains(QLatin1String("/T"))) {
        m_inSysTray = true;
        m_startHidden = true;
    }
    if (switches.contains(QLatin1String("/S")))
        m_appMode = 1;
    if (switches.contains(QLatin1String("/F")))
        m_appMode = 0;
}

void frmMain::SecondStart(const QString& commandLine)
{
    const QString switches = commandLine.toUpper();
    if (switches.contains(QLatin1String("/T"))) {
        if (!m_inSysTray) {
            m_inSysTray = true;
            Tray().Create();
        }
        if (Tray().IconShown()) {
            hide();
            ADGen().hide();
            return;
        }
    }
    if (switches.contains(QLatin1String("/S")))
        m_appMode = 1;
    if (switches.contains(QLatin1String("/F")))
        m_appMode = 0;
    // The other edition's window gives way, as when switching by hand.
    if (m_appMode == 1)
        hide();
    else if (ADGenLoaded())
        ADGen().hide();
    Tray().ShowCurrentWindow();
}

void frmMain::ApplyDefaultSettings()
{
    const yomari::settings::Values defaults;
    for (int g = 0; g < 2; ++g) {
        cmbInput[g]->setEnabled(false);
        cmdInputSerch[g]->setEnabled(false);
    }
    ApplyStoredOptions(defaults);
}

void frmMain::PlaceWindows(const yomari::settings::ReadResult& stored)
{
    // A window whose position could not be read starts centred, as on a
    // first start; one read off the screen is brought back.
    const auto place = [](QWidget* window, bool known, int left, int top) {
        if (!known) {
            basYomari::CenterForm(window);
            return;
        }
        basYomari::RestorePosition(window, left, top);
    };
    using yomari::settings::Slot;
    const bool ok = stored.status == yomari::settings::ReadResult::Status::Ok;
    const yomari::settings::Values& v = stored.values;
    place(this, ok && stored.Has(Slot::kTop) && stored.Has(Slot::kLeft), v.left, v.top);
    place(&ADGen(), ok && stored.Has(Slot::kADGenTop) && stored.Has(Slot::kADGenLeft), v.adGenLeft,
          v.adGenTop);
}

void frmMain::ApplyStoredOptions(const yomari::settings::Values& v)
{
    m_storedCalcMode = v.calcMode;
    m_nanBokuMode = v.nanBokuMode;
    m_appMode = v.appMode;
    m_inSysTray = v.inSysTray;
    m_textLenMax = v.textLenMax;
    m_birthYearWhichCopy = v.birthYearWhichCopy;
    ADGen().SetSelectedGengo(v.selectedGengo);
}

void frmMain::ShowSettingsProblems(const yomari::settings::ReadResult& stored)
{
    using yomari::settings::ReadResult;
    const QString file = yomari::app::FindSettings().readFrom;
    QString what;
    if (stored.status == ReadResult::Status::Unreadable) {
        what = QStringLiteral("設定ファイル %1 を読み込めません。(%2)\n既定の設定で起動します。")
                   .arg(file, stored.fileError);
    } else if (!stored.problems.isEmpty()) {
        what = QStringLiteral("設定ファイル %1 の次の値を読み込めません。この値には既定の設定を使います。")
                   .arg(file);
        auto problems = stored.problems;
        std::sort(problems.begin(), problems.end(),
                  [](const auto& a, const auto& b) { return a.line < b.line; });
        for (const auto& p : problems)
            what += QStringLiteral("\n%1 行目の値「%2」").arg(p.line).arg(p.value);
    } else {
        return;
    }
    QMessageBox::warning(this, basYomari::AppTitle(), what);
}

void frmMain::ReadIni(std::array<int32_t, 4>& indices, yomari::settings::ReadResult& stored)
{
    using yomari::settings::ReadResult;
    const yomari::app::SettingsLocation location = yomari::app::FindSettings();
    yomari::settings::RemoveStaleTemporaries(location.file);
    stored = yomari::settings::Read(location.readFrom);
    if (stored.status != ReadResult::Status::Ok) {
        ApplyDefaultSettings();
        return;
    }
    const yomari::settings::Values& v = stored.values;
    indices = {v.inputIndex, v.outputIndex, v.inputBeforeMeijiIndex, v.outputBeforeMeijiIndex};
    ApplyStoredOptions(v);
}

void frmMain::PrintIni()
{
    yomari::settings::Snapshot s;
    s.values.top = basYomari::TopTwips(this);
    s.values.left = basYomari::LeftTwips(this);
    for (int i = 0; i < 4; ++i)
        if (optCalMode[i]->isChecked())
            s.selectedCalcModes << i;
    for (int i = 0; i < 12; ++i)
        if (optInput[i]->isChecked())
            s.selectedEraButtons << i;
    s.values.inputBeforeMeijiIndex = cmbInput[0]->currentIndex();
    s.values.outputBeforeMeijiIndex = cmbInput[1]->currentIndex();
    s.values.nanBokuMode = m_nanBokuMode;
    s.values.appMode = m_appMode;
    s.values.inSysTray = m_inSysTray;
    s.values.textLenMax = m_textLenMax;
    s.values.birthYearWhichCopy = m_birthYearWhichCopy;
    if (m_adGen) {
        s.values.adGenTop = basYomari::TopTwips(m_adGen.get());
        s.values.adGenLeft = basYomari::LeftTwips(m_adGen.get());
        s.values.selectedGengo = static_cast<int16_t>(m_adGen->SelectedGengo());
    }
    const QString fileName = yomari::app::SettingsFileForWriting();
    const QString error = yomari::settings::Write(fileName, yomari::settings::Format(s));
    if (!error.isEmpty())
        throw yomari::YomariError(
            yomari::ErrorNumber::FileAccessError, basYomari::AppBaseName().toStdString(),
            ("設定ファイルを書き込めません。(" + fileName + ": " + error + ")").toStdString());
}

// ---- era lists and captions ---------------------------------------------------

void frmMain::SetGengoData()
{
    for (QComboBox* list : cmbInput) {
        list->clear();
        for (int32_t j = m_modernEraCount + 1; j <= m_CYomari->NumberOfGengo(); ++j)
            list->addItem(FromStd(m_CYomari->Gengo(j)));
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
        m_adGen->RefreshCaptions();
}

void frmMain::ShowNanBoku()
{
    if (m_nanBokuMode == 0)
        lblNanBoku->setText(QStringLiteral("北朝"));
    else if (m_nanBokuMode == 1)
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
    if (!SerchLoaded()) {
        m_frmSerch = new frmSerch(this);
        m_frmSerch->Form_Load();
    }
    m_frmSerch->setWindowTitle(QStringLiteral("元号検索(第") + QString::number(index + 1) +
                               QStringLiteral("入力)"));
    m_frmSerch->Tag = QString::number(index);
    m_frmSerch->show();
    m_frmSerch->raise();
    m_frmSerch->activateWindow();
}

void frmMain::UnloadSerch()
{
    if (frmSerch* serch = Serch())
        serch->Unload();
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
    engine.SetNanBokuMode(m_nanBokuMode);
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
    if (m_calendarCourtLine != m_nanBokuMode) {
        m_calendar.reset();
        m_calendarCourtLine = m_nanBokuMode;
        try {
            m_calendar = std::make_unique<yomari::EraCalendar>(
                yomari::EraCalendar::Load(yomari::app::MakeEngineEnvironment(), m_nanBokuMode));
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
    if (txtOutput[0]->text().size() > m_textLenMax) {
        txtOutput[0]->clear();
        emptied = true;
    } else if (txtOutput[1]->text().size() > m_textLenMax) {
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
        if (m_birthYearWhichCopy == 0)
            text = lblOutput[0]->text() + txtOutput[0]->text();
        else if (m_birthYearWhichCopy == 1)
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
    const bool wasInSysTray = m_inSysTray;
    const int32_t nanBokuBefore = m_nanBokuMode;
    Tray().SetModal(true);

    frmOption dialog(*this);
    const auto check = [](const std::array<QRadioButton*, 2>& group, int32_t index) {
        if (index >= 0 && index < static_cast<int32_t>(group.size()))
            group[index]->setChecked(true);
    };
    check(dialog.optNanBoku, m_nanBokuMode);
    check(dialog.optAppMode, m_appMode);
    check(dialog.optSysTray, m_inSysTray ? 1 : 0);
    dialog.txtMaxLen->setText(QString::number(m_textLenMax));
    check(dialog.optWhichCopy, m_birthYearWhichCopy);

    m_frmOption = &dialog;
    dialog.exec();
    m_frmOption = nullptr;
    if (m_unloaded)
        return; // the program ended while the dialog was open

    Tray().SetModal(false);
    // The year boxes follow the digit count.
    ArrangeWindow();
    // An open era search lists the periods of the court line it was opened for.
    if (m_nanBokuMode != nanBokuBefore)
        UnloadSerch();
    if (m_frmTable)
        m_frmTable->FollowCourtLine();
    ShowNanBoku();
    const int32_t mode = basYomari::SelectedIndex(QList<QRadioButton*>(optCalMode.begin(), optCalMode.end()));
    if (mode == 0 || mode == 3)
        optCalMode_Click(mode);
    if (m_appMode == 1) {
        hide();
        frmADGen& simple = ADGen();
        simple.show();
        simple.raise();
        simple.activateWindow();
        simple.Text1->setFocus();
    }
    if (!wasInSysTray && m_inSysTray)
        Tray().Create();
    else if (!m_inSysTray)
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
        m_CYomari.reset();
        try {
            PrintIni();
        } catch (const yomari::YomariError& error) {
            basYomari::ShowError(this, error);
        }
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
    if (m_frmTray)
        m_frmTray.release()->deleteLater();
    event->accept();
    QCoreApplication::quit();
}

// ---- minimising into the notification area -------------------------------------

bool frmMain::HidesIntoTray() const
{
    // Hiding a window that no icon can bring back would lose it.
    return m_inSysTray && cTaskTray::IsAvailable();
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
        basYomari::MainWindowState =
            (windowState() & Qt::WindowMaximized) ? basYomari::kStateMaximized : basYomari::kStateNormal;
}

// ---- keys -----------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched != txtInput[i])
            continue;
        using yomari::app::YearBox;
        const auto handling = YearBox::Filter(txtInput[i], event, m_textLenMax, [this] { ClearShow(2); });
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
    basYomari::FilterDigitKey(txtInput[index], keyAscii, m_textLenMax);
}
