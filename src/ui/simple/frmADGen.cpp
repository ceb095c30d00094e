#include "ui/simple/frmADGen.h"

#include "app/OptionGroupFocus.h"
#include "app/TextFit.h"
#include "app/Twips.h"
#include "app/YearBox.h"
#include "app/basYomari.h"
#include "ui/main/frmMain.h"
#include "help/HlpDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

using yomari::twips::Rect;

namespace {

// The newest era has no known end; it is counted as this many years long.
constexpr int16_t kNewestEraLength = 10000;

const char* const kOverLength = "計算結果が表示可能最大値を超えました。";

bool FitsInt16(int32_t value)
{
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

} // namespace

frmADGen::frmADGen(frmMain& main)
    : QWidget(nullptr)
    , m_main(main)
{
    setWindowTitle(QStringLiteral("ヨマリ 簡易版"));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
    Form_Load();
}

frmADGen::~frmADGen() = default;

QString frmADGen::InputTooLargeMessage()
{
    return QStringLiteral("入力値が大きすぎます。");
}

QString frmADGen::ResultTooLargeMessage()
{
    return QStringLiteral("計算結果が大きすぎます。");
}

QString frmADGen::OutOfRangeMessage()
{
    return QStringLiteral("入力値が計算できる範囲を超えています。");
}

QString frmADGen::InvalidInputMessage()
{
    return QStringLiteral("1以上の年を入力してください。");
}

QString frmADGen::NoEraMessage()
{
    return QStringLiteral("元号を選んでください。");
}

QString frmADGen::BadEraDataMessage()
{
    return QStringLiteral("簡易版で扱えない元号データです。");
}

// ---- controls ---------------------------------------------------------------

void frmADGen::CreateControls()
{
    setFixedSize(yomari::twips::ToPixels(3390), yomari::twips::ToPixels(2760));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(Rect(120, 120, 2775, 855));
    Option1[0] = new QRadioButton(QStringLiteral("元号→西暦"), Frame1);
    Option1[0]->setGeometry(Rect(120, 240, 1215, 495));
    Option1[1] = new QRadioButton(QStringLiteral("西暦→元号"), Frame1);
    Option1[1]->setGeometry(Rect(1440, 240, 1215, 495));
    Option1[0]->setChecked(true);

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(Rect(120, 960, 975, 1695));
    const char* const eraCaptions[] = {"明治", "大正", "昭和", "平成"};
    const int eraTop[] = {1200, 840, 480, 120};
    for (int j = 0; j < 4; ++j) {
        Option2[j] = new QRadioButton(QString::fromUtf8(eraCaptions[j]), Frame2);
        Option2[j]->setGeometry(Rect(120, eraTop[j], 735, 375));
    }
    Option2[3]->setChecked(true);
    OptionGroupFocus::Install(Frame1, {Option1[0], Option1[1]});
    OptionGroupFocus::Install(Frame2, QList<QRadioButton*>(Option2.begin(), Option2.end()));

    Text1 = new QLineEdit(this);
    Text1->setGeometry(Rect(1200, 1080, 495, 270));
    // A year is digits only: the key filter decides typed keys, the year box
    // what is pasted or comes through the input method.
    yomari::app::YearBox::Guard(Text1);

    Label1 = new QLabel(QStringLiteral("→"), this);
    Label1->setGeometry(Rect(1800, 1080, 255, 255));
    Label2 = new QLabel(this);
    Label2->setGeometry(Rect(2160, 1080, 495, 255));
    // The result can be selected and copied, never edited.
    Label3 = new QLineEdit(this);
    Label3->setGeometry(Rect(2640, 1080, 495, 270));
    Label3->setReadOnly(true);
    Label4 = new QLabel(this);
    Label4->setGeometry(Rect(1200, 1440, 2175, 375));
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setWordWrap(true);

    const auto button = [this](const QString& caption, int l, int t, int w, int h) {
        auto* b = new QPushButton(caption, this);
        b->setGeometry(Rect(l, t, w, h));
        // Enter on a focused button presses it, as Space does.
        b->setAutoDefault(true);
        return b;
    };
    Command1 = button(QStringLiteral("計算(&R)"), 1200, 1920, 975, 375);
    cmdCopy = button(QStringLiteral("&Copy"), 2280, 1920, 975, 375);
    cmdFullVersion = button(QStringLiteral("フル機能版"), 1200, 2400, 1455, 255);
    cmdHelp = button(QStringLiteral("?"), 2760, 2400, 495, 255);

    for (QWidget* child : findChildren<QWidget*>())
        m_designed.insert(child, child->geometry());
    m_designedSize = size();

    for (QWidget* w :
         {static_cast<QWidget*>(Text1), static_cast<QWidget*>(cmdCopy), static_cast<QWidget*>(Command1),
          static_cast<QWidget*>(Option1[0]), static_cast<QWidget*>(Option1[1])})
        w->installEventFilter(this);
    for (QRadioButton* b : Option2)
        b->installEventFilter(this);
}

void frmADGen::SetTabOrder()
{
    const QList<QWidget*> order{Text1,      Command1,   cmdCopy,    Option1[0],     Option1[1], Option2[3],
                                Option2[2], Option2[1], Option2[0], cmdFullVersion, cmdHelp,    Label3};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmADGen::ConnectHandlers()
{
    for (int i = 0; i < 2; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    for (int i = 0; i < 4; ++i)
        connect(Option2[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option2_Click(i);
        });
    connect(Command1, &QPushButton::clicked, this, &frmADGen::Command1_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmADGen::cmdCopy_Click);
    connect(cmdFullVersion, &QPushButton::clicked, this, &frmADGen::cmdFullVersion_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmADGen::cmdHelp_Click);
}

// ---- load and captions -----------------------------------------------------------

void frmADGen::Form_Load()
{
    RefreshCaptions();
    m_gengoCount = static_cast<int16_t>(Option2.size());
}

void frmADGen::RefreshCaptions()
{
    // Option2(0) is the oldest of the four eras, the main window's optInput(4).
    const int count = static_cast<int>(Option2.size());
    for (int j = 0; j < count; ++j)
        Option2[j]->setText(m_main.optInput[count - j]->text());
    ArrangeWindow();
}

void frmADGen::ArrangeWindow()
{
    // The row "year → unit result": the boxes hold TextLenMax digits (a
    // result, being a 16-bit year, five at most), the unit its longest name;
    // what follows a control that grew moves along.
    QStringList units{QStringLiteral("西暦")};
    for (const QRadioButton* b : Option2)
        units << b->text();
    const int resultDigits = std::min<int32_t>(m_main.TextLenMax(), 5);
    const std::pair<QWidget*, int> row[] = {
        {Text1, yomari::fit::LineEditWidth(Text1, m_main.TextLenMax())},
        {Label1, yomari::fit::LabelWidth(Label1, {Label1->text()})},
        {Label2, yomari::fit::LabelWidth(Label2, units)},
        {Label3, yomari::fit::LineEditWidth(Label3, resultDigits)},
    };
    int shift = 0;
    int right = 0;
    for (const auto& [control, needed] : row) {
        const QRect designed = m_designed.value(control);
        const int width = std::max(designed.width(), needed);
        control->setGeometry(designed.x() + shift, designed.y(), width, designed.height());
        shift += width - designed.width();
        right = control->geometry().right() + 1;
    }
    const int margin = m_designedSize.width() - m_designed.value(Label3).right() - 1;
    setFixedSize(std::max(m_designedSize.width(), right + margin), m_designedSize.height());
    SetNote(Label4->text());
}

void frmADGen::SetNote(const QString& text)
{
    // A note with a long era name takes a second line, and more if it must.
    Label4->setText(text);
    const QRect designed = m_designed.value(Label4);
    Label4->resize(designed.width(), std::max(designed.height(), Label4->heightForWidth(designed.width())));
}

void frmADGen::showEvent(QShowEvent* event)
{
    // TextLenMax may have changed while the window was hidden.
    ArrangeWindow();
    QWidget::showEvent(event);
}

int32_t frmADGen::SelectedGengo() const
{
    return basYomari::SelectedIndex(QList<QRadioButton*>(Option2.begin(), Option2.end()));
}

void frmADGen::SetSelectedGengo(int32_t index)
{
    if (index >= 0 && index < static_cast<int32_t>(Option2.size())) {
        Option2[index]->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button; lift the rule briefly.
    for (QRadioButton* b : Option2) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

// ---- clearing and closing ----------------------------------------------------------

void frmADGen::ClearAll(const QString& message, int16_t noFocus)
{
    Text1->clear();
    Label2->clear();
    Label3->clear();
    SetNote(message);
    if (noFocus == 0)
        Text1->setFocus();
}

bool frmADGen::HidesIntoTray() const
{
    return m_main.HidesIntoTray();
}

void frmADGen::CloseWindow()
{
    if (HidesIntoTray())
        hide();
    else
        close();
}

void frmADGen::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void frmADGen::Form_Unload()
{
    // The main window's exit closes this window too; end it only once.
    if (m_unloading)
        return;
    m_unloading = true;
    m_main.close();
}

void frmADGen::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmADGen::Form_Resize()
{
    if (!HidesIntoTray())
        return;
    if (isMinimized())
        hide();
    else
        basYomari::ADGenWindowState = isMaximized() ? basYomari::kStateMaximized : basYomari::kStateNormal;
}

// ---- buttons ---------------------------------------------------------------------

void frmADGen::Option1_Click(int index)
{
    if (index == 0 || index == 1)
        for (QRadioButton* b : Option2)
            b->setEnabled(index == 0);
    ClearAll(QString(), 0);
}

void frmADGen::Option2_Click(int index)
{
    Q_UNUSED(index);
    ClearAll(QString(), 1);
}

void frmADGen::Command1_Click()
{
    if (!Text1->text().isEmpty())
        Calculate();
    Text1->setFocus();
}

void frmADGen::cmdCopy_Click()
{
    const QString text = Option1[0]->isChecked() ? Label3->text() : Label2->text() + Label3->text();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    Text1->setFocus();
}

void frmADGen::cmdFullVersion_Click()
{
    hide();
    m_main.SetAppMode(0);
    m_main.show();
    m_main.raise();
    m_main.activateWindow();
    m_main.txtInput[0]->setFocus();
}

void frmADGen::cmdHelp_Click()
{
    m_main.HlpDlg1->ShowHelp();
}

// ---- calculation -------------------------------------------------------------------

void frmADGen::Calculate()
{
    LengthTable lengths{};
    NameTable names;
    if (!MakeGengoTable(lengths, names))
        return;
    SetNote(QString());
    int16_t year = 0;
    QString unit;
    if (!CalcByMode(lengths, names, year, unit))
        return;
    ShowResult(year, unit);
}

bool frmADGen::MakeGengoTable(LengthTable& lengths, NameTable& names)
{
    if (!m_main.m_CYomari)
        return false;
    std::array<int32_t, kTableSize> first{}; // first[i]: first Western year of era i
    try {
        for (int i = 1; i <= m_gengoCount; ++i)
            first[i] = m_main.m_CYomari->Gengo1stADYear(i);
    } catch (const yomari::YomariError& error) {
        ShowNote(QString::fromStdString(error.Description()));
        return false;
    }
    // Entry 0 is where the oldest era starts; entries 1..3 count the years of
    // eras 4..2, the change-over year in both eras.
    const int32_t oldest = first[m_gengoCount];
    if (!FitsInt16(oldest)) {
        ShowNote(BadEraDataMessage());
        return false;
    }
    lengths[0] = static_cast<int16_t>(oldest);
    for (int k = 1; k < m_gengoCount; ++k) {
        const int32_t length = first[m_gengoCount - k] - first[m_gengoCount - k + 1] + 1;
        // An era that starts before the one it follows has no length here.
        if (length < 1 || !FitsInt16(length)) {
            ShowNote(BadEraDataMessage());
            return false;
        }
        lengths[k] = static_cast<int16_t>(length);
    }
    lengths[m_gengoCount] = kNewestEraLength;

    names[0].clear();
    for (int k = 1; k <= m_gengoCount; ++k)
        names[k] = m_main.optInput[m_gengoCount + 1 - k]->text();
    return true;
}

bool frmADGen::ReadInput(int16_t& value)
{
    try {
        value = basYomari::LeadingInteger(Text1->text());
    } catch (const yomari::YomariError&) {
        ShowNote(InputTooLargeMessage());
        return false;
    }
    // Pasted text without a number, or a year before 1, has no answer.
    if (value < 1) {
        ShowNote(InvalidInputMessage());
        return false;
    }
    return true;
}

bool frmADGen::CalcByMode(const LengthTable& lengths, const NameTable& names, int16_t& year, QString& unit)
{
    int16_t input = 0;
    if (!ReadInput(input))
        return false;
    if (Option1[0]->isChecked()) {
        int16_t n = 0;
        if (!GengoToAD(lengths, input, n, year))
            return false;
        ShowLastYearNote(lengths, names, n, input);
        unit = QStringLiteral("西暦");
        return true;
    }
    if (input >= lengths[0])
        return ADToGengo(lengths, names, input, year, unit);
    ShowBeforeFirst(names);
    year = 0;
    unit.clear();
    return true;
}

bool frmADGen::GengoToAD(const LengthTable& lengths, int16_t input, int16_t& n, int16_t& year)
{
    n = 0;
    for (int j = 0; j < m_gengoCount; ++j) {
        if (Option2[j]->isChecked()) {
            n = static_cast<int16_t>(j + 1);
            break;
        }
    }
    if (n == 0) {
        // Without an era the input would come back unchanged as a Western year.
        ShowNote(NoEraMessage());
        return false;
    }
    int32_t sum = 0;
    for (int k = 0; k < n; ++k)
        sum += lengths[k];
    const int32_t result = input + sum - n;
    if (!FitsInt16(result)) {
        ClearAll(ResultTooLargeMessage(), 0);
        return false;
    }
    year = static_cast<int16_t>(result);
    return true;
}

void frmADGen::ShowLastYearNote(const LengthTable& lengths, const NameTable& names, int16_t n, int16_t input)
{
    if (n >= m_gengoCount)
        return;
    QString note =
        QStringLiteral("元号最終年:") + names[n] + QString::number(lengths[n]) + QStringLiteral("年      ");
    if (input > lengths[n])
        note += QStringLiteral("入力値は最終年以上です。");
    SetNote(note);
}

bool frmADGen::ADToGengo(const LengthTable& lengths, const NameTable& names, int16_t input, int16_t& year,
                         QString& unit)
{
    // Walk from the oldest era forward; the first era the year does not
    // outlast is its era, so a change-over year goes to the newer era.
    int32_t a = input;
    int idx = -1;
    for (int i = 0; i <= m_gengoCount; ++i) {
        a = a - lengths[i] + 1;
        if (a <= 0) {
            idx = i;
            break;
        }
    }
    if (idx < 0) {
        // Past the newest era's counted span: no era of the table covers it.
        ShowNote(OutOfRangeMessage());
        return false;
    }
    int32_t result = input;
    for (int k = 0; k < idx; ++k)
        result -= lengths[k];
    result += idx;
    year = static_cast<int16_t>(result);
    unit = names[idx];
    return true;
}

void frmADGen::ShowBeforeFirst(const NameTable& names)
{
    Label2->clear();
    Label3->clear();
    SetNote(names[1] + QStringLiteral("以前です。"));
    Text1->setFocus();
}

void frmADGen::ShowNote(const QString& message)
{
    // The input stays so that it can be corrected.
    Label2->clear();
    Label3->clear();
    SetNote(message);
    Text1->setFocus();
}

void frmADGen::ShowResult(int16_t year, const QString& unit)
{
    const QString text = year == 0 ? QString() : QString::number(year);
    if (text.size() > m_main.TextLenMax()) {
        ClearAll(QString::fromUtf8(kOverLength), 0);
        return;
    }
    Label2->setText(unit);
    Label3->setText(text);
}

// ---- keys ------------------------------------------------------------------------

bool frmADGen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1) {
        using yomari::app::YearBox;
        const auto handling = YearBox::Filter(Text1, event, m_main.TextLenMax(), [this] {
            // The old result goes with the edit, as with Backspace.
            Label2->clear();
            Label3->clear();
        });
        if (handling != YearBox::Handling::NotMine)
            return handling == YearBox::Handling::Consumed;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    bool handled = false;
    if (watched == Text1) {
        Text1_KeyDown(key->key(), handled);
        if (handled)
            return true;
        if (key->key() == Qt::Key_Delete) {
            // The box deletes the character; the old result goes with the edit.
            Label2->clear();
            Label3->clear();
            return false;
        }
        // Tab moves the focus; like keys that type nothing, the box's
        // default handling decides.
        int ascii = basYomari::KeyAscii(key);
        if (ascii == 0)
            return false;
        Text1_KeyPress(ascii);
        return ascii == 0;
    }
    if (watched == cmdCopy) {
        cmdCopy_KeyDown(key->key(), handled);
        return handled;
    }
    if (watched == Command1 || watched == Option1[0] || watched == Option1[1]) {
        if (key->key() == Qt::Key_Escape) {
            CloseWindow();
            return true;
        }
        return false;
    }
    for (int i = 0; i < static_cast<int>(Option2.size()); ++i) {
        if (watched == Option2[i]) {
            Option2_KeyDown(i, key->key(), handled);
            return handled;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmADGen::Text1_KeyDown(int keyCode, bool& handled)
{
    if (keyCode != Qt::Key_Escape)
        return;
    handled = true;
    if (!Text1->text().isEmpty())
        ClearAll(QString(), 0);
    else
        CloseWindow();
}

void frmADGen::cmdCopy_KeyDown(int keyCode, bool& handled)
{
    Text1_KeyDown(keyCode, handled);
}

void frmADGen::Option2_KeyDown(int index, int keyCode, bool& handled)
{
    Q_UNUSED(index);
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter) {
        handled = true;
        ClearAll(QString(), 0);
    } else if (keyCode == Qt::Key_Escape) {
        handled = true;
        CloseWindow();
    }
}

void frmADGen::Text1_KeyPress(int& keyAscii)
{
    switch (keyAscii) {
    case basYomari::kKeyBack:
        // The old result goes with the edit; the note line stays.
        Label2->clear();
        Label3->clear();
        return;
    case basYomari::kKeyReturn:
        keyAscii = 0;
        if (!Text1->text().isEmpty())
            Calculate();
        return;
    default: basYomari::FilterDigitKey(Text1, keyAscii, m_main.TextLenMax()); return;
    }
}
