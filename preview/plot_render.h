#pragma once
// Paints a plot read by the HP-GL reader onto any QPaintDevice, in the pens' colours of the
// plotter configuration, with the part already sent in full colour and the rest pale. No widget:
// the sender's panel and the trzn-render command share the colours and the frame; TPlotRenderer
// paints a plot held whole in memory (small plots, tests), plot_picture.h streams a file.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <array>
#include <cstddef>
#include <cstdint>

#include "hpgl/hpgl_plot.h"
#include "settings/records.h"

class QPainter;

// A pen entry with fcolor 0 has no colour of its own: neutral dark grey reads as "some pen" on
// white paper without suggesting a colour the plotter won't use.
inline constexpr QRgb kPenWithoutColour = qRgb(0x55, 0x55, 0x55);
// An HP-GL pen number no entry speaks for.
inline constexpr QRgb kUnknownPen = qRgb(0, 0, 0);

// Which pen entry (0-based index into toollist) draws HP-GL pen `pen`, or -1 for none.
// The entry whose pen number (tpenid) is `pen` wins, the first of them when several share it:
// that is the pen the user put in that carousel slot. Failing that, entry `pen` (1-based), so a
// configuration whose pen numbers were never set (all 0) still colours SP1..SP10 as listed.
// Anything else (SP0, SP11 and up with no matching tpenid) has no entry.
int PenEntryFor(const TPrConfig& config, int pen);

// The colour a pen entry draws with: its red/green/blue shares (0..10000) when fcolor is 1,
// else kPenWithoutColour. A white pen would vanish on the white paper of the preview, so
// colours that light are shown in a light grey instead.
QColor PenEntryColour(const TPenEntry& entry);

// Colours for HP-GL pen numbers, resolved once from a configuration.
class TPlotPalette {
public:
    TPlotPalette();  // no configuration: every pen is kPenWithoutColour
    explicit TPlotPalette(const TPrConfig& config);
    QColor Colour(int pen) const;

private:
    // Pens 0..kCached-1 are looked up here; the configuration only knows small pen numbers,
    // larger ones fall back to the same rule at Colour().
    static constexpr int kCached = 64;
    std::array<QRgb, kCached> _colours{};
    QRgb _beyond = kUnknownPen;
};

// The lighter twin of a colour for the part not sent yet.
QColor PaleColour(const QColor& colour);

// Segments of the plot whose instruction has at least begun to go out after `sentBytes` bytes
// of the same file: what the preview shows as sent.
std::size_t SentSegments(const THpglPlot& plot, std::int64_t sentBytes);

// Plotter units to device pixels: the plot's bounds fitted into a rectangle with the aspect ratio
// kept, centred, y upwards as the plotter draws.
struct TPlotFrame {
    double scale = 1;
    double lineWidth = 1;  // device pixels; grows with the picture so large renders aren't hairlines
    double originX = 0;  // device x of plot x = 0
    double originY = 0;  // device y of plot y = 0

    QPointF Map(double x, double y) const { return {originX + x * scale, originY - y * scale}; }
    QPointF Map(const THpglPoint& p) const { return Map(p.x, p.y); }
};

// `margin` is a share of the smaller side of `target` kept free around the plot.
TPlotFrame FitPlot(const THpglBox& bounds, const QRectF& target, double margin = 0.04);

// The paper the plot is drawn on, in device pixels: the plot's bounds plus a border.
QRectF PaperRect(const THpglBox& bounds, const TPlotFrame& frame);

// The desk colour over `area`, then the paper with its shadow and edge.
void PaintPaper(QPainter& painter, const QRectF& area, const TPlotFrame& frame,
                const THpglBox& bounds);

enum class TInk { Sent, Unsent };

class TPlotRenderer {
public:
    TPlotRenderer(const THpglPlot& plot, const TPlotPalette& palette)
        : _plot(plot), _palette(palette) {}

    // `area` in the desk colour, the paper, then every segment pale and segments [0, sent) in
    // full colour.
    void PaintAll(QPainter& painter, const QRectF& area, const TPlotFrame& frame,
                  std::size_t sent) const;

    // Segments [from, to) (plot-wide numbers) in one ink, on top of what is there. Used to
    // bring a cached picture up to date as the transfer advances without repainting it all.
    void PaintSegments(QPainter& painter, const TPlotFrame& frame, std::size_t from,
                       std::size_t to, TInk ink) const;

    // Where the pen is after the first `sent` segments: the end of the last of them.
    bool PenPosition(std::size_t sent, THpglPoint& where) const;

private:
    const THpglPlot& _plot;
    const TPlotPalette& _palette;
};

// Background colour around the paper.
inline constexpr QRgb kDeskColour = qRgb(0xd4, 0xd7, 0xdc);

// Height for a picture of the plot `width` pixels wide, keeping the plot's aspect ratio.
int RenderHeightFor(const THpglBox& bounds, int width);

// The whole plot as an image, as sent (every segment in full colour when `sent` is all).
QImage RenderPlotImage(const THpglPlot& plot, const TPlotPalette& palette, QSize size,
                       std::size_t sent);
