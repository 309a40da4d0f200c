#pragma once
// How a drawing's elements refer to one another, gathered as the sanitizer reads them without
// building anything:
// - how many elements it puts on the page once every <use> is followed: a <use> draws the whole
//   of what it names, so uses of uses multiply (ten uses of ten uses of ... a shape), and a small
//   file can ask for billions of shapes;
// - how many markers it draws: a shape draws its markers at its vertices, and a marker's own
//   shapes may carry markers in turn (600 vertices, three deep, are 216 million markers from a
//   file of a few kilobytes);
// - which clip paths, masks, markers and patterns refer to themselves, directly or round a
//   cycle: librsvg leaves such a reference out where the cycle closes, which can leave out
//   whole shapes, so the plot must say so.

#include <QHash>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

enum class RefKind : uint8_t { Other, ClipPath, Mask, Marker, Pattern };

class UseFanout {
public:
    // In document order: an element opens (with its id and, for a <use>, the local id it names),
    // then its children, then it closes.
    void Open(QStringView id, QStringView useTarget, RefKind kind = RefKind::Other);
    void Close();
    // The open element refers to `id` (a url(#id) in a property, an href): what it draws
    // includes what that element draws.
    void Refer(QStringView id);
    // The open element draws the marker `id` at `times` of its vertices.
    void ReferMarker(QStringView id, int64_t times);
    // The open element is a shape with `vertices` vertices: a style sheet's markers go on it.
    void Shape(int64_t vertices);
    // Markers a style sheet puts on shapes, whatever its selectors: each shape is taken to draw
    // them at every vertex.
    void SheetMarker(QStringView id);

    // The elements drawn with every use followed, at most `limit` (counting stops there); -1 when
    // a use names itself or an element containing it (it would never end).
    // With `markers`, the markers each draws count too, nested as deep as they can be (librsvg
    // draws none within itself); markers nested more than kMaxMarkerDepth deep count as
    // `limit`.
    int64_t Instances(int64_t limit, bool markers = false) const;

    // For each kind other than Other, the id of one element of that kind on a reference cycle.
    std::vector<std::pair<RefKind, QString>> SelfReferring() const;

    static constexpr int kMaxMarkerDepth = 64;

private:
    struct Graph {
        std::vector<int32_t> first, children, target;
        // Per element the markers it draws (the marker's index, how often), by element.
        std::vector<std::pair<int32_t, std::pair<int32_t, int64_t>>> drawn;
        std::vector<int32_t> markerFirst;
    };
    // The weight of every element, each marker it draws weighing what `markers` gives (none
    // drawn without); false when a use names what contains it.
    bool Weights(const Graph& g, int64_t limit, const std::vector<int64_t>* markers,
                 std::vector<int64_t>* weight) const;

    // Per element the first index of its children, then the children, in document order.
    void Children(std::vector<int32_t>* first, std::vector<int32_t>* children) const;

    std::vector<int32_t> _parent;                    // per element, -1 for the root
    std::vector<std::pair<int32_t, QString>> _uses;  // a use's index and the id it names
    std::vector<std::pair<int32_t, QString>> _refs;  // an element's index and an id it refers to
    struct MarkerRef {
        int32_t index;
        QString id;
        int64_t times;
    };
    std::vector<MarkerRef> _markers;
    std::vector<std::pair<int32_t, int64_t>> _shapes;  // a shape's index and its vertices
    std::vector<QString> _sheetMarkers;
    std::vector<RefKind> _kind;
    QHash<int32_t, QString> _kindIds;  // the id of each element of a kind other than Other
    QHash<QString, int32_t> _ids;
    std::vector<int32_t> _open;
};
