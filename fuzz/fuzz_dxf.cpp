// Any DXF must plot or be refused without crash, overrun, undefined behaviour, leak or hang:
// dxflib's callbacks, the outlines made of them, blocks followed through inserts, and the plot.

#include <sys/mman.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drawing/drawing_plot.h"
#include "plotjob/plot_note.h"
#include "drawing/read/drawing_source.h"
#include "fuzz/fuzz_page.h"
#include "fuzz/fuzz_refusal.h"

namespace {

int gFile = -1;
std::string gPath;

}  // namespace

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char arg0[] = "fuzz_dxf";
    static char* argv[] = {arg0, nullptr};
    new QGuiApplication(argc, argv);
    gFile = memfd_create("drawing.dxf", MFD_CLOEXEC);
    if (gFile < 0) std::abort();
    gPath = "/proc/self/fd/" + std::to_string(gFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Whatever the mutation did to the opening, the input reaches the DXF reader.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (SourceKindOf(bytes) != SourceKind::Dxf) bytes.insert(0, "  0\nSECTION\n  2\nENTITIES\n");
    if (ftruncate(gFile, 0) != 0 ||
        pwrite(gFile, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    const Page page = PageFor(size);
    char* body = nullptr;
    size_t bodySize = 0;
    std::FILE* out = open_memstream(&body, &bodySize);
    const DrawingResult result =
        ConvertDrawing(gPath, DecodePlotSettings(page.print, page.config), out);
    std::fclose(out);
    if (RefusedBadly(result, bodySize)) std::abort();
    std::free(body);
    return 0;
}
