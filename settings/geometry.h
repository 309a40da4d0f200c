#pragma once
// Page geometry of the print record, derived from paper size, signed scale, roll flag and the
// margins of the plotter configuration.

#include <cstdint>

#include "settings/records.h"

// Overwrites the whole print record with defaults for the first paper of the list (or 842 x 1191
// points, cut sheet) at full size.
void mkDefault(THPrint print, THPrConfig config, THPrPaper paper);

// Sets the page-dependent fields from paper width and height (points, unturned), the signed
// scale (negative: turned page) and the roll flag.
void CalcPageWidth(THPrint print, THPrConfig config, int16_t width, int16_t height, int16_t scale,
                   int16_t roll);

// Turns the margins when scale < 0, then divides each side by |scale| / 100.
void FixPageMargin(Rect* r, int16_t scale);
