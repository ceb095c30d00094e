#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;

// Widths that let a control show its whole text in its own font and style:
// windows laid out in twips for one font grow where the font in use needs
// more room.
namespace yomari::fit {

// Widths of texts in one font, each distinct character measured once: the
// main window measures some 500 era names at every start, and shaping each
// name whole took more time than the rest of its layout. A text of kanji is
// as wide as its characters' advances side by side, as fonts neither kern
// nor join them; any other text is measured whole.
class CharacterWidths {
public:
    explicit CharacterWidths(const QFont& font);
    const QFont& Font() const { return m_font; }
    qreal Width(const QString& text);
    // The width of the widest of `texts`. Loading a glyph to learn its
    // advance is the dear part, so only the texts that may be the widest
    // are measured: those longest in kanji, with the font's widest advance
    // for each kanji not yet measured.
    qreal Widest(const QStringList& texts);

private:
    // At least the width of `text`, its width when it is not all kanji.
    qreal Bound(const QString& text);
    qreal Advance(char32_t c, const QString& text, qsizetype at);

    QFont m_font;
    QFontMetricsF m_metrics;
    // The font that sets kanji (the first of the font's families with them)
    // and its widest advance; 0 where it cannot tell.
    QRawFont m_kanjiFont;
    qreal m_widestKanji = 0;
    QHash<char32_t, qreal> m_advances;
};

// Width the label needs to show each of `texts` on one line.
int LabelWidth(const QLabel* label, const QStringList& texts);
// The same, measured by `widths` when they are in the label's font.
int LabelWidth(const QLabel* label, const QStringList& texts, CharacterWidths& widths);

// Width the box needs to show `digits` digits without scrolling.
int LineEditWidth(const QLineEdit* box, int digits);

// Width a word-wrapping label needs so that no line of its text holds a
// single character ("す" broken off a line), at least its width now.
int WrapWidth(const QLabel* label);

// Width the drop-down list needs to show the widest of its entries.
int ComboWidth(const QComboBox* list);
int ComboWidth(const QComboBox* list, CharacterWidths& widths);

} // namespace yomari::fit
