#include "help/HlpDlg.h"

#include "help/HelpViewer.h"

#include <utility>

namespace {

// Persisted names, in the order they are read and written.
const QString kCancelSelected = QStringLiteral("CancelSelected");
const QString kCancelError = QStringLiteral("CancelError");
const QString kHelpCommand = QStringLiteral("HelpCommand");
const QString kHelpContext = QStringLiteral("HelpContext");
const QString kHelpFile = QStringLiteral("HelpFile");
const QString kHelpKey = QStringLiteral("HelpKey");
const QString kHWnd = QStringLiteral("hWnd");

constexpr bool kDefaultCancelError = false;
constexpr bool kDefaultCancelSelected = false;
constexpr int32_t kDefaultHelpCommand = 0;
constexpr int32_t kDefaultHelpContext = 0;

HelpHandler& Handler()
{
    static HelpHandler handler;
    return handler;
}

// A value equal to its default is left out, so a missing name reads back as
// that default; a stale entry from an earlier write goes too.
template <typename T>
void WriteProperty(QVariantMap& bag, const QString& name, const T& value, const T& defaultValue)
{
    if (value != defaultValue)
        bag.insert(name, QVariant::fromValue(value));
    else
        bag.remove(name);
}

} // namespace

HlpDlg::HlpDlg(QObject* parent)
    : QObject(parent)
{
}

void HlpDlg::SetCancelError(bool New_CancelError)
{
    m_CancelError = New_CancelError;
    PropertyChanged(kCancelError);
}

void HlpDlg::SetCancelSelected(bool New_CancelSelected)
{
    m_CancelSelected = New_CancelSelected;
    PropertyChanged(kCancelSelected);
}

void HlpDlg::SetHelpCommand(int32_t New_HelpCommand)
{
    m_HelpCommand = New_HelpCommand;
    PropertyChanged(kHelpCommand);
}

void HlpDlg::SetHelpContext(int32_t New_HelpContext)
{
    m_HelpContext = New_HelpContext;
    PropertyChanged(kHelpContext);
}

void HlpDlg::SetHelpFile(const QString& New_HelpFile)
{
    m_HelpFile = New_HelpFile;
    PropertyChanged(kHelpFile);
}

void HlpDlg::SetHelpKey(const QString& New_HelpKey)
{
    m_HelpKey = New_HelpKey;
    PropertyChanged(kHelpKey);
}

void HlpDlg::SethParentwnd(QWidget* New_hParentWnd)
{
    m_hParentwnd = New_hParentWnd;
    PropertyChanged(kHWnd);
}

void HlpDlg::ShowHelp()
{
    HelpRequest request;
    request.owner = m_hParentwnd;
    request.file = m_HelpFile;
    request.command = m_HelpCommand;
    if (helpcmd::TakesKeyword(m_HelpCommand))
        request.key = m_HelpKey;
    else
        request.context = m_HelpContext;

    if (Handler())
        Handler()(request);
    else
        HelpViewer::Handle(request);

    // Direct assignment: ShowHelp is not a designer change.
    m_CancelSelected = false;
}

void HlpDlg::InitProperties()
{
    m_CancelSelected = kDefaultCancelSelected;
    m_CancelError = kDefaultCancelError;
    m_HelpCommand = kDefaultHelpCommand;
    m_HelpContext = kDefaultHelpContext;
    m_HelpFile.clear();
    m_HelpKey.clear();
}

void HlpDlg::ReadProperties(const QVariantMap& bag)
{
    m_CancelSelected = bag.value(kCancelSelected, kDefaultCancelSelected).toBool();
    m_CancelError = bag.value(kCancelError, kDefaultCancelError).toBool();
    m_HelpCommand = bag.value(kHelpCommand, kDefaultHelpCommand).toInt();
    m_HelpContext = bag.value(kHelpContext, kDefaultHelpContext).toInt();
    m_HelpFile = bag.value(kHelpFile, QString()).toString();
    m_HelpKey = bag.value(kHelpKey, QString()).toString();
}

void HlpDlg::WriteProperties(QVariantMap& bag) const
{
    WriteProperty(bag, kCancelSelected, m_CancelSelected, kDefaultCancelSelected);
    WriteProperty(bag, kCancelError, m_CancelError, kDefaultCancelError);
    WriteProperty(bag, kHelpCommand, m_HelpCommand, kDefaultHelpCommand);
    WriteProperty(bag, kHelpContext, m_HelpContext, kDefaultHelpContext);
    WriteProperty(bag, kHelpFile, m_HelpFile, QString());
    WriteProperty(bag, kHelpKey, m_HelpKey, QString());
}

HelpHandler HlpDlg::SetHelpHandler(HelpHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

void HlpDlg::PropertyChanged(const QString& name)
{
    if (!m_changed.contains(name))
        m_changed.append(name);
}
