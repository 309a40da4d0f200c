#pragma once
// What the configuration window's page preview shows, computed without a widget: the page the
// print record would describe if the window were stored now. The inputs go through the same
// rounding and the same CalcPageWidth as storing, on scratch records, so the preview can't
// disagree with what OK writes.

#include <QRectF>
#include <QSizeF>
#include <cstdint>

#include "settings/records.h"

// The paper section and the margins as the controls hold them, already read as numbers.
struct PageInputs {
    double width = 0;    // points, as the paper lies unturned (size field converted by its unit)
    double height = 0;
    double scale = 100;  // the scale field, read as storing reads it (its magnitude)
    bool turned = false; // THPrConfig.papervhf
    bool roll = false;   // the roll paper check box
    Rect cmargin = {};   // points, as the margin fields store them
    Rect rmargin = {};
    bool weeding = false;  // the K margin check box
    Rect kmargin = {};     // points, as the K margin fields store them
};

// The values storing hands to CalcPageWidth for these inputs.
struct PageArgs {
    int16_t width;
    int16_t height;
    int16_t scale;  // signed: negative for a turned page
    int16_t roll;
};
PageArgs PageArgsFor(const PageInputs& in);

struct PagePreview {
    // False when the size fields give no paper (nothing typed, or a size not above 0): the
    // preview then shows a note and nothing else is meaningful.
    bool hasPaper = false;
    // The paper as it lies in the plotter, in points: never turned, as the margins are measured.
    QSizeF paper;
    // The printable area on that paper, in points (origin at the paper's top-left corner).
    QRectF printable;
    // The page lies a quarter turn on the paper: its top along the paper's left edge, its left
    // edge along the paper's bottom, as the plot is drawn.
    bool turned = false;
    // The printable area in plot units: THPrint.prInfo.rPage, whose size follows the scale.
    int16_t plotWidth = 0;
    int16_t plotHeight = 0;
    int16_t scale = 100;  // the signed scale the record holds
    // The margins leave no printable area.
    bool marginsTooLarge = false;
    // A scaled length left the 16-bit range: the record holds wrapped values, and the area
    // drawn is not what the plot will get.
    bool outOfRange = false;
    TPrint print = {};  // the scratch print record the preview was read from
    // With the weeding frame: where lines get their frame whole, the printable area less the K
    // margins (in points on the paper); beyond it the frame is cut along the printable area's
    // edge. Empty without the frame, or when the margins leave nothing.
    QRectF weedingInside;
};

PagePreview ComputePagePreview(const PageInputs& in);
