#pragma once
// trzn-plot --help in a terminal of 80 columns. Qt's parser leaves the program's description
// on one line each paragraph and counts characters, not columns, so a Japanese line of 40
// characters takes 80 columns; every line is wrapped here by the columns it takes.

#include <QString>

// Columns a text takes in a terminal: two for each wide (East Asian) character, one for others.
int TextColumns(const QString& text);

// Each line of `help` wider than `columns` broken at spaces, or between wide characters, its
// continuation lines indented as far as the line's text begins (an option's description, a
// paragraph's first word). A word wider than the line stands alone on its line.
QString WrapHelp(const QString& help, int columns);
