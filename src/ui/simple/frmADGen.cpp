#include "ui/simple/frmADGen.h"

#include "app/OptionGroupFocus.h"
#include "app/TextFit.h"
#include "app/Twips.h"
#include "app/YearBox.h"
#include "app/basYomari.h"
#include "app/AppOptions.h"
#include "app/WindowHost.h"
#include "engine/CYomari.h"
#include "engine/SimpleCalc.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

using yomari::twips::Rect;

namespace {

const char* const kOverLength = "計算結果が表示可能最大値を超えました。";

} // namespace

frmADGen::frmADGen(WindowHost& host, AppOptions& options)
    : QWidget(nullptr)
    , m_host(host)
    , m_options(options)
{
    setObjectName(QStringLiteral("frmADGen"));
    setWindowTitle(QStringLiteral("ヨマリ 簡易版"));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
    Form_Load();
}

frmADGen::~frmADGen() = default;

QString frmADGen::InputTooLargeMessage()
{
    return QString::fromUtf8(yomari::SimpleCalc::InputTooLarge());
}

QString frmADGen::ResultTooLargeMessage()
{
    return QString::fromUtf8(yomari::SimpleCalc::ResultTooLarge());
}

QString frmADGen::OutOfRangeMessage()
{
    return QString::fromUtf8(yomari::SimpleCalc::OutOfRange());
}

QString frmADGen::InvalidInputMessage()
{
    return QString::fromUtf8(yomari::SimpleCalc::InvalidInput());
}

QString frmADGen::NoEraMessage()
{
    return QString::fromUtf8(yomari::SimpleCalc::NoEra());
}

QString frmADGen::BadEraDataMessage()
{
    return QString::fromUtf8(yomari::SimpleCalc::BadEraData());
}

// ---- controls ---------------------------------------------------------------

void frmADGen::CreateControls()
{
    setFixedSize(yomari::twips::ToPixels(3390), yomari::twips::ToPixels(2760));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Rect(120, 120, 2775, 855));
    Option1[0] = new QRadioButton(QStringLiteral("元号→西暦"), Frame1);
    Option1[0]->setObjectName(QStringLiteral("Option10"));
    Option1[0]->setGeometry(Rect(120, 240, 1215, 495));
    Option1[1] = new QRadioButton(QStringLiteral("西暦→元号"), Frame1);
    Option1[1]->setObjectName(QStringLiteral("Option11"));
    Option1[1]->setGeometry(Rect(1440, 240, 1215, 495));
    Option1[0]->setChecked(true);

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(Rect(120, 960, 975, 1695));
    const char* const eraCaptions[] = {"明治", "大正", "昭和", "平成"};
    const int eraTop[] = {1200, 840, 480, 120};
    for (int j = 0; j < 4; ++j) {
        Option2[j] = new QRadioButton(QString::fromUtf8(eraCaptions[j]), Frame2);
        Option2[j]->setObjectName(QStringLiteral("Option2%1").arg(j));
        Option2[j]->setGeometry(Rect(120, eraTop[j], 735, 375));
    }
    Option2[3]->setChecked(true);
    OptionGroupFocus::Install(Frame1, {Option1[0], Option1[1]});
    OptionGroupFocus::Install(Frame2, QList<QRadioButton*>(Option2.begin(), Option2.end()));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Rect(1200, 1080, 495, 270));
    // A year is digits only: the key filter decides typed keys, the year box
    // what is pasted or comes through the input method.
    yomari::app::YearBox::Guard(Text1);

    Label1 = new QLabel(QStringLiteral("→"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Rect(1800, 1080, 255, 255));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Rect(2160, 1080, 495, 255));
    // The result can be selected and copied, never edited.
    Label3 = new QLineEdit(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(Rect(2640, 1080, 495, 270));
    Label3->setReadOnly(true);
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(Rect(1200, 1440, 2175, 375));
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setWordWrap(true);

    const auto button = [this](const char* name, const QString& caption, int l, int t, int w, int h) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(Rect(l, t, w, h));
        // Enter on a focused button presses it, as Space does.
        b->setAutoDefault(true);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("計算(&R)"), 1200, 1920, 975, 375);
    cmdCopy = button("cmdCopy", QStringLiteral("&Copy"), 2280, 1920, 975, 375);
    cmdFullVersion = button("cmdFullVersion", QStringLiteral("フル機能版"), 1200, 2400, 1455, 255);
    cmdHelp = button("cmdHelp", QStringLiteral("?"), 2760, 2400, 495, 255);

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
    basYomari::HelpOnF1(cmdHelp);
}

// ---- load and captions -----------------------------------------------------------

void frmADGen::Form_Load()
{
    RefreshCaptions();
    m_gengoCount = static_cast<int16_t>(Option2.size());
}

void frmADGen::SetEngine(const yomari::CYomari* engine)
{
    m_engine = engine;
    RefreshCaptions();
}

void frmADGen::RefreshCaptions()
{
    // Option2(0) is the oldest of the four eras; without an engine the
    // buttons keep their captions.
    if (m_engine) {
        try {
            const yomari::SimpleCalc::Eras eras = yomari::SimpleCalc::FromEngine(*m_engine);
            for (int j = 0; j < yomari::SimpleCalc::kEraCount; ++j)
                Option2[j]->setText(QString::fromStdString(eras[j].name));
        } catch (const yomari::YomariError&) {
            // A table without four eras is refused when the engine loads.
        }
    }
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
    const int resultDigits = std::min<int32_t>(m_options.TextLenMax(), 5);
    const std::pair<QWidget*, int> row[] = {
        {Text1, yomari::fit::LineEditWidth(Text1, m_options.TextLenMax())},
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

void frmADGen::FocusYear()
{
    Text1->setFocus();
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
    return m_host.HidesIntoTray();
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
    m_host.Quit();
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
        m_windowState = isMaximized() ? basYomari::kStateMaximized : basYomari::kStateNormal;
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
    m_options.SetAppMode(0);
    m_host.ShowFullWindow();
}

void frmADGen::cmdHelp_Click()
{
    m_host.ShowHelp();
}

// ---- calculation -------------------------------------------------------------------

void frmADGen::Calculate()
{
    if (!m_engine)
        return;
    std::optional<yomari::SimpleCalc> calc;
    try {
        calc.emplace(yomari::SimpleCalc::FromEngine(*m_engine));
    } catch (const yomari::YomariError& error) {
        ShowNote(QString::fromStdString(error.Description()));
        return;
    }
    if (!calc->Usable()) {
        ShowNote(BadEraDataMessage());
        return;
    }
    SetNote(QString());
    int16_t input = 0;
    try {
        input = basYomari::LeadingInteger(Text1->text());
    } catch (const yomari::YomariError&) {
        ShowNote(InputTooLargeMessage());
        return;
    }
    const yomari::SimpleCalc::Answer answer =
        Option1[0]->isChecked() ? calc->EraToWestern(SelectedGengo(), input) : calc->WesternToEra(input);
    const QString note = QString::fromStdString(answer.note);
    using Kind = yomari::SimpleCalc::Answer::Kind;
    switch (answer.kind) {
    case Kind::Refused: ShowNote(note); return;
    case Kind::Cleared: ClearAll(note, 0); return;
    case Kind::Result: break;
    }
    if (!note.isEmpty()) {
        Label2->clear();
        Label3->clear();
        SetNote(note);
    }
    if (answer.year == 0)
        Text1->setFocus();
    ShowResult(answer.year, QString::fromStdString(answer.unit));
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
    if (text.size() > m_options.TextLenMax()) {
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
        const auto handling = YearBox::Filter(Text1, event, m_options.TextLenMax(), [this] {
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
    default: basYomari::FilterDigitKey(Text1, keyAscii, m_options.TextLenMax()); return;
    }
}
