#pragma once
// Japanese text may break between any two characters, so a sentence a little wider than its
// box wraps with its last character or two ("い。") alone on the next line. Broken here into
// lines of about equal width instead, it reads as written.

#include <QString>

class QFont;

// `text` with line breaks put in so that each paragraph fits `widest` pixels in `font` with its
// lines about equally long (a paragraph that fits stays one line); words are kept whole where
// the text has spaces between them, and a Japanese line breaks after 、 or 。 (or before an
// opening bracket) when one is near the end of the line and no line more is needed for it.
QString BalancedLines(const QString& text, const QFont& font, int widest);

// The width, at most `widest`, at which a word-wrapping label lays `text` out in such lines:
// the widest of its paragraphs' balanced lines. The text itself stays as it is.
int BalancedWidth(const QString& text, const QFont& font, int widest);
