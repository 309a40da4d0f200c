#pragma once
// Editing operations on a user paper list. The list keeps the user's order, stays packed (items
// 0 to pitem_count - 1, no gaps) and holds unique names; the settings file and the window's paper
// pop-up rely on all three.

#include <cstdint>

#include "settings/records.h"

// Longest name a paper item holds, in bytes (its buffer keeps one more for the NUL).
inline constexpr int kPaperNameBytes = kPaperNameSize - 1;

// Inserts a paper before item `index`, or appends it when index is not an item. The name is made
// unique by an "_n" suffix (n = 1, 2, ...) and cut to fit the name buffer; cuts count bytes but
// never split a two-byte Shift-JIS character. A full list (99 items) is left unchanged.
void AddPaperItem(THPrPaper list, int16_t index, const char* name, int16_t width, int16_t height,
                  uint8_t roll);

// Overwrites item `index` (name cut as above, not made unique); nothing when it is not an item.
void EdtPaperItem(THPrPaper list, int16_t index, const char* name, int16_t width, int16_t height,
                  uint8_t roll);

// Removes item `index` and packs the rest; the freed last place is cleared.
void DelPaperItem(THPrPaper list, int16_t index);

// Bytes of the Shift-JIS string s that fit in maxBytes without splitting a two-byte character.
int SjisFitBytes(const char* s, int maxBytes);
