#include "drawing/stages/stroke_stage.h"

#include <algorithm>

void StrokeStage::AddNote(const Note& note) {
    if (std::find(_notes.begin(), _notes.end(), note) == _notes.end()) _notes.push_back(note);
}

StageChain::StageChain(StageList stages, StrokeSink& end) : _stages(std::move(stages)), _end(end) {
    _links.reserve(_stages.size());
    for (size_t i = 0; i < _stages.size(); ++i) _links.emplace_back(*this, i);
}

// A drawn line of one point draws nothing; a stage may still make one (a knife's path of a line
// with no length), which the writer writes as the move it is.
void StageChain::Draw(const Stroke& stroke) {
    if (stroke.points.size() >= 2) Send(0, stroke);
}

void StageChain::Send(size_t index, const Stroke& stroke) {
    if (_end.refused()) return;
    if (index == _stages.size())
        _end.Draw(stroke);
    else
        _stages[index]->Pass(stroke, _links[index]);
}

void StageChain::Finish() {
    for (size_t i = 0; i < _stages.size() && !_end.refused(); ++i) _stages[i]->Finish(_links[i]);
}

std::vector<Note> StageChain::Notes() const {
    std::vector<Note> all;
    for (const auto& stage : _stages)
        all.insert(all.end(), stage->notes().begin(), stage->notes().end());
    return all;
}

std::optional<Note> StageChain::Multiplies() const {
    for (auto it = _stages.rbegin(); it != _stages.rend(); ++it)
        if (std::optional<Note> says = (*it)->Multiplies()) return says;
    return {};
}
