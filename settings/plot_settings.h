#pragma once
// What a plot is made with, decoded once from the three records and the knife and outline files
// into plain values: flags stored inverted, sorts the window does not offer, pages stored as 0,
// the packed PD limit and the typed header and footer are read here and nowhere else. Everything
// past this (the drawing's options, trzn-plot's HP-GL copy) works from this value, never from a
// record.

#include <array>
#include <cstdint>
#include <string>

#include "settings/knife_file.h"
#include "settings/pd_limit.h"
#include "settings/records.h"

enum class PathSort {
    None,         // nearest next (line optimisation) or document order
    InsideFirst,  // sort B: what lies inside a closed path before it
    Bands,        // sort C: bands along the paper, one way
};

struct PenSetup {
    int number = 13;                   // SP n, 1 to 14
    bool coloured = false;             // its colour takes part in automatic selection
    int thick = 0;                     // mm x 100 as stored; below 0 as wrongly stored
    int red = 0, green = 0, blue = 0;  // 0..10000
    friend bool operator==(const PenSetup&, const PenSetup&) = default;
};

// The print record's page: its points divided by the scale, and the scale (below 0: turned).
struct PageSetup {
    int widthPoints = 0, heightPoints = 0;
    int scalePercent = 100;
    friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

struct FrameSetup {
    bool use = false;
    int tool = 0;                                  // as stored: checked where it is used
    int left = 0, right = 0, bottom = 0, top = 0;  // points
    friend bool operator==(const FrameSetup&, const FrameSetup&) = default;
};

struct PerforationSetup {
    bool use = false;
    int tool = 0;
    int cutForce = 0, skipForce = 0;
    int cutLength = 0, skipLength = 0;  // 0.1 mm
    friend bool operator==(const PerforationSetup&, const PerforationSetup&) = default;
};

struct OutputSetup {
    int64_t stepsPerInch = 0;              // as stored: 0 for HP-GL's own 1016
    Pdlm pd = HeldPdlm(UnpackPdlmopt(0));  // held to what a plotter can be given
    std::string typedHeader, typedFooter;  // as stored, escapes and all
    // The device commands as bytes, or why the typed text can't be sent (the footer is only
    // decoded once the header could be).
    std::string header, footer;
    std::string headerProblem, footerProblem;
    friend bool operator==(const OutputSetup&, const OutputSetup&) = default;
};

struct PlotSettings {
    PageSetup page;
    std::array<PenSetup, kPenCount> pens{};
    bool automaticPens = false;
    bool optimised = true;
    PathSort sort = PathSort::None;
    bool merge = false;
    bool autoSplit = false;
    bool rollFeed = false;
    int rollLengthPoints = 0;  // as stored: 0 for none, below 0 wrongly stored
    // The page range as the configuration window shows it: the configuration's pages, which the
    // window always stores as 1 or more. A configuration page of 0 (written before the window
    // ever stored a range) shows the print record's job page there instead, and so plots it:
    // reading 0 as 1 would quietly plot the first panel alone.
    int firstPage = 1, lastPage = 1;
    FrameSetup frame;
    PerforationSetup perforation;
    OutputSetup output;
    KnifeSettings knife;
    // "every outline": each shape's lines whole, white ones too (layered vinyl, each colour cut
    // whole); otherwise what the drawing shows: lines a later opaque shape covers are left out,
    // and white is the paper unless a pen is white.
    bool everyOutline = false;
    friend bool operator==(const PlotSettings&, const PlotSettings&) = default;
};

// A fresh serial record (all zero) and no knife leave the plot as the page and pens give it;
// `everyOutline` as the outline file (settings/outline_file.h) or the command line holds it.
PlotSettings DecodePlotSettings(const TPrint& print, const TPrConfig& config,
                                const TSrConfig& serial, const KnifeSettings& knife,
                                bool everyOutline = false);

// The output tab's part alone: all a plot of HP-GL takes of the settings.
OutputSetup DecodeOutputSetup(const TSrConfig& serial);

// The page and pens alone, as a fresh serial record and no knife give them.
PlotSettings DecodePlotSettings(const TPrint& print, const TPrConfig& config);

// The value back into the fields it was decoded from, in their stored form; the page is left as
// it is (the print record holds it as the page preview computes it). A value decoded from odd
// stored fields is written as what they meant: decoding the result gives the same value.
void EncodePlotSettings(const PlotSettings& settings, TPrConfig* config, TSrConfig* serial,
                        KnifeSettings* knife, bool* everyOutline);
