#pragma once
// Where a DXF's runs are painted, whatever space they come from: the model space laid by its
// extents, a layout's paper space laid by its paper, a viewport's view of the model clipped to
// its frame. Each run takes its colour's pen and its linetype's dashes; what the linetypes did
// otherwise than the drawing asks is said once each at the end.

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <optional>
#include <string>
#include <vector>

#include "drawing/paint/path_engine.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/read/dxf/dxf_walk.h"
#include "drawing/read/reader_contract.h"

// Names as a note lists them: "A", "B".
std::string Named(const std::vector<std::string>& names);

class DxfCanvas {
public:
    // Shapes painted are counted into *shapes.
    DxfCanvas(const Reader& reader, const PaintTarget& target, int64_t* shapes);
    ~DxfCanvas();
    DxfCanvas(const DxfCanvas&) = delete;
    DxfCanvas& operator=(const DxfCanvas&) = delete;

    // The runs `walk` visits from `root`, each at its place then `toDevice` (drawing units to
    // device units), their dashes `dashScale` times what the drawing says, within `clip` (device
    // units; null: everywhere). False once the plot holds no more.
    bool Paint(Walk& walk, const Block& root, const QTransform& toDevice, double dashScale = 1,
               const QPainterPath* clip = nullptr);

    // Ends the painting: what the linetypes did into *notes; why the plot was refused, if it was.
    std::optional<Note> Finish(std::vector<Note>* notes);

private:
    struct LinetypeNotes {
        std::vector<std::string> unknown, complex, noLength, tooFine, tooMany;
        void Add(std::vector<std::string>& list, const QString& name);
    };
    void PaintInLinetype(const QPainterPath& path, const Item& item, const QString& name,
                         const QTransform& toDevice, double dashScale);
    bool Room() const;

    const Reader& _r;
    const PaintTarget& _target;
    PenLines _lines;
    PathCollectorDevice _device;
    QPainter _painter;
    LinetypeNotes _notes;
};
