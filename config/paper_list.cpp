#include "config/paper_list.h"

#include <algorithm>
#include <cstring>

#include "settings/utility.h"

namespace {

bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The list's count as a usable bound, whatever a damaged record holds.
int16_t ItemCount(const TPrPaper* list) {
    return static_cast<int16_t>(std::clamp<int>(list->pitem_count, 0, kPaperItemMax));
}

void CopyName(char* dst, const char* src, int maxBytes) {
    const int n = SjisFitBytes(src, maxBytes);
    std::memcpy(dst, src, static_cast<size_t>(n));
    dst[n] = '\0';
}

bool NameTaken(const TPrPaper* list, const char* name) {
    const int16_t count = ItemCount(list);
    for (int16_t i = 0; i < count; ++i) {
        if (CompString(list->pitem[i].pname, name) == 0) return true;
    }
    return false;
}

void FillItem(TPrPaperItem& item, const char* name, int16_t width, int16_t height, uint8_t roll) {
    CopyName(item.pname, name, kPaperNameBytes);
    item.pwidth = width;
    item.pheight = height;
    item.pisroll = roll ? 1 : 0;
}

}  // namespace

int SjisFitBytes(const char* s, int maxBytes) {
    int at = 0;
    while (s[at] != '\0') {
        const bool pair = IsSjisLead(static_cast<unsigned char>(s[at])) && s[at + 1] != '\0';
        const int width = pair ? 2 : 1;
        if (at + width > maxBytes) break;
        at += width;
    }
    return at;
}

void AddPaperItem(THPrPaper list, int16_t index, const char* name, int16_t width, int16_t height,
                  uint8_t roll) {
    if (!list || !name) return;
    const int16_t count = ItemCount(list);
    if (count >= kPaperItemMax) return;

    char candidate[kPaperNameSize];
    CopyName(candidate, name, kPaperNameBytes);
    for (int64_t n = 1; NameTaken(list, candidate); ++n) {
        char digits[24];
        Num2String(n, digits);
        const int k = static_cast<int>(std::strlen(digits));
        CopyName(candidate, name, kPaperNameBytes - 1 - k);
        std::strcat(candidate, "_");
        std::strcat(candidate, digits);
    }

    const int16_t place = (index >= 0 && index < count) ? index : count;
    std::memmove(&list->pitem[place + 1], &list->pitem[place],
                 sizeof(TPrPaperItem) * static_cast<size_t>(count - place));
    FillItem(list->pitem[place], candidate, width, height, roll);
    list->pitem_count = static_cast<int16_t>(count + 1);
}

void EdtPaperItem(THPrPaper list, int16_t index, const char* name, int16_t width, int16_t height,
                  uint8_t roll) {
    if (!list || !name) return;
    if (index < 0 || index >= ItemCount(list)) return;
    FillItem(list->pitem[index], name, width, height, roll);
}

void DelPaperItem(THPrPaper list, int16_t index) {
    if (!list) return;
    const int16_t count = ItemCount(list);
    if (index < 0 || index >= count) return;
    std::memmove(&list->pitem[index], &list->pitem[index + 1],
                 sizeof(TPrPaperItem) * static_cast<size_t>(count - 1 - index));
    list->pitem[count - 1] = TPrPaperItem{};
    list->pitem_count = static_cast<int16_t>(count - 1);
}
