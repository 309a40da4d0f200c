#pragma once
// Every run of a DXF drawing read by Reader, inserts followed, with its transform to the model
// space and its colour and linetype resolved.

#include <QColor>
#include <QSet>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/read/dxf/dxf_reader.h"
#include "plotjob/plot_note.h"

// Beyond these a drawing is refused: blocks inserted into blocks multiply, and a small file can
// ask for billions of entities.
inline constexpr int64_t kMaxDxfDrawn = 4'000'000;
inline constexpr int kMaxDxfNesting = 32;

QColor ColourOf(const DxfColour& c, const QHash<QString, DxfColour>& layers, const QString& layer,
                const DxfColour& byBlock);

// What an entity's linetype names, "by layer" and "by block" followed (upper case).
QString LinetypeOf(const QString& own, const QHash<QString, QString>& layerLinetypes,
                   const QString& layer, const QString& byBlock);

// Refuses a block that inserts itself, nesting too deep and too many entities.
class Walk {
public:
    explicit Walk(const Reader& reader) : _r(reader) {}

    template <typename Visit>
    bool Run(Visit&& visit) {
        return Run(_r.model, visit);
    }
    // From `root` (the model space or a layout's paper space) instead.
    template <typename Visit>
    bool Run(const Block& root, Visit&& visit) {
        _drawn = 0;
        _stack.clear();
        return Into(root, QTransform(), DxfColour{7, -1}, QStringLiteral("CONTINUOUS"), QString(),
                    visit);
    }

    // Layers left out of the walk, inserts on them with all they hold (a viewport's frozen
    // layers); null: none.
    const QSet<QString>* frozen = nullptr;
    // What the last run visited, inserts counted: runs in a viewport add up to the same bound.
    int64_t drawn() const { return _drawn; }

    Note failure;
    std::vector<std::string> missing, missingDimensions;

private:
    template <typename Visit>
    bool Into(const Block& block, const QTransform& m, const DxfColour& byBlock,
              const QString& byBlockLinetype, const QString& insertLayer, Visit& visit) {
        for (const Item& item : block.items) {
            if (item.block.isNull()) {
                _drawn += item.entities;
                if (_drawn > kMaxDxfDrawn) {
                    failure =
                        Note(NoteId::DrawingBlocksMultiplyInto, {std::to_string(kMaxDxfDrawn)});
                    return false;
                }
                // Entities of layer 0 in a block take the layer of the insert.
                const QString& own = item.style.layer;
                const QString layer =
                    own == QLatin1String("0") && !insertLayer.isNull() ? insertLayer : own;
                if (frozen && frozen->contains(layer)) continue;
                visit(item, m, ColourOf(item.style.colour, _r.layers, layer, byBlock),
                      LinetypeOf(item.style.linetype, _r.layerLinetypes, layer, byBlockLinetype));
                continue;
            }
            const QString& placedOn = item.style.layer;
            if (frozen && frozen->contains(placedOn == QLatin1String("0") && !insertLayer.isNull()
                                               ? insertLayer
                                               : placedOn))
                continue;
            const auto found = _r.blocks.constFind(item.block);
            if (found == _r.blocks.constEnd()) {
                const std::string name = item.block.toStdString();
                std::vector<std::string>& list = item.dimension ? missingDimensions : missing;
                if (std::find(list.begin(), list.end(), name) == list.end() && list.size() < 8)
                    list.push_back(name);
                continue;
            }
            if (std::find(_stack.begin(), _stack.end(), item.block) != _stack.end()) {
                failure = Note(NoteId::BlockInsertsItself, {item.block.toStdString()});
                return false;
            }
            if (_stack.size() >= static_cast<size_t>(kMaxDxfNesting)) {
                failure = Note(NoteId::BlocksInsertedIntoBlocks, {std::to_string(kMaxDxfNesting)});
                return false;
            }
            const int64_t copies = static_cast<int64_t>(item.cols) * item.rows;
            if (copies > kMaxDxfDrawn) {
                failure = Note(NoteId::InsertRepeatsBlockTimes, {std::to_string(copies)});
                return false;
            }
            // An entity of colour "by block" takes the insert's own colour.
            const DxfColour& colour = item.style.colour;
            const DxfColour insertColour = colour.rgb < 0 && colour.index == 0 ? byBlock : colour;
            const DxfColour resolved = insertColour.rgb < 0 && insertColour.index == 256
                                           ? _r.layers.value(item.style.layer, DxfColour{7, -1})
                                           : insertColour;
            const QString linetype = LinetypeOf(item.style.linetype, _r.layerLinetypes,
                                                item.style.layer, byBlockLinetype);
            _stack.push_back(item.block);
            for (int row = 0; row < item.rows; ++row) {
                for (int col = 0; col < item.cols; ++col) {
                    // Each copy counts, drawn or not: inserts of empty blocks, or of blocks
                    // that only insert others, multiply the walk as entities do.
                    if (++_drawn > kMaxDxfDrawn) {
                        failure =
                            Note(NoteId::DrawingBlocksMultiplyInto, {std::to_string(kMaxDxfDrawn)});
                        return false;
                    }
                    const QTransform child =
                        QTransform::fromTranslate(-found->base.x(), -found->base.y()) *
                        ArrayPlace(item, col, row) * m;
                    if (!Into(*found, child, resolved, linetype, item.style.layer, visit))
                        return false;
                }
            }
            _stack.pop_back();
        }
        return true;
    }

    // The array steps along the insert's turned axes, unscaled.
    static QTransform ArrayPlace(const Item& item, int col, int row) {
        if (col == 0 && row == 0) return item.place;
        const double angle = std::atan2(item.place.m12(), item.place.m11());
        const double dx = col * item.colSpacing, dy = row * item.rowSpacing;
        return item.place * QTransform::fromTranslate(dx * std::cos(angle) - dy * std::sin(angle),
                                                      dx * std::sin(angle) + dy * std::cos(angle));
    }

    const Reader& _r;
    int64_t _drawn = 0;
    std::vector<QString> _stack;
};
