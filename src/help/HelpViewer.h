#pragma once

#include "help/HelpRequest.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;

// The program's help viewer: one modeless window that shows the help file
// (HTML) and goes to the topic a help request names. Topics are found by
// anchors: "contents" for the contents, "ctx<number>" for a context number,
// "key:<keyword>" for a keyword.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    // The default help system: carries out one request and returns at once.
    // Every request but HELP_QUIT opens the viewer (or raises the open one).
    static void Handle(const HelpRequest& request);

    // The viewer now open, or null.
    static HelpViewer* Instance();

    // The anchor last gone to ("contents", "ctx20", "key:…"); for a keyword
    // found in the text, the context anchor of the topic holding it. Empty
    // while a message or the page on using the viewer is shown.
    QString CurrentTopic() const { return m_topic; }
    // The note shown above the page (a topic or keyword not found), or "".
    QString Note() const;
    // The help file on display, or "" when the file could not be shown.
    QString LoadedFile() const { return m_loadedFile; }
    // The anchors of the page, in document order, and where one lies in the
    // document (-1 when the page has no such anchor).
    QStringList AnchorNames() const;
    int AnchorPosition(const QString& name) const;
    QTextBrowser* Browser() const { return m_browser; }

private:
    explicit HelpViewer(QWidget* owner);

    void Carry(const HelpRequest& request);
    void SetOwner(QWidget* owner);
    void Present();
    bool EnsureLoaded(const QString& file);
    void ShowMessagePage(const QString& html);
    void ShowHelpOnHelp();
    void ShowContents(const QString& note = QString());
    void ShowContext(int32_t context);
    void ShowKeyword(const QString& key, bool partial);
    void GoTo(const QString& anchor, bool remember = true);
    void OnLinkClicked(const QUrl& url);
    void StepHistory(int step);
    void UpdateButtons();
    void SetNote(const QString& note);
    QString TopicAt(int position) const;

    QTextBrowser* m_browser = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QPointer<QWidget> m_owner;
    QMetaObject::Connection m_ownerGone;

    QString m_requestedFile; // the file of the last request
    QString m_loadedFile;
    QList<QPair<QString, int>> m_anchors; // name, position in the document
    QString m_topic;
    QStringList m_history; // anchors visited in this file
    int m_historyPos = -1;
};
