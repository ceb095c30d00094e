#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon: the kanji 暦 on a plain square, drawn at the sizes the
// notification area and the window frames ask for.
QIcon YomariIcon();

// The same drawing at one size, for the icon files an installation ships.
QPixmap YomariIconPixmap(int size);
