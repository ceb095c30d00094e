#pragma once

#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;

// Widths that let a control show its whole text in its own font and style:
// windows laid out in twips for one font grow where the font in use needs
// more room.
namespace yomari::fit {

// Width the label needs to show each of `texts` on one line.
int LabelWidth(const QLabel* label, const QStringList& texts);

// Width the box needs to show `digits` digits without scrolling.
int LineEditWidth(const QLineEdit* box, int digits);

// Width a word-wrapping label needs so that no line of its text holds a
// single character ("す" broken off a line), at least its width now.
int WrapWidth(const QLabel* label);

// Width the drop-down list needs to show the widest of its entries.
int ComboWidth(const QComboBox* list);

} // namespace yomari::fit
