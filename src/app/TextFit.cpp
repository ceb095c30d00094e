#include "app/TextFit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace yomari::fit {
namespace {

// Kanji, and the marks 々 and 〆 written among them.
bool Ideograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3005 || c == 0x3006;
}

// A label shows "&" only doubled; a single one marks the access key.
QString Shown(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    shown.remove(QLatin1Char('&'));
    shown.replace(QChar(0xE000), QLatin1Char('&'));
    return shown;
}

int WidestDigit(const QFontMetrics& fm)
{
    int widest = 0;
    for (char c = '0'; c <= '9'; ++c)
        widest = std::max(widest, fm.horizontalAdvance(QLatin1Char(c)));
    return widest;
}

// Whether wrapping `text` at `width` leaves one character alone on a line.
bool LeavesLoneCharacter(const QFont& font, const QString& text, int width)
{
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        int lines = 0;
        bool lone = false;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++lines;
            lone = lone || paragraph.mid(line.textStart(), line.textLength()).trimmed().size() == 1;
        }
        layout.endLayout();
        if (lines > 1 && lone)
            return true;
    }
    return false;
}

// Calls `each` with every character of `text` and its place; false, having
// stopped, at the first one that is no kanji.
template <typename Each>
bool ForEachKanji(const QString& text, Each each)
{
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (!Ideograph(c))
            return false;
        each(c, i);
        i += pair ? 2 : 1;
    }
    return true;
}

int LabelChrome(const QLabel* label)
{
    return label->width() - label->contentsRect().width() + 2 * std::max(0, label->margin());
}

// The room around the entry in the list's field.
int ComboChrome(const QComboBox* list)
{
    QStyleOptionComboBox opt;
    opt.initFrom(list);
    opt.rect = list->rect();
    opt.editable = list->isEditable();
    opt.frame = list->hasFrame();
    const QRect field =
        list->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, list);
    // The entry is drawn one pixel in from either side of its field.
    return list->width() - field.width() + 2;
}

} // namespace

int WrapWidth(const QLabel* label)
{
    const int chrome = LabelChrome(label);
    const int room = label->width() - chrome;
    // A few characters more at most; past that the text is left as it wraps.
    const int limit = room + 4 * QFontMetrics(label->font()).horizontalAdvance(QChar(u'あ'));
    for (int width = room; width <= limit; ++width)
        if (!LeavesLoneCharacter(label->font(), label->text(), width))
            return width + chrome;
    return label->width();
}

CharacterWidths::CharacterWidths(const QFont& font)
    : m_font(font)
    , m_metrics(font)
    // The writing system whose script is Han, the one kanji are set in.
    , m_kanjiFont(QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese))
{
    // A pixel more than the widest glyph for an advance that hinting rounds up.
    if (m_kanjiFont.isValid() && m_kanjiFont.maxCharWidth() > 0)
        m_widestKanji = std::ceil(m_kanjiFont.maxCharWidth()) + 1;
}

qreal CharacterWidths::Advance(char32_t c, const QString& text, qsizetype at)
{
    auto found = m_advances.constFind(c);
    if (found == m_advances.cend())
        found =
            m_advances.insert(c, QChar::requiresSurrogates(c) ? m_metrics.horizontalAdvance(text.mid(at, 2))
                                                              : m_metrics.horizontalAdvance(text[at]));
    return *found;
}

qreal CharacterWidths::Width(const QString& text)
{
    qreal width = 0;
    if (!ForEachKanji(text, [&](char32_t c, qsizetype at) { width += Advance(c, text, at); }))
        return m_metrics.horizontalAdvance(text);
    return width;
}

qreal CharacterWidths::Bound(const QString& text)
{
    qreal bound = 0;
    const bool kanji = ForEachKanji(text, [&](char32_t c, qsizetype at) {
        const auto known = m_advances.constFind(c);
        if (known != m_advances.cend())
            bound += *known;
        else if (m_widestKanji > 0 && m_kanjiFont.supportsCharacter(c))
            bound += m_widestKanji;
        else
            bound += Advance(c, text, at);
    });
    return kanji ? bound : Width(text);
}

qreal CharacterWidths::Widest(const QStringList& texts)
{
    QList<std::pair<qreal, qsizetype>> bounds;
    bounds.reserve(texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i)
        bounds.append({Bound(texts[i]), i});
    std::sort(bounds.begin(), bounds.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    qreal widest = 0;
    for (const auto& [bound, i] : bounds) {
        // No text from here on can be wider than one measured.
        if (bound <= widest)
            break;
        widest = std::max(widest, Width(texts[i]));
    }
    return widest;
}

int LabelWidth(const QLabel* label, const QStringList& texts)
{
    const QFontMetrics fm(label->font());
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, fm.horizontalAdvance(Shown(text)));
    return widest + LabelChrome(label);
}

int LabelWidth(const QLabel* label, const QStringList& texts, CharacterWidths& widths)
{
    if (widths.Font() != label->font())
        return LabelWidth(label, texts);
    QStringList shown;
    for (const QString& text : texts)
        shown << Shown(text);
    return qCeil(widths.Widest(shown)) + LabelChrome(label);
}

int LineEditWidth(const QLineEdit* box, int digits)
{
    const QFontMetrics fm(box->font());
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = box->rect();
    opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
    const QMargins text = box->textMargins();
    const QMargins own = box->contentsMargins();
    // Inside its contents a line edit keeps 2 pixels on either side, and
    // scrolls once the cursor after the last character would leave the box.
    constexpr int kInnerMargins = 2 * 2 + 1;
    const int needed = std::max(0, digits) * WidestDigit(fm) + kInnerMargins + text.left() + text.right() +
                       own.left() + own.right();
    return box->width() - contents.width() + needed;
}

int ComboWidth(const QComboBox* list)
{
    const QFontMetrics fm(list->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(list->itemText(i)));
    return ComboChrome(list) + widest;
}

int ComboWidth(const QComboBox* list, CharacterWidths& widths)
{
    if (widths.Font() != list->font())
        return ComboWidth(list);
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return ComboChrome(list) + qCeil(widths.Widest(items));
}

} // namespace yomari::fit
