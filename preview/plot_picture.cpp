#include "preview/plot_picture.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "hpgl/hpgl_reader.h"

namespace {

constexpr std::uint64_t kUnmarked = std::numeric_limits<std::uint64_t>::max();
// Vertices closer than this (device pixels, each axis) to the last one kept add nothing visible.
constexpr double kMergeDistance = 0.35;
// Paths drawn again on exactly the same pixels (a cutter going over a contour twice, a plot of
// repeated strokes) are recognised by a hash of their pixel positions and not stroked again.
constexpr std::size_t kRecentPaths = 1u << 16;
// Lines up to this wide (device pixels) are drawn as hairlines.
constexpr double kWidestPassedStroke = 3.5;
// Vertices stroked at once (see TStrokeDrawer::Draw).
constexpr std::size_t kStrokePiece = 256;
// Times over the whole picture its lines may be stroked (StrokeBudget).
constexpr double kStrokeCoverage = 256;

bool Cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

std::uint64_t Mix(std::uint64_t h, std::int64_t v) {
    h ^= static_cast<std::uint64_t>(v) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    return h * 0xff51afd7ed558ccdull;
}

// Strokes batches of a streamed plot onto the full picture, and records in the mark grid
// which instruction first inked each cell.
class TStrokeDrawer {
public:
    TStrokeDrawer(QImage& image, const TPlotPalette& palette, const TPlotFrame& frame,
                  bool withMarks, int cell, const std::atomic<bool>* cancel, double budget)
        : _painter(&image), _palette(palette), _frame(frame), _withMarks(withMarks),
          _cell(cell), _cancel(cancel), _budget(budget) {
        _painter.setRenderHint(QPainter::Antialiasing, true);
        // Antialiased strokes wider than a pixel cost the raster engine a path each, ten to a
        // hundred times a hairline's. Up to a few pixels wide, hairlines side by side look the
        // same at a fraction of that; only very large pictures pay for real wide strokes.
        _cosmetic = frame.lineWidth < kWidestPassedStroke;
        _spread = frame.lineWidth < 1.75 ? 0 : (frame.lineWidth - 1) / 2;
        // What a pixel of line costs against the budget: five passes for a widened hairline,
        // the width for a real wide stroke.
        _weight = !_cosmetic ? frame.lineWidth : _spread > 0 ? 5 : 1;
        _pen.setCapStyle(Qt::RoundCap);
        _pen.setJoinStyle(Qt::RoundJoin);
        if (withMarks) {
            _cellsWide = (image.width() + cell - 1) / cell;
            _cellsHigh = (image.height() + cell - 1) / cell;
            _grid.assign(static_cast<std::size_t>(_cellsWide) * _cellsHigh, kUnmarked);
        }
    }

    void Batch(const THpglPlot& batch) {
        for (const THpglPath& path : batch.paths) {
            if (_cut || Cancelled(_cancel)) return;
            Path(batch, path);
        }
    }

    // The stroke budget ran out: the picture ends part way through the plot.
    bool cut() const { return _cut; }
    double stroked() const { return _stroked; }

    int cellsWide() const { return _cellsWide; }
    int cellsHigh() const { return _cellsHigh; }
    std::vector<std::uint64_t>& grid() { return _grid; }
    std::vector<TPenMark>& pen() { return _penMarks; }
    std::size_t segments() const { return _segments; }  // drawn, up to the cut
    // How far from a line's centre its pixels reach.
    double reach() const { return _cosmetic ? 1 + _spread : _frame.lineWidth / 2 + 0.5; }

private:
    void Path(const THpglPlot& batch, const THpglPath& path) {
        if (path.pointCount < 2) return;
        const THpglPoint* points = batch.points.data() + path.firstPoint;
        const std::uint64_t* offsets = batch.segmentOffsets.data() + path.firstSegment;
        _kept.clear();
        _keptOffsets.clear();
        _keptVertex.clear();
        std::uint64_t hash = Mix(static_cast<std::uint64_t>(path.pen), static_cast<int>(path.kind));
        for (std::size_t i = 0; i < path.pointCount; ++i) {
            const QPointF at = _frame.Map(points[i]);
            // A vertex carries the offset of the segment that ends there; the first one that of
            // the segment leaving it.
            const std::uint64_t offset = offsets[i == 0 ? 0 : i - 1];
            const bool last = i + 1 == path.pointCount;
            if (!_kept.empty()) {
                const QPointF d = at - _kept.back();
                if (std::abs(d.x()) < kMergeDistance && std::abs(d.y()) < kMergeDistance) {
                    _keptOffsets.back() = offset;
                    _keptVertex.back() = i;
                    if (!last) continue;
                    if (_kept.size() > 1) {
                        _kept.back() = at;
                        continue;
                    }
                }
            }
            _kept.push_back(at);
            _keptOffsets.push_back(offset);
            _keptVertex.push_back(i);
            hash = Mix(Mix(hash, std::llround(at.x() * 4)), std::llround(at.y() * 4));
        }
        std::uint64_t& recent = _recent[hash & (kRecentPaths - 1)];
        if (recent == hash) {  // the same pixels again: already drawn and marked
            _segments += path.SegmentCount();
            RecordPen();
            return;
        }
        recent = hash;
        if (!FitBudget()) {
            _segments += _keptVertex.back();
            if (_kept.size() < 2) return;
        } else {
            _segments += path.SegmentCount();
        }
        RecordPen();
        Stroke(path);
        if (_withMarks) Mark();
    }

    // Keeps of the path what the stroke budget still allows; false when the budget ran out on
    // it (it is then cut after its last vertex that fits, and nothing is drawn after it).
    bool FitBudget() {
        double length = 0;
        for (std::size_t i = 1; i < _kept.size(); ++i) {
            const QPointF d = _kept[i] - _kept[i - 1];
            const double step = std::hypot(d.x(), d.y()) * _weight;
            if (_stroked + length + step > _budget) {
                _kept.resize(i);
                _keptOffsets.resize(i);
                _keptVertex.resize(i);
                _stroked += length;
                _cut = true;
                return false;
            }
            length += step;
        }
        _stroked += length;
        return true;
    }

    void Stroke(const THpglPath& path) {
        if (path.pen != _currentPen || path.kind != _currentKind) {
            _pen.setColor(_palette.Colour(path.pen));
            // Label boxes stand for text, not for a line the pen draws.
            _pen.setStyle(path.kind == THpglPathKind::Label ? Qt::DashLine : Qt::SolidLine);
            if (_cosmetic) {
                _pen.setCosmetic(true);
                _pen.setWidthF(1);
            } else {
                _pen.setWidthF(path.kind == THpglPathKind::Label
                                   ? std::max(1.0, _frame.lineWidth / 2)
                                   : _frame.lineWidth);
            }
            _painter.setPen(_pen);
            _currentPen = path.pen;
            _currentKind = path.kind;
        }
        if (_cosmetic && _spread > 0) {
            const double h = _spread;
            for (const QPointF shift : {QPointF(0, 0), QPointF(h, 0), QPointF(-h, 0),
                                        QPointF(0, h), QPointF(0, -h)}) {
                _painter.translate(shift);
                Draw();
                _painter.translate(-shift);
            }
        } else {
            Draw();
        }
    }

    // In pieces of kStrokePiece vertices, each starting where the last ended. A wide pen's
    // polyline is filled as one outline whose every scanline crosses all its edges: a long line
    // going back and forth over the picture costs the square of its length, and its outline
    // the memory of all its joins at once. With round caps and joins the pieces look the same,
    // and a cancel is heard between them.
    void Draw() {
        if (_kept.size() == 1) {
            _painter.drawPoint(_kept.front());
            return;
        }
        for (std::size_t from = 0; from + 1 < _kept.size(); from += kStrokePiece - 1) {
            if (from > 0 && Cancelled(_cancel)) return;
            const std::size_t count = std::min(kStrokePiece, _kept.size() - from);
            _painter.drawPolyline(_kept.data() + from, static_cast<int>(count));
        }
    }

    void Mark() {
        for (std::size_t i = 0; i < _kept.size(); ++i) {
            const std::size_t from = i == 0 ? 0 : i - 1;
            MarkLine(_kept[from], _kept[i], _keptOffsets[i]);
        }
    }

    // Bresenham over the grid. Offsets only grow along the file, so a cell ends up with the last
    // instruction that inks it: the one whose colour the full picture holds there, and the
    // cell turns to full colour only once every instruction inking it has begun to go out.
    void MarkLine(QPointF a, QPointF b, std::uint64_t offset) {
        int x0 = static_cast<int>(std::floor(a.x() / _cell));
        int y0 = static_cast<int>(std::floor(a.y() / _cell));
        const int x1 = static_cast<int>(std::floor(b.x() / _cell));
        const int y1 = static_cast<int>(std::floor(b.y() / _cell));
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        while (true) {
            if (x0 >= 0 && y0 >= 0 && x0 < _cellsWide && y0 < _cellsHigh) {
                _grid[static_cast<std::size_t>(y0) * _cellsWide + x0] = offset;
            }
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

    void RecordPen() {
        if (++_penCount % _penStride != 0) return;
        if (_penMarks.size() >= kMostPenMarks) {
            // Keep every other mark and take half as many from now on: the track stays even
            // over the whole plot at half the detail.
            std::size_t keep = 0;
            for (std::size_t i = 1; i < _penMarks.size(); i += 2) _penMarks[keep++] = _penMarks[i];
            _penMarks.resize(keep);
            _penStride *= 2;
        }
        _penMarks.push_back({_keptOffsets.back(), static_cast<float>(_kept.back().x()),
                             static_cast<float>(_kept.back().y())});
    }

    QPainter _painter;
    const TPlotPalette& _palette;
    const TPlotFrame& _frame;
    const bool _withMarks;
    const int _cell;
    const std::atomic<bool>* _cancel;
    const double _budget;
    double _weight = 1;
    double _stroked = 0;
    bool _cut = false;
    bool _cosmetic = true;
    double _spread = 0;  // hairlines this far either side of the centre make a wider line
    QPen _pen;
    int _currentPen = std::numeric_limits<int>::min();
    THpglPathKind _currentKind = THpglPathKind::Line;
    std::vector<QPointF> _kept;
    std::vector<std::uint64_t> _keptOffsets;
    std::vector<std::size_t> _keptVertex;  // which vertex of the path each kept one stands for
    std::vector<std::uint64_t> _recent = std::vector<std::uint64_t>(kRecentPaths, 0);
    int _cellsWide = 0;
    int _cellsHigh = 0;
    std::vector<std::uint64_t> _grid;
    std::vector<TPenMark> _penMarks;
    std::size_t _penCount = 0;
    std::size_t _penStride = 1;
    std::size_t _segments = 0;
};

// Grows each marked cell over `radius` cells around it (a line's antialiased edge lies beside
// the cell its centre crossed), keeping the latest offset where marks meet.
std::uint64_t Later(std::uint64_t a, std::uint64_t b) {
    if (a == kUnmarked) return b;
    if (b == kUnmarked) return a;
    return std::max(a, b);
}

void Spread(std::vector<std::uint64_t>& grid, int wide, int high, int radius) {
    if (radius <= 0 || wide <= 0 || high <= 0) return;
    std::vector<std::uint64_t> row(grid.size());
    for (int y = 0; y < high; ++y)
        for (int x = 0; x < wide; ++x) {
            std::uint64_t best = kUnmarked;
            for (int k = std::max(0, x - radius); k <= std::min(wide - 1, x + radius); ++k)
                best = Later(best, grid[static_cast<std::size_t>(y) * wide + k]);
            row[static_cast<std::size_t>(y) * wide + x] = best;
        }
    for (int y = 0; y < high; ++y)
        for (int x = 0; x < wide; ++x) {
            std::uint64_t best = kUnmarked;
            for (int k = std::max(0, y - radius); k <= std::min(high - 1, y + radius); ++k)
                best = Later(best, row[static_cast<std::size_t>(k) * wide + x]);
            grid[static_cast<std::size_t>(y) * wide + x] = best;
        }
}

// The pale twin of the full picture: every pixel on the paper mixed towards white as
// PaleColour mixes a pen's colour, so antialiased edges pale alike.
QImage PaleOf(const QImage& full, const QRect& paper) {
    QImage pale = full.copy();
    std::array<std::uint32_t, 256> mix{};
    for (int c = 0; c < 256; ++c) mix[static_cast<std::size_t>(c)] = PaleColour(QColor(c, c, c)).red();
    const QRect area = paper.intersected(pale.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pale.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgba(mix[qRed(p)], mix[qGreen(p)], mix[qBlue(p)], qAlpha(p));
        }
    }
    return pale;
}

}  // namespace

bool TPlotPicture::PenAt(std::int64_t sentBytes, QPointF& where) const {
    if (sentBytes <= 0) return false;
    const auto it = std::upper_bound(
        pen.begin(), pen.end(), static_cast<std::uint64_t>(sentBytes - 1),
        [](std::uint64_t offset, const TPenMark& m) { return offset < m.offset; });
    if (it == pen.begin()) return false;
    where = QPointF(std::prev(it)->x, std::prev(it)->y);
    return true;
}

double StrokeBudget(QSize pixels) {
    return kStrokeCoverage * std::max(0, pixels.width()) * std::max(0, pixels.height());
}

namespace {

THpglOptions ReadAt(int stepsPerInch) {
    THpglOptions options;
    options.stepsPerInch = stepsPerInch;
    return options;
}

}  // namespace

TPlotExtent MeasurePlot(int fd, const std::atomic<bool>* cancel, int stepsPerInch) {
    TPlotExtent extent;
    const THpglStreamResult read = ReadHpglStream(
        fd, ReadAt(stepsPerInch),
        [&](const THpglPlot& batch) { extent.segments += batch.SegmentCount(); },
        [cancel] { return !Cancelled(cancel); });
    extent.readable = read.readable && read.finished;
    extent.bounds = read.bounds;
    extent.truncated = read.truncated;
    return extent;
}

TPlotPicture DrawPlotPicture(int fd, const TPlotPalette& palette, QSize pixels, qreal ratio,
                             bool withMarks, const std::atomic<bool>* cancel,
                             const TPlotExtent* known, int stepsPerInch) {
    const auto ended = [](TPictureStatus status) {
        TPlotPicture nothing;
        nothing.status = status;
        return nothing;
    };
    const TPlotExtent extent = known ? *known : MeasurePlot(fd, cancel, stepsPerInch);
    if (Cancelled(cancel)) return ended(TPictureStatus::Cancelled);
    if (!extent.readable) return ended(TPictureStatus::Unreadable);
    if (extent.segments == 0 || pixels.isEmpty()) return ended(TPictureStatus::Empty);
    TPlotPicture picture;
    picture.bounds = extent.bounds;
    picture.full = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    if (picture.full.isNull()) return ended(TPictureStatus::Empty);
    const QRectF area(QPointF(0, 0), QSizeF(pixels));
    picture.frame = FitPlot(extent.bounds, area);
    {
        QPainter painter(&picture.full);
        PaintPaper(painter, area, picture.frame, extent.bounds);
    }
    const std::size_t cells = static_cast<std::size_t>(pixels.width()) * pixels.height();
    picture.cell = 1;
    while (cells / (static_cast<std::size_t>(picture.cell) * picture.cell) > kMostMarkCells)
        ++picture.cell;

    TStrokeDrawer drawer(picture.full, palette, picture.frame, withMarks, picture.cell, cancel,
                         StrokeBudget(pixels));
    // Past the cut nothing more is drawn, so the read ends there too.
    const THpglStreamResult read = ReadHpglStream(
        fd, ReadAt(stepsPerInch), [&](const THpglPlot& batch) { drawer.Batch(batch); },
        [&] { return !Cancelled(cancel) && !drawer.cut(); });
    if (Cancelled(cancel)) return ended(TPictureStatus::Cancelled);
    if (!read.readable) return ended(TPictureStatus::Unreadable);
    picture.segments = std::max(extent.segments, drawer.segments());
    picture.drawn = drawer.segments();
    picture.cut = drawer.cut()                          ? TPictureCut::StrokeBudget
                  : extent.truncated || read.truncated ? TPictureCut::SegmentLimit
                                                       : TPictureCut::None;
    picture.stroked = drawer.stroked();
    picture.bytes = read.bytes;
    picture.pen = std::move(drawer.pen());
    if (withMarks) {
        // Inside the paper's edge line, which is no pen's.
        const QRect paper =
            PaperRect(extent.bounds, picture.frame).toAlignedRect().adjusted(2, 2, -2, -2);
        picture.pale = PaleOf(picture.full, paper);
        const int radius = static_cast<int>(std::ceil(drawer.reach() / picture.cell));
        std::vector<std::uint64_t>& grid = drawer.grid();
        Spread(grid, drawer.cellsWide(), drawer.cellsHigh(), radius);
        picture.cellsWide = drawer.cellsWide();
        for (std::size_t i = 0; i < grid.size(); ++i)
            if (grid[i] != kUnmarked) picture.marks.push_back({grid[i], static_cast<std::uint32_t>(i)});
        std::sort(picture.marks.begin(), picture.marks.end(),
                  [](const TPixelMark& a, const TPixelMark& b) { return a.offset < b.offset; });
        picture.pale.setDevicePixelRatio(ratio);
    }
    picture.full.setDevicePixelRatio(ratio);
    picture.status = TPictureStatus::Ready;
    return picture;
}

std::size_t ApplySent(const TPlotPicture& picture, QImage& shown, std::int64_t sentBytes,
                      std::size_t from, QRect* touched) {
    if (sentBytes <= 0 || picture.cellsWide <= 0) return from;
    const auto sent = static_cast<std::uint64_t>(sentBytes);
    const int cell = picture.cell;
    const int wide = shown.width(), high = shown.height();
    std::size_t i = from;
    for (; i < picture.marks.size() && picture.marks[i].offset < sent; ++i) {
        const int cx = static_cast<int>(picture.marks[i].cell % picture.cellsWide) * cell;
        const int cy = static_cast<int>(picture.marks[i].cell / picture.cellsWide) * cell;
        for (int y = cy; y < std::min(cy + cell, high); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(picture.full.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = cx; x < std::min(cx + cell, wide); ++x) out[x] = in[x];
        }
        if (touched) *touched |= QRect(cx, cy, cell, cell);
    }
    return i;
}
