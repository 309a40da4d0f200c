#pragma once
// A DXF's sheets as the drafting program keeps them: its paper-space layouts (LAYOUT objects,
// with their paper and tab order), the VIEWPORT entities laid on them and the layers each
// viewport freezes. dxflib hands none of these on, so they are gathered from the raw groups
// while the file is prepared for it (dxf_stream.h), and matched with what dxflib read after.

#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A VIEWPORT entity, as the file gives it. Paper units for the frame, model units for the view.
struct DxfViewport {
    std::string owner;  // the block it lies in: "*Paper_Space..."; empty in the model space
    QPointF centre;     // 10/20
    double width = 0, height = 0;           // 40/41
    QPointF viewCentre;                     // 12/22, in the view's own turned coordinates
    QPointF target;                         // 17/27
    double viewHeight = 0;                  // 45
    double twist = 0;                       // 51, degrees
    int id = 0;                             // 69: 1 is the layout's view of its own paper
    int64_t flags = 0;                      // 90
    std::string clipBoundary;               // 340: the entity that clips it, when the flags say so
    std::vector<std::string> frozenLayers;  // 331: handles of LAYER entries
    // Files before layouts (R12, R14) give the view in the entity's MVIEW data instead, and
    // the frozen layers by name.
    std::vector<std::string> frozenLayerNames;
    int status = 1;  // 68: 0 is turned off
    bool off() const { return (flags & 0x20000) != 0 || status == 0; }
    bool clippedByBoundary() const { return (flags & 0x10000) != 0 && !clipBoundary.empty(); }
};

// A LAYOUT object: its AcDbPlotSettings part (paper in mm) and its AcDbLayout part.
struct DxfLayoutData {
    std::string name;              // 1 in AcDbLayout
    int tab = 0;                   // 71
    std::string blockRecord;       // 330 in AcDbLayout: the handle of its BLOCK_RECORD
    QPointF limitsMin, limitsMax;  // 10/20, 11/21, paper units
    double paperWidthMm = 0, paperHeightMm = 0;   // 44/45
    double marginLeftMm = 0, marginBottomMm = 0;  // 40/41
    int paperUnits = 1;                           // 72: 0 inches, 1 millimetres
    int rotation = 0;                             // 73: 0, 1 (90 degrees), 2, 3
    int64_t order = 0;                            // in the file, for layouts of the same tab
};

struct DxfSheetScan {
    std::vector<DxfLayoutData> layouts;
    std::vector<DxfViewport> viewports;
    std::unordered_map<std::string, std::string> layerNames;  // LAYER handle to name
    std::unordered_map<std::string, std::string> blockNames;  // BLOCK_RECORD handle to name
    std::unordered_map<std::string, std::string> styleNames;  // STYLE handle to name
    // DIMSTYLE name (upper case) to the handle of its text style (DIMTXSTY, group 340).
    std::unordered_map<std::string, std::string> dimensionTextStyles;
    // Closed outlines in paper space by handle (LWPOLYLINE), for non-rectangular viewports.
    std::unordered_map<std::string, std::vector<QPointF>> outlines;
    // $PLIMMIN, $PLIMMAX: the paper of a file that has no LAYOUT objects.
    QPointF paperMin, paperMax;
    int64_t viewportsInModel = 0;  // a viewport in the model space views nothing
    int64_t droppedViewports = 0;  // beyond kMaxDxfViewports
};

// Beyond these the file's tables are not a drawing's: the rest is not kept.
inline constexpr size_t kMaxDxfViewports = 100'000;
inline constexpr size_t kMaxDxfLayouts = 10'000;

// Fed every group of the file in order.
class DxfSheetScanner {
public:
    void Group(int code, std::string_view value);
    DxfSheetScan Finish();

private:
    void Begin(std::string_view kind);
    void End();
    void Layout(int code, std::string_view value, double number);
    void Viewport(int code, std::string_view value, double number);
    void Outline(int code, double number);
    void Header(int code, std::string_view value);
    void Mview(int code, std::string_view value);

    DxfSheetScan _scan;
    std::string _section, _kind, _block, _subclass, _handle, _name, _variable, _textStyle;
    bool _sectionName = false, _paper = false;
    DxfLayoutData _layout;
    DxfViewport _viewport;
    std::vector<QPointF> _points;
    bool _closed = false;
    // The MVIEW data of the VIEWPORT being read: where in it, and what it said.
    struct MviewData {
        bool inside = false, seen = false;
        int depth = 0, points = 0, reals = 0;
        QPointF target, centre;
        double twist = 0, height = 0;
    } _view;
};
