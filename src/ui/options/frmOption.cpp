#include "ui/options/frmOption.h"

#include "app/AppOptions.h"
#include "app/OptionGroupFocus.h"
#include "engine/CYomari.h"
#include "app/SettingsFile.h"
#include "app/Twips.h"
#include "engine/YomariError.h"
#include "app/basYomari.h"
#include "tray/cTaskTray.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using yomari::twips::Rect;
using yomari::settings::kMaxTextLen;
using yomari::settings::kMinTextLen;

namespace {

int32_t Selected(const std::array<QRadioButton*, 2>& group)
{
    return basYomari::SelectedIndex(QList<QRadioButton*>(group.begin(), group.end()));
}

} // namespace

frmOption::frmOption(AppOptions& options, yomari::CYomari* engine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_options(options)
    , m_engine(engine)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("ヨマリ Yomari - オプション"));
    // Modal to the main window only: the notification-area icon and an open
    // help window go on answering meanwhile.
    setWindowModality(Qt::WindowModal);
    CreateControls();
    SetTabOrder();
    Form_Load();
}

frmOption::~frmOption() = default;

// ---- controls ---------------------------------------------------------------

void frmOption::CreateControls()
{
    setFixedSize(yomari::twips::ToPixels(5145), yomari::twips::ToPixels(2580));

    struct Group {
        QGroupBox*& frame;
        std::array<QRadioButton*, 2>& buttons;
        const char* name;
        const char* caption;
        QRect frameRect;
        const char* captions[2];
        QRect buttonRects[2];
    };
    const Group groups[] = {
        {frameNanBoku,
         optNanBoku,
         "NanBoku",
         "南北朝(&S)",
         Rect(120, 120, 2055, 735),
         {"北朝", "南朝"},
         {Rect(120, 240, 735, 375), Rect(960, 240, 735, 375)}},
        {frameSysTray,
         optSysTray,
         "SysTray",
         "システムトレイに常駐(&T)",
         Rect(2280, 120, 2535, 735),
         {"常駐しない", "常駐する"},
         {Rect(120, 240, 1215, 375), Rect(1440, 240, 1035, 375)}},
        {frameAppMode,
         optAppMode,
         "AppMode",
         "機能(&F)",
         Rect(120, 960, 2535, 735),
         {"フル機能版", "簡易版"},
         {Rect(120, 240, 1215, 375), Rect(1440, 240, 855, 375)}},
        {frameWhichCopy,
         optWhichCopy,
         "WhichCopy",
         "生年計算結果のコピー(&B)",
         Rect(120, 1800, 2535, 615),
         {"元号", "西暦"},
         {Rect(120, 240, 1095, 255), Rect(1440, 240, 735, 255)}},
    };
    for (const Group& g : groups) {
        g.frame = new QGroupBox(QString::fromUtf8(g.caption), this);
        g.frame->setObjectName(QStringLiteral("frame") + QLatin1String(g.name));
        g.frame->setGeometry(g.frameRect);
        for (int i = 0; i < 2; ++i) {
            g.buttons[i] = new QRadioButton(QString::fromUtf8(g.captions[i]), g.frame);
            g.buttons[i]->setObjectName(QStringLiteral("opt%1%2").arg(QLatin1String(g.name)).arg(i));
            g.buttons[i]->setGeometry(g.buttonRects[i]);
        }
        g.buttons[0]->setChecked(true);
        OptionGroupFocus::Install(g.frame, {g.buttons[0], g.buttons[1]});
    }

    Label1 = new QLabel(QStringLiteral("表示可能な最大桁数(&K)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Rect(2760, 1080, 2175, 255));

    txtMaxLen = new QLineEdit(this);
    txtMaxLen->setObjectName(QStringLiteral("txtMaxLen"));
    txtMaxLen->setGeometry(Rect(2760, 1320, 615, 270));
    // A count of digits: no input method, and the key filter decides.
    txtMaxLen->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtMaxLen->setInputMethodHints(Qt::ImhDigitsOnly);
    txtMaxLen->installEventFilter(this);
    Label1->setBuddy(txtMaxLen);

    lblTextMaxLen = new QLabel(QStringLiteral("(以上)"), this);
    lblTextMaxLen->setObjectName(QStringLiteral("lblTextMaxLen"));
    lblTextMaxLen->setGeometry(Rect(3480, 1320, 1335, 255));

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Rect(2760, 1920, 975, 375));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(Rect(3840, 1920, 975, 375));

    connect(cmdOK, &QPushButton::clicked, this, &frmOption::cmdOK_Click);
    // Escape and the close box reject the dialog as Cancel does.
    connect(cmdCancel, &QPushButton::clicked, this, &frmOption::cmdCancel_Click);
}

void frmOption::SetTabOrder()
{
    const QList<QWidget*> order{optNanBoku[0],   optNanBoku[1], optSysTray[0], optSysTray[1],
                                optAppMode[0],   optAppMode[1], txtMaxLen,     optWhichCopy[0],
                                optWhichCopy[1], cmdOK,         cmdCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmOption::Form_Load()
{
    const auto check = [](const std::array<QRadioButton*, 2>& group, int32_t index) {
        if (index >= 0 && index < static_cast<int32_t>(group.size()))
            group[index]->setChecked(true);
    };
    check(optNanBoku, m_options.NanBokuMode());
    check(optAppMode, m_options.AppMode());
    check(optSysTray, m_options.InSysTray() ? 1 : 0);
    txtMaxLen->setText(QString::number(m_options.TextLenMax()));
    check(optWhichCopy, m_options.BirthYearWhichCopy());
    lblTextMaxLen->setText(QStringLiteral("(%1以上を入力)").arg(kMinTextLen));
    // Without a notification area the icon could not be shown, so residence
    // cannot be chosen here; a stored choice is kept as it is.
    if (!cTaskTray::IsAvailable()) {
        optSysTray[1]->setEnabled(false);
        optSysTray[1]->setToolTip(QStringLiteral("この環境には通知領域がありません"));
    }
}

// ---- keys -----------------------------------------------------------------------

bool frmOption::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != txtMaxLen || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab moves to the next control; it types nothing here.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    int ascii = basYomari::KeyAscii(key);
    // Keys that type nothing move the cursor or delete; Enter and Escape
    // belong to the dialog's buttons.
    if (ascii == 0 || ascii == basYomari::kKeyReturn || ascii == basYomari::kKeyEscape)
        return false;
    txtMaxLen_KeyPress(ascii);
    return ascii == 0;
}

void frmOption::txtMaxLen_KeyPress(int& keyAscii)
{
    if (keyAscii == basYomari::kKeyBack || (keyAscii >= '0' && keyAscii <= '9'))
        return;
    keyAscii = 0;
}

// ---- buttons --------------------------------------------------------------------

bool frmOption::ReadMaxLen(int32_t& value)
{
    bool fits = true;
    int32_t n = 0;
    try {
        n = basYomari::TextToLong(txtMaxLen->text());
    } catch (const yomari::YomariError&) {
        fits = false; // beyond 32 bits
    }
    // A 32-bit year has at most ten digits: more cannot be shown usefully,
    // and the settings file would not keep it either.
    if (!fits || n > kMaxTextLen) {
        QMessageBox::warning(this, basYomari::AppTitle(),
                             QStringLiteral("表示可能な最大桁数には%1から%2までの数を入力してください。")
                                 .arg(kMinTextLen)
                                 .arg(kMaxTextLen));
        txtMaxLen->setFocus();
        txtMaxLen->selectAll();
        return false;
    }
    value = n;
    return true;
}

bool frmOption::ChangeNanBoku(int32_t value)
{
    // The engine loads the other table whole or not at all: ask it first, so
    // that a failure leaves the engine, the property and the lists together
    // on the line in use.
    if (m_engine) {
        try {
            m_engine->SetNanBokuMode(value);
        } catch (const yomari::YomariError& error) {
            const int32_t current = m_options.NanBokuMode();
            QMessageBox::warning(this, basYomari::AppTitle(),
                                 QStringLiteral("南北朝の設定を切り替えられません。\nエラー %1: %2")
                                     .arg(error.Number())
                                     .arg(QString::fromStdString(error.Description())));
            if (current >= 0 && current < static_cast<int32_t>(optNanBoku.size())) {
                optNanBoku[current]->setChecked(true);
                optNanBoku[current]->setFocus();
            }
            return false;
        }
    }
    // The main window refills its era lists on the change.
    m_options.SetNanBokuMode(value);
    return true;
}

void frmOption::cmdOK_Click()
{
    // Everything that can be refused is checked before anything is written,
    // so a refusal leaves the main window as it was and the dialog open.
    int32_t maxLen = 0;
    if (!ReadMaxLen(maxLen))
        return;

    const int32_t nanBoku = Selected(optNanBoku);
    if (nanBoku != m_options.NanBokuMode() && !ChangeNanBoku(nanBoku))
        return;

    const int32_t appMode = Selected(optAppMode);
    if (appMode != m_options.AppMode())
        m_options.SetAppMode(appMode);

    const bool inSysTray = Selected(optSysTray) != 0;
    if (inSysTray != m_options.InSysTray())
        m_options.SetInSysTray(inSysTray);

    // The main window clears its boxes on the change.
    if (maxLen != m_options.TextLenMax())
        m_options.SetTextLenMax(maxLen >= kMinTextLen ? maxLen : kMinTextLen);

    const int32_t whichCopy = Selected(optWhichCopy);
    if (whichCopy != m_options.BirthYearWhichCopy())
        m_options.SetBirthYearWhichCopy(whichCopy);

    accept();
}

void frmOption::cmdCancel_Click()
{
    reject();
}
