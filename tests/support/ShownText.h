#pragma once

// Whether a control shows its whole text, measured as Qt draws it: with the
// control's own font and style, inside its contents rectangle, wrapping where
// the control wraps, and for a line edit by where Qt really scrolls it.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTextLayout>
#include <QVariant>

#include <algorithm>

namespace shown {

inline QString Describe(const QWidget* w, const QString& text, const QString& why)
{
    return QStringLiteral("%1 \"%2\": %3").arg(QString::fromLatin1(w->metaObject()->className()), text, why);
}

// The part of the widget its ancestors let through must be the whole widget.
inline QString Clipped(const QWidget* w, const QString& text)
{
    for (const QWidget* a = w->parentWidget(); a; a = a->parentWidget()) {
        const QRect inAncestor(w->mapTo(a, QPoint(0, 0)), w->size());
        if (!a->rect().contains(inAncestor))
            return Describe(w, text,
                            QStringLiteral("reaches outside its %1")
                                .arg(QString::fromLatin1(a->metaObject()->className())));
        if (a->isWindow())
            break;
    }
    return {};
}

// A character that word wrapping at `width` leaves alone on a line, or "".
inline QString LoneCharacterLine(const QFont& font, int width, const QString& text)
{
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        for (const QString& line : lines)
            if (lines.size() > 1 && line.size() == 1)
                return line;
    }
    return {};
}

inline QString LabelCut(const QLabel* label)
{
    const QString text = label->text();
    if (text.isEmpty())
        return {};
    QRect room = label->contentsRect();
    const int m = label->margin();
    room.adjust(m, m, -m, -m);
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    if (label->buddy())
        flags |= Qt::TextShowMnemonic;
    const QRect needed = QFontMetrics(label->font()).boundingRect(room, flags, text);
    if (needed.width() > room.width() || needed.height() > room.height())
        return Describe(label, text,
                        QStringLiteral("needs %1x%2 in %3x%4")
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(room.width())
                            .arg(room.height()));
    if (label->wordWrap())
        if (const QString lone = LoneCharacterLine(label->font(), room.width(), text); !lone.isEmpty())
            return Describe(label, text, QStringLiteral("breaks \"%1\" onto a line of its own").arg(lone));
    return Clipped(label, text);
}

// A line edit scrolls its text so that the cursor stays in view: with the
// cursor at the end and then at the start, the text is whole exactly when
// both ends are drawn without scrolling in between.
inline QString LineEditCut(QLineEdit* box)
{
    const QString text = box->displayText();
    if (text.isEmpty())
        return {};
    const int saved = box->cursorPosition();
    const auto cursorX = [box](int position) {
        box->setCursorPosition(position);
        box->grab(); // paints, which is when the box scrolls
        return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    };
    const int end = cursorX(int(text.size()));
    const int start = cursorX(0);
    box->setCursorPosition(saved);
    box->grab();
    const int needed = QFontMetrics(box->font()).horizontalAdvance(text);
    if (end - start < needed || end >= box->width())
        return Describe(box, text, QStringLiteral("%1 of %2 pixels in view").arg(end - start).arg(needed));
    return Clipped(box, text);
}

inline QString ButtonCut(const QAbstractButton* button)
{
    const QString text = button->text();
    if (text.isEmpty())
        return {};
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = text;
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &opt, button);
    const QRect needed = QFontMetrics(button->font()).boundingRect(room, Qt::TextShowMnemonic, text);
    if (needed.width() > room.width() || needed.height() > room.height())
        return Describe(button, text, QStringLiteral("needs %1 in %2").arg(needed.width()).arg(room.width()));
    return Clipped(button, text);
}

inline QString ComboCut(const QComboBox* list)
{
    const QString text = list->currentText();
    if (text.isEmpty())
        return {};
    QStyleOptionComboBox opt;
    opt.initFrom(list);
    opt.editable = list->isEditable();
    opt.frame = list->hasFrame();
    // The entry is drawn one pixel in from either side of its field.
    const QRect room = list->style()
                           ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, list)
                           .adjusted(1, 0, -1, 0);
    const int needed = QFontMetrics(list->font()).horizontalAdvance(text);
    if (needed > room.width())
        return Describe(list, text, QStringLiteral("needs %1 in %2").arg(needed).arg(room.width()));
    return Clipped(list, text);
}

// Every row of a list view, as wide as its delegate wants it.
inline QStringList RowsCut(const QAbstractItemView* view, int column = 0)
{
    QStringList cut;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        const QModelIndex index = model->index(row, column, view->rootIndex());
        const int needed = view->sizeHintForIndex(index).width();
        if (needed > view->viewport()->width())
            cut << Describe(view, index.data().toString(),
                            QStringLiteral("needs %1 in %2").arg(needed).arg(view->viewport()->width()));
    }
    return cut;
}

// "" when the widget shows its whole text; otherwise what is cut.
inline QString Cut(QWidget* w)
{
    if (!w->isVisible())
        return {};
    if (auto* label = qobject_cast<QLabel*>(w))
        return LabelCut(label);
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return LineEditCut(box);
    if (auto* list = qobject_cast<QComboBox*>(w))
        return ComboCut(list);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return ButtonCut(button);
    if (auto* view = qobject_cast<QListWidget*>(w))
        return RowsCut(view).join(QLatin1Char('\n'));
    return {};
}

// Where a control draws, in its parent's coordinates: a label's text, a
// radio button's or check box's indicator and text; all of anything else.
// Empty for a label without text.
inline QRect Ink(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return label->text().isEmpty() ? QRect() : label->geometry();
        int flags = int(label->alignment());
        if (label->wordWrap())
            flags |= Qt::TextWordWrap;
        if (label->buddy())
            flags |= Qt::TextShowMnemonic;
        return QFontMetrics(label->font())
            .boundingRect(label->contentsRect(), flags, label->text())
            .intersected(label->rect())
            .translated(label->pos());
    }
    const bool radio = qobject_cast<const QRadioButton*>(w) != nullptr;
    if (radio || qobject_cast<const QCheckBox*>(w)) {
        const auto* button = static_cast<const QAbstractButton*>(w);
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        const QStyle* style = button->style();
        const QRect indicator = style->subElementRect(
            radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, button);
        const QRect room = style->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, button);
        const QRect text =
            QFontMetrics(button->font())
                .boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, button->text());
        return indicator.united(text).intersected(button->rect()).translated(button->pos());
    }
    return w->geometry();
}

// Controls of one parent drawn side by side closer than `gap` pixels: text
// that runs into its neighbour.
inline QStringList Cramped(const QWidget* parent, int gap = 4)
{
    QList<const QWidget*> shown;
    for (const QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        // A frame holds its own controls, which are checked inside it.
        if (w->isVisible() && !w->isWindow() && !qobject_cast<const QGroupBox*>(w) && !Ink(w).isEmpty())
            shown << w;
    QStringList cramped;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            const QRect a = Ink(shown[i]), b = Ink(shown[j]);
            if (a.top() > b.bottom() || b.top() > a.bottom())
                continue; // not side by side
            const int apart = std::max(b.left() - a.right(), a.left() - b.right()) - 1;
            if (apart < gap)
                cramped << QStringLiteral("%1 and %2 are %3 px apart")
                               .arg(Describe(shown[i], shown[i]->property("text").toString(), {}),
                                    Describe(shown[j], shown[j]->property("text").toString(), {}))
                               .arg(apart);
        }
    }
    return cramped;
}

// Every control of the window that shows text, each checked, and every
// group of neighbours kept apart.
inline QStringList CutInWindow(QWidget* window)
{
    QStringList cut = Cramped(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString c = Cut(w);
        if (!c.isEmpty())
            cut << c;
        if (w->isVisible() && !w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty() &&
            qobject_cast<QGroupBox*>(w))
            cut << Cramped(w);
    }
    return cut;
}

// What of the widget a person sees, in its parent: a label's ink where it is
// drawn (its box may run on under its neighbour, and a full-width "：" leaves
// blank room at its sides), any other widget whole.
inline QRect SeenRect(const QWidget* w)
{
    const auto* label = qobject_cast<const QLabel*>(w);
    if (!label || label->text().isEmpty() || label->wordWrap() || label->text().contains(QLatin1Char('\n')))
        return w->geometry();
    int flags = int(label->alignment());
    QString text = label->text();
    if (label->buddy()) {
        flags |= Qt::TextShowMnemonic;
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    }
    const QFontMetrics metrics(label->font());
    const QRect placed = metrics.boundingRect(label->contentsRect(), flags, label->text());
    const QRect ink = metrics.tightBoundingRect(text);
    return QRect(placed.left() + ink.left(), placed.top(), ink.width(), placed.height()).translated(w->pos());
}

// The widget's name for a report: its objectName, or its class and text.
inline QString NameOf(const QWidget* w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->property("text").toString());
}

// Visible direct children of `parent` that cover each other by more than
// `touch` pixels either way, each pair named; with `seen`, labels by their
// text (SeenRect).
inline QStringList Overlaps(const QWidget* parent, int touch = 1, bool seen = false)
{
    QStringList faults;
    const QList<QWidget*> controls = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            if (!controls[i]->isVisible() || !controls[j]->isVisible())
                continue;
            const auto extent = [seen](const QWidget* c) { return seen ? SeenRect(c) : c->geometry(); };
            const QRect both = extent(controls[i]).intersected(extent(controls[j]));
            if (both.width() > touch && both.height() > touch)
                faults << QStringLiteral("%1 and %2 cover each other")
                              .arg(Describe(controls[i], controls[i]->property("text").toString(), {}),
                                   Describe(controls[j], controls[j]->property("text").toString(), {}));
        }
    return faults;
}

// All a person sees amiss in a shown window: a text cut, two controls that
// cover each other by more than `touch` pixels (labels by their ink with
// `seen`), a control reaching outside the window.
inline QStringList SeenFaults(QWidget* window, int touch = 1, bool seen = false)
{
    QStringList faults = CutInWindow(window) + Overlaps(window, touch, seen);
    for (const QWidget* c : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (c->isVisible() && !c->isWindow() && !window->rect().contains(c->geometry()))
            faults << NameOf(c) + QStringLiteral(" reaches outside the window");
    return faults;
}

// The faults one a line, blanks dropped, the first `most` of them; "" when
// there are none.
inline QString Listed(QStringList faults, qsizetype most = 12)
{
    faults.removeAll(QString());
    return faults.mid(0, most).join(QLatin1Char('\n'));
}

// Where the widget stands in its window.
inline QRect InWindow(const QWidget* w)
{
    const QRect seen = SeenRect(w);
    return seen.translated(w->parentWidget()->mapTo(w->window(), QPoint(0, 0)));
}

// "" when `a` stands left of `b`, on the same row, sharing at most `touch`
// columns of pixels.
inline QString LeftOf(const QWidget* a, const QWidget* b, int touch = 0)
{
    const QRect ra = InWindow(a), rb = InWindow(b);
    if (ra.right() - touch < rb.left() && ra.left() < rb.left() && ra.top() <= rb.bottom() &&
        rb.top() <= ra.bottom())
        return {};
    return QStringLiteral("%1 is not left of %2 on its row").arg(NameOf(a), NameOf(b));
}

// "" when `a` stands above `b`, sharing at most `touch` rows of pixels.
inline QString Above(const QWidget* a, const QWidget* b, int touch = 0)
{
    const QRect ra = InWindow(a), rb = InWindow(b);
    if (ra.bottom() - touch < rb.top() && ra.top() < rb.top())
        return {};
    return QStringLiteral("%1 is not above %2").arg(NameOf(a), NameOf(b));
}

} // namespace shown
