#include "help/HelpViewer.h"

#include "app/basYomari.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kContents = QStringLiteral("contents");
const QString kContextPrefix = QStringLiteral("ctx");
const QString kKeyPrefix = QStringLiteral("key:");

QPointer<HelpViewer>& TheViewer()
{
    static QPointer<HelpViewer> viewer;
    return viewer;
}

QString WindowTitle()
{
    return QStringLiteral("ヨマリ Yomari ヘルプ");
}

// How to use this window: what HELP_HELPONHELP shows.
QString HelpOnHelpHtml()
{
    return QStringLiteral("<html><body>"
                          "<h2>ヘルプの使い方</h2>"
                          "<p>このウィンドウには、ヨマリのヘルプファイル（プログラムと同じフォルダーの "
                          "Yomari.hlp）が表示されます。</p>"
                          "<ul>"
                          "<li>青い文字（リンク）をクリックすると、その項目へ移動します。</li>"
                          "<li><b>目次</b>：ヘルプの最初（目次）に戻ります。</li>"
                          "<li><b>戻る</b>／<b>進む</b>：前に見ていた項目へ戻ります。"
                          "Alt+← と Alt+→ でも同じです。</li>"
                          "<li><b>使い方</b>：このページを表示します。</li>"
                          "<li><b>閉じる</b>：ヘルプを閉じます。Esc キーでも閉じます。</li>"
                          "</ul>"
                          "<p>ページはマウスのホイール、スクロールバー、PageUp／PageDown、"
                          "Home／End キーで動かせます。文字を選んで Ctrl+C でコピーできます。</p>"
                          "<p>ヘルプはいつでもヨマリの「ヘルプ(&amp;H)」ボタン、簡易版の「?」ボタン、"
                          "通知領域のアイコンのメニュー「ヘルプ」から開けます。"
                          "ヘルプを開いたままでもヨマリは使えます。</p>"
                          "<p><b>目次</b>を押すとヘルプファイルに戻ります。</p>"
                          "</body></html>");
}

QString MissingFileHtml(const QString& file)
{
    if (file.isEmpty()) {
        return QStringLiteral("<html><body><h2>ヘルプファイルを開けません</h2>"
                              "<p>ヘルプファイルが指定されていません。</p></body></html>");
    }
    const QFileInfo info(file);
    return QStringLiteral("<html><body><h2>ヘルプファイルを開けません</h2>"
                          "<p>ヘルプファイル「<b>%1</b>」が見つからないか、読み込めません。</p>"
                          "<p>場所：%2</p>"
                          "<p>ヘルプファイル %3 は、ヨマリのプログラムと同じフォルダーに"
                          "置いてください。</p></body></html>")
        .arg(info.fileName().toHtmlEscaped(), file.toHtmlEscaped(), info.fileName().toHtmlEscaped());
}

} // namespace

void HelpViewer::Handle(const HelpRequest& request)
{
    if (request.command == helpcmd::Quit) {
        if (TheViewer())
            TheViewer()->close();
        return;
    }
    if (!TheViewer())
        TheViewer() = new HelpViewer(request.owner);
    TheViewer()->Carry(request);
}

HelpViewer* HelpViewer::Instance()
{
    return TheViewer();
}

HelpViewer::HelpViewer(QWidget* owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Help left open must not keep the program alive once its windows close.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(WindowTitle());
    resize(680, 600);

    auto* contents = new QPushButton(QStringLiteral("目次(&C)"), this);
    m_back = new QPushButton(QStringLiteral("戻る(&B)"), this);
    m_forward = new QPushButton(QStringLiteral("進む(&F)"), this);
    auto* howTo = new QPushButton(QStringLiteral("使い方(&U)"), this);
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    for (QPushButton* button : {contents, m_back, m_forward, howTo, closeButton})
        button->setAutoDefault(false);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->setStyleSheet(
        QStringLiteral("QLabel { background: #fff6cc; border: 1px solid #e0c860; padding: 4px; }"));
    m_note->hide();

    m_browser = new QTextBrowser(this);
    // Links are followed here: anchors of the help file move within it, other
    // addresses go to the desktop.
    m_browser->setOpenLinks(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(howTo);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_note);
    layout->addWidget(m_browser, 1);

    connect(contents, &QPushButton::clicked, this, [this] {
        // Also brings the file back after a message or the page on the viewer.
        if (EnsureLoaded(m_requestedFile))
            ShowContents();
    });
    connect(m_back, &QPushButton::clicked, this, [this] { StepHistory(-1); });
    connect(m_forward, &QPushButton::clicked, this, [this] { StepHistory(1); });
    connect(howTo, &QPushButton::clicked, this, [this] { ShowHelpOnHelp(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::OnLinkClicked);

    // Shortcuts rather than key handlers: the browser would take Alt+arrows
    // for a history of its own, which stays empty here.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(back, &QShortcut::activated, this, [this] { StepHistory(-1); });
    auto* forward = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
    connect(forward, &QShortcut::activated, this, [this] { StepHistory(1); });

    SetOwner(owner);
    UpdateButtons();
}

QString HelpViewer::Note() const
{
    return m_note->isHidden() ? QString() : m_note->text();
}

QStringList HelpViewer::AnchorNames() const
{
    QStringList names;
    for (const auto& anchor : m_anchors)
        names.append(anchor.first);
    return names;
}

void HelpViewer::Carry(const HelpRequest& request)
{
    if (request.owner)
        SetOwner(request.owner);
    m_requestedFile = request.file;
    Present();

    if (request.command == helpcmd::HelpOnHelp) {
        ShowHelpOnHelp();
        return;
    }
    if (!EnsureLoaded(request.file))
        return;
    switch (request.command) {
    case helpcmd::Context:
    case helpcmd::ContextPopup: ShowContext(request.context); break;
    case helpcmd::Key:
    case helpcmd::PartialKey: ShowKeyword(request.key, request.command == helpcmd::PartialKey); break;
    default:
        // HELP_CONTENTS, HELP_FINDER and every command this viewer has no
        // use for: the file opens at its contents.
        ShowContents();
        break;
    }
}

void HelpViewer::SetOwner(QWidget* owner)
{
    if (owner == m_owner)
        return;
    disconnect(m_ownerGone);
    m_owner = owner;
    if (owner)
        m_ownerGone = connect(owner, &QObject::destroyed, this, &QWidget::close);
}

void HelpViewer::Present()
{
    if (!isVisible()) {
        if (m_owner && m_owner->isVisible()) {
            // Beside the asking window, as far as the screen allows.
            const QRect owner = m_owner->frameGeometry();
            move(owner.center() - QPoint(width() / 2, height() / 2));
            basYomari::KeepOnScreen(this, 1);
        } else {
            basYomari::CenterForm(this);
        }
        show();
    }
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

bool HelpViewer::EnsureLoaded(const QString& file)
{
    if (!file.isEmpty() && file == m_loadedFile)
        return true;

    m_loadedFile.clear();
    QFile in(file);
    if (file.isEmpty() || !QFileInfo(file).isFile() || !in.open(QIODevice::ReadOnly)) {
        ShowMessagePage(MissingFileHtml(file));
        return false;
    }
    const QByteArray bytes = in.readAll();
    // The help file is HTML; its meta tag names the encoding, UTF-8 if none.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    const QString html = decoder.isValid() ? decoder.decode(bytes) : QString::fromUtf8(bytes);

    m_browser->setSearchPaths({QFileInfo(file).absolutePath()});
    m_browser->setHtml(html);
    m_loadedFile = file;
    m_history.clear();
    m_historyPos = -1;

    m_anchors.clear();
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            for (const QString& name : fragment.charFormat().anchorNames())
                m_anchors.append({name, fragment.position()});
        }
    }
    return true;
}

void HelpViewer::ShowMessagePage(const QString& html)
{
    m_loadedFile.clear();
    m_anchors.clear();
    m_history.clear();
    m_historyPos = -1;
    m_topic.clear();
    SetNote(QString());
    m_browser->setHtml(html);
    UpdateButtons();
}

void HelpViewer::ShowHelpOnHelp()
{
    ShowMessagePage(HelpOnHelpHtml());
}

void HelpViewer::ShowContents(const QString& note)
{
    if (AnchorPosition(kContents) >= 0) {
        GoTo(kContents);
    } else {
        GoTo(QString());
        m_topic = kContents;
    }
    SetNote(note);
}

void HelpViewer::ShowContext(int32_t context)
{
    const QString anchor = kContextPrefix + QString::number(context);
    if (AnchorPosition(anchor) < 0) {
        ShowContents(QStringLiteral("トピック番号 %1 は、このヘルプファイルにありません。"
                                    "目次を表示しています。")
                         .arg(context));
        return;
    }
    GoTo(anchor);
    SetNote(QString());
}

void HelpViewer::ShowKeyword(const QString& key, bool partial)
{
    if (key.isEmpty()) {
        ShowContents();
        return;
    }
    // A keyword the file names itself, then (for the partial command) the
    // first keyword that begins with it, then the first place in the text.
    QString anchor = kKeyPrefix + key;
    if (AnchorPosition(anchor) < 0 && partial) {
        anchor.clear();
        for (const auto& a : m_anchors) {
            if (a.first.startsWith(kKeyPrefix + key)) {
                anchor = a.first;
                break;
            }
        }
    }
    if (!anchor.isEmpty() && AnchorPosition(anchor) >= 0) {
        GoTo(anchor);
        SetNote(QString());
        return;
    }

    const QTextCursor hit = m_browser->document()->find(key, 0);
    if (hit.isNull()) {
        ShowContents(QStringLiteral("キーワード「%1」は見つかりませんでした。"
                                    "目次を表示しています。")
                         .arg(key));
        return;
    }
    GoTo(TopicAt(hit.selectionStart()));
    // The words themselves stay selected where the topic shows them.
    m_browser->setTextCursor(hit);
    m_browser->ensureCursorVisible();
    SetNote(QString());
}

int HelpViewer::AnchorPosition(const QString& name) const
{
    for (const auto& anchor : m_anchors)
        if (anchor.first == name)
            return anchor.second;
    return -1;
}

void HelpViewer::GoTo(const QString& anchor, bool remember)
{
    m_browser->setTextCursor(QTextCursor(m_browser->document()));
    // The contents are the top of the page, margin included.
    if (anchor.isEmpty() || anchor == kContents)
        m_browser->verticalScrollBar()->setValue(0);
    else
        m_browser->scrollToAnchor(anchor);
    m_topic = anchor;

    if (remember) {
        // Going somewhere new drops the pages one could have gone forward to.
        while (m_history.size() > m_historyPos + 1)
            m_history.removeLast();
        if (m_history.isEmpty() || m_history.last() != anchor) {
            m_history.append(anchor);
        }
        m_historyPos = int(m_history.size()) - 1;
    }
    UpdateButtons();
}

void HelpViewer::OnLinkClicked(const QUrl& url)
{
    const bool sameDocument = url.isRelative() && url.path().isEmpty();
    if (sameDocument && url.hasFragment()) {
        if (m_loadedFile.isEmpty())
            return;
        GoTo(url.fragment(QUrl::FullyDecoded));
        SetNote(QString());
        return;
    }
    if (!url.isRelative())
        QDesktopServices::openUrl(url);
}

void HelpViewer::StepHistory(int step)
{
    const int target = m_historyPos + step;
    if (m_loadedFile.isEmpty() || target < 0 || target >= m_history.size())
        return;
    m_historyPos = target;
    GoTo(m_history.at(target), false);
    SetNote(QString());
}

void HelpViewer::UpdateButtons()
{
    m_back->setEnabled(!m_loadedFile.isEmpty() && m_historyPos > 0);
    m_forward->setEnabled(!m_loadedFile.isEmpty() && m_historyPos + 1 < m_history.size());
}

void HelpViewer::SetNote(const QString& note)
{
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

QString HelpViewer::TopicAt(int position) const
{
    QString topic = kContents;
    for (const auto& anchor : m_anchors) {
        if (anchor.second > position)
            break;
        if (anchor.first.startsWith(kContextPrefix))
            topic = anchor.first;
    }
    return topic;
}
