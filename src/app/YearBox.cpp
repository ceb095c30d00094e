#include "app/YearBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace yomari::app {

QString YearDigits(const QString& text)
{
    // Compatibility normalisation turns full-width digits into ASCII ones.
    const QString plain = text.normalized(QString::NormalizationForm_KC);
    QString digits;
    for (const QChar c : plain)
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

QString AcceptedYearText(const QLineEdit* box, const QString& incoming, int maxLength)
{
    QString digits = YearDigits(incoming);
    const int at = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    const qsizetype kept = box->text().size() - box->selectedText().size();
    if (at == 0) {
        qsizetype zeros = 0;
        while (zeros < digits.size() && digits[zeros] == u'0')
            ++zeros;
        digits.remove(0, zeros);
    }
    return digits.left(std::max<qsizetype>(0, maxLength - kept));
}

namespace {

bool IsEditingShortcut(const QKeyEvent* key)
{
    for (const auto standard : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                                QKeySequence::Undo, QKeySequence::Redo})
        if (key->matches(standard))
            return true;
    return false;
}

// The standard menu's Paste, known by the shortcut its text ends in: the
// actions carry no names, and the words change with the translation.
QAction* PasteAction(const QMenu& menu)
{
    const QString suffix = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu.actions())
        if (action->text().endsWith(suffix))
            return action;
    return nullptr;
}

} // namespace

YearBox::Handling YearBox::Filter(QLineEdit* box, QEvent* event, int maxLength,
                                  const std::function<void()>& edited)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            // Through insert() so that Ctrl+Z takes the paste back.
            box->insert(AcceptedYearText(box, QApplication::clipboard()->text(), maxLength));
            edited();
            return Handling::Consumed;
        }
        if (!IsEditingShortcut(key))
            return Handling::NotMine;
        if (!key->matches(QKeySequence::SelectAll) && !key->matches(QKeySequence::Copy))
            edited();
        return Handling::Pass;
    }
    if (event->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (im->commitString().isEmpty())
            return Handling::Pass;
        const QString accepted = AcceptedYearText(box, im->commitString(), maxLength);
        if (accepted != im->commitString()) {
            // The same event with the commit cleaned: the box shows it as its own.
            QInputMethodEvent clean(im->preeditString(), im->attributes());
            clean.setCommitString(accepted, im->replacementStart(), im->replacementLength());
            QCoreApplication::sendEvent(box, &clean);
            edited();
            return Handling::Consumed;
        }
        edited();
        return Handling::Pass;
    }
    if (event->type() == QEvent::ContextMenu) {
        // The menu's Paste keeps to the same digits as Ctrl+V. The menu pops
        // up without blocking, as the box's own does, and goes when closed.
        QMenu* menu = box->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (QAction* paste = PasteAction(*menu)) {
            QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
            QObject::connect(paste, &QAction::triggered, box, [box, maxLength] {
                box->insert(AcceptedYearText(box, QApplication::clipboard()->text(), maxLength));
            });
        }
        // Deleted after the chosen action has run.
        QObject::connect(menu, &QObject::destroyed, box, [box, before = box->text(), edited] {
            if (box->text() != before)
                edited();
        });
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return Handling::Consumed;
    }
    return Handling::NotMine;
}

void YearBox::Guard(QLineEdit* box)
{
    // Digits typed one by one take the window's key filter; the input
    // method brings full-width ones, which Filter turns into ASCII.
    box->setAttribute(Qt::WA_InputMethodEnabled, true);
    box->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferNumbers);
}

} // namespace yomari::app
