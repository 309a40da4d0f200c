#pragma once
// The page a fuzz input is converted for, picked by its size so that the seeds stay plain
// drawings: scale (a turned page is a negative one) and whether the plotting options are ticked.

#include <cstddef>
#include <cstring>

#include "settings/geometry.h"
#include "settings/records.h"

struct Page {
    TPrint print{};
    TPrConfig config{};
};

inline Page PageFor(size_t size) {
    Page page;
    TPrPaper paper{};
    std::memset(&page.print, 0, sizeof page.print);
    std::memset(&page.config, 0, sizeof page.config);
    page.config.cmargin = Rect{10, 20, 30, 40};
    mkDefault(&page.print, &page.config, &paper);
    static const int16_t kScales[] = {100, -100, 25, 400};
    CalcPageWidth(&page.print, &page.config, 842, 1191, kScales[size % 4], 0);
    const bool ticked = (size / 4) % 2 == 0;  // stored inverted: 0 is ticked
    page.config.fautopen = ticked ? 0 : 1;
    page.config.foptln = ticked ? 0 : 1;
    page.config.toollist[0] = {1, 30, 0, 0, 0, 1};
    page.config.toollist[1] = {2, 30, 10000, 0, 0, 1};
    page.config.toollist[2] = {3, 30, 0, 0, 10000, 1};
    page.config.toollist[3] = {4, 30, 0, 10000, 0, 0};
    return page;
}

