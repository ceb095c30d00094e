#include "app/basYomari.h"

#include "app/AppEnvironment.h"
#include "engine/NumberText.h"
#include "app/Twips.h"

#include <QGuiApplication>
#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

namespace basYomari {

int32_t SelectedIndex(const QList<QRadioButton*>& group)
{
    for (int32_t i = 0; i < group.size(); ++i)
        if (group[i] && group[i]->isChecked())
            return i;
    return -1;
}

QString IniValue(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return line.trimmed();
    return line.mid(eq + 1).trimmed();
}

QString AppFolder()
{
    return yomari::app::CurrentLocation().folder;
}

QString AppBaseName()
{
    return yomari::app::CurrentLocation().baseName;
}

QString FileBesideProgram(const QString& extension)
{
    return AppFolder() + QLatin1Char('/') + AppBaseName() + extension;
}

QString FormatYear(int64_t value)
{
    if (value <= 0)
        return QString();
    return QString::number(value);
}

void CheckNumeric(QLineEdit* box, bool& isNumeric)
{
    isNumeric = ReadsAsNumber(box->text());
    if (!isNumeric)
        box->setFocus();
}

void FilterDigitKey(const QLineEdit* box, int& keyAscii, int32_t textLenMax)
{
    const auto length = box->text().size();
    if (keyAscii == kKeyBack)
        return;
    if (keyAscii == '0') {
        if (length >= textLenMax || length == 0)
            keyAscii = 0;
        return;
    }
    if (keyAscii >= '1' && keyAscii <= '9') {
        if (length >= textLenMax)
            keyAscii = 0;
        return;
    }
    keyAscii = 0;
}

int KeyAscii(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyReturn;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Backspace: return kKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0; // moves the focus, types nothing
    case Qt::Key_Delete: return 0;  // X sends it with the text DEL, yet it types nothing
    default: break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    return text.at(0).unicode();
}

static QRect ScreenRect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

int ScreenWidthTwips()
{
    return yomari::twips::FromPixels(ScreenRect().width());
}

int ScreenHeightTwips()
{
    return yomari::twips::FromPixels(ScreenRect().height());
}

int TopTwips(const QWidget* window)
{
    return yomari::twips::FromPixels(window->pos().y());
}

int LeftTwips(const QWidget* window)
{
    return yomari::twips::FromPixels(window->pos().x());
}

void MoveTwips(QWidget* window, int left, int top)
{
    window->move(yomari::twips::ToPixels(left), yomari::twips::ToPixels(top));
}

void CenterForm(QWidget* window)
{
    const QRect screen = ScreenRect();
    const QSize size = window->frameGeometry().size();
    window->move((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
}

void RestoreWindow(QWidget* window, int32_t windowState)
{
    window->setWindowState(windowState == kStateMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
    window->setVisible(true);
    window->raise();
    window->activateWindow();
}

namespace {

class TrayHider : public QObject {
public:
    TrayHider(QWidget* window, std::function<bool()> hides)
        : QObject(window)
        , m_window(window)
        , m_hides(std::move(hides))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::WindowStateChange && m_window->isMinimized() &&
            m_hides())
            // Hidden once the state change is through; a window brought back
            // meanwhile stays.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_window->isMinimized() && m_hides())
                        m_window->hide();
                },
                Qt::QueuedConnection);
        return false;
    }

private:
    QWidget* m_window;
    std::function<bool()> m_hides;
};

} // namespace

void HideIntoTrayWhenMinimised(QWidget* window, std::function<bool()> hides)
{
    new TrayHider(window, std::move(hides));
}

void KeepOnScreen(QWidget* window, int32_t choice)
{
    const int top = TopTwips(window);
    const int left = LeftTwips(window);
    const bool offScreen = top < 0 || left < 0 || top > ScreenHeightTwips() || left > ScreenWidthTwips();
    if (!offScreen)
        return;
    if (choice == 0)
        window->move(0, 0);
    else if (choice == 1)
        CenterForm(window);
}

void RestorePosition(QWidget* window, int left, int top)
{
    window->move(yomari::twips::PositionToPixels(left), yomari::twips::PositionToPixels(top));
    KeepOnScreen(window, 1);
}

yomari::YomariError OverflowError()
{
    return yomari::OverflowError(AppBaseName().toStdString());
}

bool ReadsAsNumber(const QString& text)
{
    return yomari::NumberText::ParseNumber(text.toStdString()).has_value();
}

int32_t TextToLong(const QString& text)
{
    const auto value = yomari::NumberText::ParseNumber(text.toStdString());
    if (!value)
        return 0;
    const auto n = yomari::NumberText::RoundToInt32(*value);
    if (!n)
        throw OverflowError();
    return *n;
}

int32_t LeadingLong(const QString& text)
{
    const auto n = yomari::NumberText::RoundToInt32(yomari::NumberText::LeadingNumber(text.toStdString()));
    if (!n)
        throw OverflowError();
    return *n;
}

int16_t LeadingInteger(const QString& text)
{
    const auto n = yomari::NumberText::RoundToInt16(yomari::NumberText::LeadingNumber(text.toStdString()));
    if (!n)
        throw OverflowError();
    return *n;
}

QString AppTitle()
{
    return QStringLiteral("Yomari");
}

void ShowError(QWidget* parent, const yomari::YomariError& error)
{
    QString text =
        QStringLiteral("エラー %1: %2").arg(error.Number()).arg(QString::fromStdString(error.Description()));
    // "Overflow" alone does not tell a person what to change.
    if (error.Number() == yomari::ErrorNumber::Overflow)
        text += QStringLiteral("\n年が大きすぎて計算できません。");
    QMessageBox::critical(parent, AppTitle(), text);
}

void HelpOnF1(QAbstractButton* help)
{
    auto* key = new QShortcut(QKeySequence::HelpContents, help->window());
    QObject::connect(key, &QShortcut::activated, help, &QAbstractButton::click);
}

} // namespace basYomari
