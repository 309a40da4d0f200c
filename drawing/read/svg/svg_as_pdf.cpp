#include "drawing/read/svg/svg_as_pdf.h"

// Kept free of Qt's headers: glib's use a word Qt makes a macro.
#include <cairo-pdf.h>
#include <librsvg/rsvg.h>

#include <memory>

namespace {

constexpr double kPointsPerPx = 72.0 / 96.0;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct Unref {
    void operator()(RsvgHandle* h) const { g_object_unref(h); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    void operator()(cairo_t* c) const { cairo_destroy(c); }
    void operator()(GError* e) const { g_error_free(e); }
};

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

// The canvas in CSS pixels: the drawing's width and height, or its viewBox where it gives
// neither (as the QtSvg route lays it).
bool CanvasPixels(RsvgHandle* handle, double* width, double* height) {
    if (rsvg_handle_get_intrinsic_size_in_pixels(handle, width, height))
        return *width > 0 && *height > 0;
    gboolean hasWidth = false, hasHeight = false, hasViewBox = false;
    RsvgLength w, h;
    RsvgRectangle box;
    rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &w, &hasHeight, &h, &hasViewBox, &box);
    if (!hasViewBox || !(box.width > 0 && box.height > 0)) return false;
    *width = box.width;
    *height = box.height;
    return true;
}

}  // namespace

SvgAsPdf SvgToPdf(const char* xml, size_t size) {
    SvgAsPdf out;
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, Unref> handle(
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(xml), size, &error));
    if (!handle) {
        std::unique_ptr<GError, Unref> owned(error);
        out.error = error ? Note(OneLine(error->message)) : Note(NoteId::LibrsvgCouldRead);
        return out;
    }
    rsvg_handle_set_dpi(handle.get(), 96);
    double width = 0, height = 0;
    if (!CanvasPixels(handle.get(), &width, &height)) return out;
    out.sized = true;
    std::unique_ptr<cairo_surface_t, Unref> surface(cairo_pdf_surface_create_for_stream(
        Append, &out.pdf, width * kPointsPerPx, height * kPointsPerPx));
    {
        std::unique_ptr<cairo_t, Unref> cr(cairo_create(surface.get()));
        cairo_scale(cr.get(), kPointsPerPx, kPointsPerPx);
        // Cairo writes a dash pattern shorter than its tolerance as another pattern of that
        // length, or as a solid line, without a word. At its finest (1/256 pt) that is far
        // below what the plot draws as dashes at any scale short of 36 times, so the figure
        // that decides (finer than the plotter draws: solid, with a note) is the plot's own,
        // as on every other route.
        cairo_set_tolerance(cr.get(), 1.0 / 256);
        const RsvgRectangle viewport{0, 0, width, height};
        if (!rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error)) {
            std::unique_ptr<GError, Unref> owned(error);
            out.error = error ? Note(OneLine(error->message)) : Note(NoteId::LibrsvgCouldPaint);
        }
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS && !out.error)
        out.error = Note(cairo_status_to_string(cairo_surface_status(surface.get())));
    if (out.error) out.pdf.clear();
    return out;
}
