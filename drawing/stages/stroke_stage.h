#pragma once
// A stage after the ordering: strokes in, strokes out, one at a time, so that it never holds a
// plot. The stages of a plot are chained, each passing what it makes to the next, the last to
// the writer; which stages a plot has, and in which order, is written down in plot_stages.cpp.

#include <memory>
#include <optional>
#include <vector>

#include "drawing/geometry/stroke.h"

class StrokeStage {
public:
    virtual ~StrokeStage() = default;
    // Passes `stroke` on to `next` as this stage makes it: as it is, changed, in pieces, or not
    // at all; or refuses the plot through `next`.
    virtual void Pass(const Stroke& stroke, StrokeSink& next) = 0;
    // After the plot's last stroke: what the stage adds at the end.
    virtual void Finish(StrokeSink& next) { (void)next; }
    // When the strokes this stage shaped make a plot too big: what multiplied them and what to
    // set instead. Empty for a stage that adds no lines.
    virtual std::optional<Note> Multiplies() const { return {}; }
    // What the stage could not do as asked, each said once.
    const std::vector<Note>& notes() const { return _notes; }

protected:
    void AddNote(const Note& note);

private:
    std::vector<Note> _notes;
};

using StageList = std::vector<std::unique_ptr<StrokeStage>>;

// The stages in turn in front of `end`: what the ordering draws into.
class StageChain final : public StrokeSink {
public:
    StageChain(StageList stages, StrokeSink& end);
    StageChain(const StageChain&) = delete;
    StageChain& operator=(const StageChain&) = delete;

    void SelectPen(int number) override { _end.SelectPen(number); }
    void Draw(const Stroke& stroke) override;
    void Refuse(Note why) override { _end.Refuse(std::move(why)); }
    bool refused() const override { return _end.refused(); }
    PlotPoint position() const override { return _end.position(); }

    // Every stage's Finish in order, what each adds going through the stages after it; nothing
    // once the plot is refused.
    void Finish();
    // The notes of every stage, in the order of the stages.
    std::vector<Note> Notes() const;
    // What the last stage that adds lines says multiplied them; none when none does.
    std::optional<Note> Multiplies() const;

private:
    // What stage `index` passes to: the stage after it, or the end.
    class Link final : public StrokeSink {
    public:
        Link(StageChain& chain, size_t index) : _chain(chain), _index(index) {}
        void SelectPen(int number) override { _chain._end.SelectPen(number); }
        void Draw(const Stroke& stroke) override { _chain.Send(_index + 1, stroke); }
        void Refuse(Note why) override { _chain._end.Refuse(std::move(why)); }
        bool refused() const override { return _chain._end.refused(); }
        PlotPoint position() const override { return _chain._end.position(); }

    private:
        StageChain& _chain;
        size_t _index;
    };

    void Send(size_t index, const Stroke& stroke);

    StageList _stages;
    StrokeSink& _end;
    std::vector<Link> _links;
};
