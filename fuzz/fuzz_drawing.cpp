// Any file given as a drawing must convert or be refused without crash, overrun, undefined
// behaviour, leak or hang, through every stage from the file's bytes to the plot body.

#include <sys/mman.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
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

// Qt's font database keeps fontconfig's configuration and the fallback patterns it matched for
// the life of the process; nothing of ours is allocated there.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
// Their tally at exit would push the run's own last lines out of the test log's tail.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Text on a path is set by Inkscape, a program of its own: a process per input would fuzz
    // Inkscape, slowly. Without a PATH it is not found, and the text is left out with a note.
    setenv("PATH", "", 1);
    // Qt keeps argc by reference and takes out the options it knows: not libFuzzer's own.
    static int argc = 1;
    static char arg0[] = "fuzz_drawing";
    static char* argv[] = {arg0, nullptr};
    new QGuiApplication(argc, argv);
    // ConvertDrawing reads a path: a file in memory that the reader reopens through /proc.
    gFile = memfd_create("drawing.svg", MFD_CLOEXEC);
    if (gFile < 0) std::abort();
    gPath = "/proc/self/fd/" + std::to_string(gFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // PostScript is run by ghostscript, a program of its own with its own limits: a process
    // per input would fuzz ghostscript, slowly. PDF is poppler's, fuzzed where it is made;
    // DXF has a target of its own.
    const std::string_view head(reinterpret_cast<const char*>(data), std::min<size_t>(size, 4096));
    if (SourceKindOf(head) != SourceKind::Svg) return 0;
    if (ftruncate(gFile, 0) != 0 || pwrite(gFile, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    const Page page = PageFor(size);
    char* body = nullptr;
    size_t bodySize = 0;
    std::FILE* out = open_memstream(&body, &bodySize);
    const DrawingResult result =
        ConvertDrawing(gPath, DecodePlotSettings(page.print, page.config), out);
    std::fclose(out);
    if (RefusedBadly(result, bodySize)) std::abort();
    if (result.ok()) (void)DrawingHeaderLines(result);
    std::free(body);
    return 0;
}
