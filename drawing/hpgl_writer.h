#pragma once
// The plot body: pen selections and strokes as HP-GL in whole plotter steps (absolute
// plotting, the initialisation of the framing). Coordinates come from the stored paths, whose
// int32 points lie within the plotter's reach, and from stages that stay near them, so no
// number written can wrap or be non-finite.
//
// The writer only encodes: what the options do to the lines (the knife's path, perforation,
// the weeding frame) is done by the stages before it (stages/plot_stages.cpp); here are the
// plotter's step, the PD limit, the forces a stroke carries, the header and footer, and the
// bytes a body may take.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "drawing/geometry/output_form.h"
#include "drawing/geometry/stroke.h"

// The bytes a conversion may write into its plot bodies: the biggest drawings measured plot
// in under 300 MB, and a plot this size takes a day on the fastest serial line; past it an
// option or a drawing is multiplying lines, and the disk would fill before anyone saw why.
inline constexpr int64_t kMaxPlotBytes = int64_t{512} << 20;

// The input window of a plot `width` by `height` plotter units, in the plotter's own step:
// "0,0,x2,y2".
std::string PlotInputWindow(int32_t width, int32_t height, const OutputForm& output);

class HpglWriter final : public StrokeSink {
public:
    // The header goes first.
    explicit HpglWriter(std::FILE* out, const OutputForm& output = {});

    // How many bytes this body may take (kMaxPlotBytes unless set lower: what is left of it
    // after the plots before).
    void SetCeiling(int64_t bytes) { _ceiling = bytes; }
    // What to blame when shaped strokes took most of a body past its ceiling: the stage that
    // shaped them, and what to set instead.
    void SetShapedBy(std::optional<Note> multiplier) { _shapedBy = std::move(multiplier); }

    void SelectPen(int number) override;
    // Selects the stroke's pen when another is up; pen up to its first point, down through the
    // rest, with the forces it carries.
    void Draw(const Stroke& stroke) override;
    void Refuse(Note why) override;
    bool refused() const override { return _refusal.has_value(); }
    PlotPoint position() const override { return _at; }

    // Pen up and put away, the footer; false when anything could not be written.
    bool Finish();

    int64_t bytes() const { return _bytes; }
    double penUpTravel() const { return _travel; }
    // Why the plot can't be made as set (a stage's refusal, a body past its ceiling, naming
    // what multiplied it); nothing more is written once set.
    const std::optional<Note>& refusal() const { return _refusal; }
    // The system's error number of a write that failed (ENOSPC: the disk is full), else 0.
    int writeError() const { return _writeError; }

private:
    void Put(const char* text);
    void Number(int32_t v);
    void Flush();
    int64_t Written() const { return _bytes + static_cast<int64_t>(_buffer.size()); }

    void MoveTo(const RunPoint& p);
    void LineTo(const RunPoint& p, bool skipRepeats);
    void Force(int value);
    Note Multiplier() const;

    std::FILE* _out;
    OutputForm _output;
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
    int64_t _ceiling = kMaxPlotBytes;
    std::optional<Note> _shapedBy;
    int64_t _shapedBytes = 0;    // of shaped strokes
    int64_t _shapingSince = -1;  // where the shaped stroke being written began, while it is
    std::optional<Note> _refusal;
    int _writeError = 0;
    bool _failed = false;
};
