#include "drawing/read/dxf/dxf_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr size_t kMaxName = 255;
constexpr size_t kMaxFrozen = 4096;
constexpr size_t kMaxOutlinePoints = 4096;
constexpr size_t kMaxOutlines = 100'000;
constexpr size_t kMaxTableEntries = 1'000'000;

double Number(std::string_view value) {
    const std::string text(value.substr(0, 64));
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
}

int Integer(double v) { return std::isfinite(v) && std::abs(v) < 1e9 ? static_cast<int>(v) : 0; }

// Handles are hexadecimal, written in either case.
std::string Handle(std::string_view value) {
    std::string h(value.substr(0, 16));
    std::transform(h.begin(), h.end(), h.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return h;
}

std::string UpperName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

bool PaperBlock(std::string_view name) {
    constexpr std::string_view prefix = "*PAPER_SPACE";
    if (name.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
    return true;
}

void Set(double* field, double v) {
    if (std::isfinite(v)) *field = v;
}

}  // namespace

void DxfSheetScanner::Group(int code, std::string_view value) {
    if (code == 0) {
        End();
        Begin(value);
        return;
    }
    if (_sectionName && code == 2) {
        _section = std::string(value.substr(0, 32));
        _sectionName = false;
        return;
    }
    if (_section == "HEADER") Header(code, value);
    const double number = code >= 10 && code < 300 ? Number(value) : 0;
    if (code == 5) _handle = Handle(value);
    if (code == 67) _paper = Integer(number) == 1;
    if (code == 100) _subclass = std::string(value.substr(0, 32));
    if (_kind == "BLOCK" && code == 2) _block = std::string(value.substr(0, kMaxName));
    if ((_kind == "LAYER" || _kind == "BLOCK_RECORD" || _kind == "STYLE" || _kind == "DIMSTYLE") &&
        code == 2)
        _name = std::string(value.substr(0, kMaxName));
    if (_kind == "DIMSTYLE" && code == 340) _textStyle = Handle(value);
    if (_kind == "LAYOUT") Layout(code, value, number);
    if (_kind == "VIEWPORT" && _section != "TABLES") Viewport(code, value, number);
    if (_kind == "LWPOLYLINE") Outline(code, number);
}

void DxfSheetScanner::Begin(std::string_view kind) {
    _kind = std::string(kind.substr(0, 32));
    std::transform(_kind.begin(), _kind.end(), _kind.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    _sectionName = _kind == "SECTION";
    if (_kind == "ENDSEC") _section.clear();
    if (_kind == "ENDBLK") _block.clear();
    _subclass.clear();
    _handle.clear();
    _name.clear();
    _textStyle.clear();
    _paper = false;
    _layout = DxfLayoutData{};
    _viewport = DxfViewport{};
    _points.clear();
    _closed = false;
    _view = MviewData{};
}

// What the entity just read adds, once its last group is in.
void DxfSheetScanner::End() {
    const bool inPaper = _section == "BLOCKS" ? PaperBlock(_block) : _paper;
    if (_kind == "LAYER" && !_handle.empty() && _scan.layerNames.size() < kMaxTableEntries)
        _scan.layerNames.emplace(_handle, _name);
    if (_kind == "BLOCK_RECORD" && !_handle.empty() && _scan.blockNames.size() < kMaxTableEntries)
        _scan.blockNames.emplace(_handle, _name);
    if (_kind == "STYLE" && !_handle.empty() && _scan.styleNames.size() < kMaxTableEntries)
        _scan.styleNames.emplace(_handle, _name);
    if (_kind == "DIMSTYLE" && !_textStyle.empty() &&
        _scan.dimensionTextStyles.size() < kMaxTableEntries)
        _scan.dimensionTextStyles.emplace(UpperName(_name), _textStyle);
    if (_kind == "LAYOUT" && _scan.layouts.size() < kMaxDxfLayouts) {
        _layout.order = static_cast<int64_t>(_scan.layouts.size());
        _scan.layouts.push_back(std::move(_layout));
    }
    if (_kind == "VIEWPORT" && _section != "TABLES") {
        if (_view.seen && _viewport.viewHeight == 0) {
            _viewport.target = _view.target;
            _viewport.twist = _view.twist;
            _viewport.viewHeight = _view.height;
            _viewport.viewCentre = _view.centre;
        }
        // In the entities section, paper space is the active layout's: its block *Paper_Space.
        _viewport.owner = _section == "BLOCKS" ? _block : (_paper ? "*Paper_Space" : "");
        if (!inPaper)
            ++_scan.viewportsInModel;
        else if (_scan.viewports.size() >= kMaxDxfViewports)
            ++_scan.droppedViewports;
        else
            _scan.viewports.push_back(std::move(_viewport));
    }
    if (_kind == "LWPOLYLINE" && inPaper && _closed && !_handle.empty() && _points.size() >= 3 &&
        _scan.outlines.size() < kMaxOutlines)
        _scan.outlines[_handle] = std::move(_points);
}

void DxfSheetScanner::Layout(int code, std::string_view value, double v) {
    DxfLayoutData& l = _layout;
    if (_subclass == "AcDbPlotSettings") {
        if (code == 40) Set(&l.marginLeftMm, v);
        if (code == 41) Set(&l.marginBottomMm, v);
        if (code == 44) Set(&l.paperWidthMm, v);
        if (code == 45) Set(&l.paperHeightMm, v);
        if (code == 72) l.paperUnits = Integer(v);
        if (code == 73) l.rotation = Integer(v);
    }
    if (_subclass == "AcDbLayout") {
        if (code == 1) l.name = std::string(value.substr(0, kMaxName));
        if (code == 71) l.tab = Integer(v);
        if (code == 330) l.blockRecord = Handle(value);
        if (code == 10 && std::isfinite(v)) l.limitsMin.setX(v);
        if (code == 20 && std::isfinite(v)) l.limitsMin.setY(v);
        if (code == 11 && std::isfinite(v)) l.limitsMax.setX(v);
        if (code == 21 && std::isfinite(v)) l.limitsMax.setY(v);
    }
}

void DxfSheetScanner::Viewport(int code, std::string_view value, double v) {
    DxfViewport& p = _viewport;
    // A number that is not one leaves the field at a value that makes the viewport no view.
    const double n = std::isfinite(v) ? v : 0;
    switch (code) {
        case 10:
            p.centre.setX(n);
            break;
        case 20:
            p.centre.setY(n);
            break;
        case 40:
            p.width = n;
            break;
        case 41:
            p.height = n;
            break;
        case 12:
            p.viewCentre.setX(n);
            break;
        case 22:
            p.viewCentre.setY(n);
            break;
        case 17:
            p.target.setX(n);
            break;
        case 27:
            p.target.setY(n);
            break;
        case 45:
            p.viewHeight = n;
            break;
        case 51:
            p.twist = n;
            break;
        case 69:
            p.id = Integer(v);
            break;
        case 90:
            p.flags = static_cast<int64_t>(
                std::strtoll(std::string(value.substr(0, 20)).c_str(), nullptr, 10));
            break;
        case 340:
            p.clipBoundary = Handle(value);
            break;
        case 68:
            p.status = Integer(v);
            break;
        case 331:  // frozen layers (341 is the UCS)
            if (p.frozenLayers.size() < kMaxFrozen) p.frozenLayers.push_back(Handle(value));
            break;
        default:
            if (code >= 1000) Mview(code, value);
            break;
    }
}

// The MVIEW list of the ACAD application's data: version, target, direction, twist, view
// height, view centre, ... and, in a list of its own, the names of the frozen layers.
void DxfSheetScanner::Mview(int code, std::string_view value) {
    MviewData& d = _view;
    if (code == 1001) {
        d.inside = false;
        return;
    }
    if (code == 1000 && d.depth == 0) {
        d.inside = !d.seen && value == "MVIEW";
        return;
    }
    if (!d.inside) return;
    if (code == 1002) {
        d.depth += value.starts_with("{") ? 1 : -1;
        d.inside = d.depth > 0;
        return;
    }
    const double v = Number(value), n = std::isfinite(v) ? v : 0;
    if (d.depth == 2 && code == 1003 && _viewport.frozenLayerNames.size() < kMaxFrozen)
        _viewport.frozenLayerNames.emplace_back(value.substr(0, kMaxName));
    if (d.depth != 1) return;
    if (code == 1010) ++d.points;
    if (code == 1010 && d.points == 1) d.target.setX(n);
    if (code == 1020 && d.points == 1) d.target.setY(n);
    if (code != 1040) return;
    switch (d.reals++) {
        case 0:
            d.twist = n;
            break;
        case 1:
            d.height = n;
            break;
        case 2:
            d.centre.setX(n);
            break;
        case 3:
            d.centre.setY(n);
            d.seen = true;
            break;
        default:
            break;
    }
}

void DxfSheetScanner::Header(int code, std::string_view value) {
    if (code == 9) _variable = std::string(value.substr(0, 32));
    const bool low = _variable == "$PLIMMIN", high = _variable == "$PLIMMAX";
    if ((!low && !high) || (code != 10 && code != 20)) return;
    const double v = Number(value);
    if (!std::isfinite(v)) return;
    QPointF& p = low ? _scan.paperMin : _scan.paperMax;
    if (code == 10) p.setX(v);
    if (code == 20) p.setY(v);
}

void DxfSheetScanner::Outline(int code, double v) {
    if (code == 70) _closed = (Integer(v) & 1) != 0;
    if (!std::isfinite(v)) return;
    if (code == 10 && _points.size() < kMaxOutlinePoints) _points.emplace_back(v, 0);
    if (code == 20 && !_points.empty()) _points.back().setY(v);
}

DxfSheetScan DxfSheetScanner::Finish() {
    End();
    _kind.clear();
    return std::move(_scan);
}
