#pragma once
// The HP-GL instruction interpreter behind ReadHpgl and ReadHpglStream: the pen, the scaling and
// the character state, one member per instruction. The figures the instructions draw (arcs,
// circles, rectangles, wedges, label cells) are plain geometry in hpgl_figures.h.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "hpgl/hpgl_lexer.h"
#include "hpgl/hpgl_options.h"
#include "hpgl/hpgl_path_builder.h"
#include "hpgl/hpgl_plot.h"
#include "hpgl/hpgl_transform.h"

class THpglInterpreter {
public:
    THpglInterpreter(std::string_view bytes, const THpglOptions& options, THpglPlot& plot);
    THpglInterpreter(THpglLexer::Source source, const THpglOptions& options, THpglPlot& plot);

    void Run();
    bool RunInBatches(std::size_t batchPoints, const std::function<void(const THpglPlot&)>& batch,
                      const std::function<bool()>& keepGoing);

private:
    static constexpr char kDefaultTerminator = 0x03;  // ETX
    static constexpr double kDefaultChord = 5;
    // Default absolute character size (SI), centimetres.
    static constexpr double kCharWidthCm = 0.187;
    static constexpr double kCharHeightCm = 0.269;
    // Default relative character size (SR), percent of P2 - P1.
    static constexpr double kCharWidthPercent = 0.75;
    static constexpr double kCharHeightPercent = 1.5;
    static constexpr double kDefaultPatternPercent = 4;

    static double Clamp(double v) { return std::clamp(v, -kHpglNumberLimit, kHpglNumberLimit); }

    // --- state -------------------------------------------------------------------------------
    void DefaultScalingPoints();
    void Initialise();
    void Defaults();
    void Rescale();
    void ApplyRelativeSize();
    bool HandOverWhenFull();

    // --- drawing -----------------------------------------------------------------------------
    bool Drawing() const { return _pen != 0; }
    void EndLine();
    void MoveTo(double x, double y);
    template <typename Vertices>
    void Outline(THpglPathKind kind, Vertices&& vertices);

    // --- parameters --------------------------------------------------------------------------
    // Reads up to `count` numbers; returns how many were read.
    int Numbers(double* values, int count) {
        int n = 0;
        while (n < count && _lexer.NextNumber(values[n])) ++n;
        return n;
    }

    // --- instructions: true when understood ----------------------------------------------------
    bool Dispatch(const char name[2]);
    bool Move(std::optional<bool> absolute, std::optional<bool> down);
    bool SelectPen();
    bool Initialize();
    bool Default();
    bool InputP1P2();
    bool PlotSize();
    bool Scale();
    bool InputWindow();
    bool Circle();
    bool Arc(bool absolute);
    bool Rectangle(bool absolute);
    bool Wedge();
    bool LineType();
    bool DefineTerminator();
    bool CharSize(bool relative);
    bool Label();

    THpglLexer _lexer;
    const THpglOptions& _options;
    THpglPlot& _plot;
    THpglPathBuilder _paths;
    std::uint64_t _offset = 0;  // of the instruction being read
    // Set by RunInBatches only; a whole-input Run never hands over.
    std::size_t _batchPoints = 0;
    const std::function<void(const THpglPlot&)>* _batch = nullptr;
    const std::function<bool()>* _keepGoing = nullptr;
    bool _stopped = false;  // keepGoing said stop in the middle of an instruction

    double _p1x = 0, _p1y = 0, _p2x = 0, _p2y = 0;
    THpglScaling _scaling;
    THpglTransform _transform;
    double _x = 0, _y = 0;  // pen position, plotter units
    bool _penDown = false;
    bool _absolute = true;
    int _pen = 1;
    bool _dotPending = false;
    std::uint64_t _dotOffset = 0;
    THpglLineType _lineType;
    bool _relativeSize = false;
    double _relW = kCharWidthPercent, _relH = kCharHeightPercent;
    double _charW = 0, _charH = 0;
    char _terminator = kDefaultTerminator;
};
