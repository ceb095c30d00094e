#pragma once

#include "help/HelpRequest.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <cstdint>

// The help control: keeps the settings of one help request and hands them to
// the help system on ShowHelp. It has no window of its own. The window that
// holds it stores its settings through Read/WriteProperties.
class HlpDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool CancelError READ CancelError WRITE SetCancelError)
    Q_PROPERTY(bool CancelSelected READ CancelSelected WRITE SetCancelSelected)
    Q_PROPERTY(int HelpCommand READ HelpCommand WRITE SetHelpCommand)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    Q_PROPERTY(QString HelpFile READ HelpFile WRITE SetHelpFile)
    Q_PROPERTY(QString HelpKey READ HelpKey WRITE SetHelpKey)
    Q_PROPERTY(QWidget* hParentwnd READ hParentwnd WRITE SethParentwnd)

public:
    explicit HlpDlg(QObject* parent = nullptr);

    bool CancelError() const { return m_CancelError; }
    void SetCancelError(bool New_CancelError);
    bool CancelSelected() const { return m_CancelSelected; }
    void SetCancelSelected(bool New_CancelSelected);
    int32_t HelpCommand() const { return m_HelpCommand; }
    void SetHelpCommand(int32_t New_HelpCommand);
    int32_t HelpContext() const { return m_HelpContext; }
    void SetHelpContext(int32_t New_HelpContext);
    QString HelpFile() const { return m_HelpFile; }
    void SetHelpFile(const QString& New_HelpFile);
    QString HelpKey() const { return m_HelpKey; }
    void SetHelpKey(const QString& New_HelpKey);
    QWidget* hParentwnd() const { return m_hParentwnd; }
    void SethParentwnd(QWidget* New_hParentWnd);

    // Opens help: the keyword commands pass HelpKey, every other command
    // HelpContext. Checks nothing, reports nothing, returns at once.
    void ShowHelp();

    // Persistence with the holding window.
    void InitProperties();
    void ReadProperties(const QVariantMap& bag);
    void WriteProperties(QVariantMap& bag) const;

    // Persisted names written since construction, each once, in first-written
    // order ("hWnd" for the owner window).
    QStringList ChangedProperties() const { return m_changed; }

    // Replaces the help system for every control; an empty handler restores
    // the program's viewer. Returns the handler that was in place.
    static HelpHandler SetHelpHandler(HelpHandler handler);

private:
    void PropertyChanged(const QString& name);

    bool m_CancelError = false;
    bool m_CancelSelected = false;
    int32_t m_HelpCommand = 0;
    int32_t m_HelpContext = 0;
    QString m_HelpFile;
    QString m_HelpKey;
    QPointer<QWidget> m_hParentwnd;
    QStringList m_changed;
};
