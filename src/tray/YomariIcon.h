#pragma once

#include <QIcon>

// The program's icon: the kanji 暦 on a plain square, drawn at the sizes the
// notification area and the window frames ask for.
QIcon YomariIcon();
