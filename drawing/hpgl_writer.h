#pragma once
// The plot body: pen selections and polylines as HP-GL in whole plotter units (absolute
// plotting, the initialisation of the framing). Coordinates come from PathSet, whose int32
// points lie within the plotter's reach, so no number written can wrap or be non-finite.
//
// The cutting and output options are the writer's too, since they shape how each line is cut
// once its place in the order is known: the lines of the knife's pen are cut as the holder has
// to move, those of the perforating pen in pieces, the weeding frame last, the coordinates in
// the plotter's own step, and no PD instruction longer than the plotter takes.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "drawing/geometry/path_runs.h"
#include "drawing/stages/cut_options.h"
#include "drawing/stages/path_order.h"
#include "drawing/stages/perforation.h"
#include "drawing/stages/weeding_frame.h"

// The bytes a conversion may write into its plot bodies: the biggest drawings measured plot
// in under 300 MB, and a plot this size takes a day on the fastest serial line; past it an
// option or a drawing is multiplying lines, and the disk would fill before anyone saw why.
inline constexpr int64_t kMaxPlotBytes = int64_t{512} << 20;
// A perforated line cut into more pieces than this (kilometres of 0.1 mm pieces) can't be
// held as its pieces.
inline constexpr size_t kMaxPerforationPieces = size_t{1} << 20;

// The input window of a plot `width` by `height` plotter units, in the plotter's own step:
// "0,0,x2,y2".
std::string PlotInputWindow(int32_t width, int32_t height, const OutputForm& output);

class HpglWriter {
public:
    explicit HpglWriter(std::FILE* out) : HpglWriter(out, CutOptions{}, 0, 0) {}
    // With `cut` for a plot on a printable area `width` by `height` plotter units: the header
    // goes first.
    HpglWriter(std::FILE* out, const CutOptions& cut, int32_t width, int32_t height);

    // How many bytes this body may take (kMaxPlotBytes unless set lower: what is left of it
    // after the plots before).
    void SetCeiling(int64_t bytes) { _ceiling = bytes; }

    void SelectPen(int number);
    // One polyline: pen up to its first point, pen down through the rest, as `step` says.
    void Draw(const PathSet& paths, const PathStep& step);
    // The weeding frame, pen up and put away, the footer; false when anything could not be
    // written.
    bool Finish();

    PlotPoint position() const { return _at; }
    int64_t bytes() const { return _bytes; }
    double penUpTravel() const { return _travel; }
    // What the options could not do as asked, each said once.
    const std::vector<std::string>& notes() const { return _notes; }
    // Why the plot can't be made as set (a perforation it can't hold, a body past its ceiling),
    // naming what multiplied it; nothing more is written once set.
    const std::string& refusal() const { return _refusal; }
    // The system's error number of a write that failed (ENOSPC: the disk is full), else 0.
    int writeError() const { return _writeError; }

private:
    void Put(const char* text);
    void Number(int32_t v);
    void Flush();

    bool Shaped(int pen) const;
    void DrawShaped(std::vector<RunPoint> line);
    void WriteLine(std::span<const RunPoint> line, bool skipRepeats);
    void WritePieces(const std::vector<CutPiece>& pieces);
    void WriteFrame();
    void MoveTo(const RunPoint& p);
    void LineTo(const RunPoint& p, bool skipRepeats);
    void Force(int value);
    void Note(const std::string& note);
    void Refuse(std::string why);
    std::string Multiplier() const;

    std::FILE* _out;
    CutOptions _cut;
    int32_t _width = 0, _height = 0;
    double _scale = 1;  // plotter steps per plotter unit of 0.025 mm
    int _maxPairs = 0, _maxBytes = 0;
    std::string _buffer;
    int64_t _bytes = 0;
    double _travel = 0;
    PlotPoint _at{0, 0};       // where IN leaves the pen
    PlotPoint _written{0, 0};  // _at as written, in the plotter's step
    int _pen = 0;
    bool _inPd = false;  // a PD instruction is open: a pair may follow with a comma
    int _pdPairs = 0, _pdBytes = 0;
    LineBox _box;
    std::vector<std::string> _notes;
    int64_t _ceiling = kMaxPlotBytes;
    int64_t _shapedBytes = 0;    // of lines the knife or the perforation shaped
    int64_t _shapingSince = -1;  // where the line being shaped began, while it is
    std::string _refusal;
    int _writeError = 0;
    bool _failed = false;
};
