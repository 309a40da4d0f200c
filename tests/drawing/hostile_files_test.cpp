// Small files a hostile sender could make (written by hostile_files.py), each converted or
// refused with the reason in a child process held to 1 GB of address space and 30 s of CPU:
// a crash, a runaway allocation or an endless loop shows as the child's signal, not as a slow
// test. The parent never starts Qt, so that each child starts it afresh.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "drawing/drawing_plot.h"
#include "settings/geometry.h"
#include "tests/support/temp_home.h"

namespace {

struct Outcome {
    bool exited = false;  // exited of itself, not stopped by a signal
    std::string said;     // the error's number, its message and the notes, a line each
};

// Converts `path` in a child within the bounds and hands back what it said.
Outcome ConvertBounded(const std::string& path) {
    int out[2];
    if (pipe(out) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        const rlimit memory{1ul << 30, 1ul << 30}, cpu{30, 30};
        setrlimit(RLIMIT_AS, &memory);
        setrlimit(RLIMIT_CPU, &cpu);
        TPrint print;
        std::memset(&print, 0, sizeof print);
        TPrConfig config;
        std::memset(&config, 0, sizeof config);
        CalcPageWidth(&print, &config, 842, 1191, 100, 0);
        config.iFstPage = config.iLstPage = 1;
        config.fautopen = 0;  // stored inverted: ticked
        config.foptln = 0;
        config.toollist[0] = {1, 30, 0, 0, 0, 1};
        std::FILE* body = std::tmpfile();
        const DrawingResult r = ConvertDrawing(path, DecodePlotSettings(print, config),
                                               [&](const DrawingPlot&) { return body; });
        std::string said = std::to_string(static_cast<int>(r.error)) + "\n" +
                           NoteEnglish(r.message) + "\n" +
                           "id: " + std::string(NoteKey(r.message.id)) + "\n";
        for (const Note& note : r.notes) said += NoteEnglish(note) + "\n";
        (void)!write(out[1], said.data(), said.size());
        _exit(0);
    }
    close(out[1]);
    Outcome o;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) o.said.append(buffer, n);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    o.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return o;
}

TEST(HostileFiles, ConvertOrAreRefusedWithinTheirBounds) {
    TempHome home;
    const std::string dir = home.scratch("hostile");
    ASSERT_EQ(
        std::system(
            ("python3 " TRZN_SOURCE_DIR "/tests/drawing/hostile_files.py '" + dir + "'").c_str()),
        0);
    const struct {
        const char* file;
        DrawingError error;
        const char* says;  // in the message or a note
    } rows[] = {
        {"image_46342.pdf", DrawingError::None, "images skipped"},
        {"image_20000.pdf", DrawingError::None, "images skipped"},
        {"image_100000.pdf", DrawingError::None, "images skipped"},
        {"inline_image_46342.pdf", DrawingError::None, "images skipped"},
        {"imagemask_46342.ps", DrawingError::None, "images skipped"},
        {"forms_30_deep.pdf", DrawingError::Refused, "more than 20000000 drawing operations"},
        {"forms_3_deep.pdf", DrawingError::None, ""},
        {"form_draws_itself.pdf", DrawingError::Refused, "draws itself"},
        {"inline_image_in_form.pdf", DrawingError::None, "images skipped"},
        {"lines_100000.pdf", DrawingError::None, ""},
        {"lines_100000.svg", DrawingError::None, ""},
        // librsvg leaves a reference out where it closes a cycle, or the shape that uses it:
        // never a hang, and never without a word.
        {"clip_self.svg", DrawingError::None, "the clip path #a refers to itself"},
        {"clip_cycle.svg", DrawingError::None, "the clip path #a refers to itself"},
        {"clip_by_use_cycle.svg", DrawingError::None, "the clip path #c refers to itself"},
        {"mask_self.svg", DrawingError::None, "the mask #k refers to itself"},
        {"marker_self.svg", DrawingError::None, "the marker #m refers to itself"},
        {"pattern_self.svg", DrawingError::None, "the pattern #p refers to itself"},
        // Qt's route (a drawing without a size) counts a pattern's tiles before it makes any.
        {"pattern_tile_1e-6.svg", DrawingError::Refused, "repeats its tile more than"},
        {"dash_negative.svg", DrawingError::None, "drawn as solid lines"},
        // Too fine to draw apart: solid with the same note whichever library reads it.
        {"dash_1e-9_qt.svg", DrawingError::None, "finer than the plotter draws"},
        {"dash_1e-9_librsvg.svg", DrawingError::None, "finer than the plotter draws"},
        {"dash_0.001_qt.svg", DrawingError::None, "finer than the plotter draws"},
        {"dash_0.001_librsvg.svg", DrawingError::None, "finer than the plotter draws"},
        {"markers_600_3_deep.svg", DrawingError::Refused, "markers multiply into more than"},
        {"markers_300_3_deep.svg", DrawingError::Refused, "markers multiply into more than"},
        {"markers_30_3_deep.svg", DrawingError::None, ""},
        {"textpath_100000.svg", DrawingError::Refused, "text on a path (textPath) 100000 times"},
        {"textpath_names_a_file.svg", DrawingError::None, "references to other files"},
        {"comment_1024.dxf", DrawingError::None, "longer than 1023 characters cut"},
        {"text_2000.dxf", DrawingError::None, "longer than 1023 characters cut"},
        {"number_1500.dxf", DrawingError::Refused, "line 24 of the DXF is longer than 1023"},
        {"random_tail.dxf", DrawingError::Refused, "of the DXF is longer than 1023"},
        {"spline_counts.dxf", DrawingError::NothingToPlot, "no visible shape"},
        {"spline_count_wraps.dxf", DrawingError::NothingToPlot, "no visible shape"},
        {"spline_code_unreadable.dxf", DrawingError::NothingToPlot, "no visible shape"},
        {"lwpolyline_count.dxf", DrawingError::None, "counts larger than what follows them"},
        {"nan_inf.dxf", DrawingError::None, "not numbers (nan, inf)"},
        {"ellipse_degenerate.dxf", DrawingError::None, "of no size"},
        {"linetype_1e-300.dxf", DrawingError::None, "finer than the plotter draws drawn solid"},
        // Dashed as the same line in an SVG is, not drawn solid.
        {"linetype_2000000_dashes.dxf", DrawingError::None, ""},
        {"linetype_of_no_length.dxf", DrawingError::None, "linetypes of no length drawn solid"},
        {"dimension_blocks_missing.dxf", DrawingError::None, "block \"*DB\", is not defined"},
        {"hatch_lines_1e-6_apart.dxf", DrawingError::Refused, "hatch patterns make more than"},
        {"hatch_lines_without_offset.dxf", DrawingError::Refused, "no offset between them"},
        {"hatch_dashes_1e-9.dxf", DrawingError::Refused, "hatch patterns make more than"},
        {"spline_1000000_fit_points.dxf", DrawingError::None, ""},
        {"spline_one_point_repeated.dxf", DrawingError::None, "splines whose numbers don't add up"},
        // A font name no drafting program has: an unknown stroke font is the plainest design,
        // an unknown outline font fontconfig's default.
        {"font_name_1000.dxf", DrawingError::None, ""},
        {"font_name_1000_outline.dxf", DrawingError::None, ""},
        {"mtext_1000000.dxf", DrawingError::None, ""},
        {"mtext_1000000_japanese.dxf", DrawingError::None, ""},
        {"mtext_fonts_100000.dxf", DrawingError::None, ""},
        // What multiplies is counted before any of it is made, and named.
        {"tiling_cell_0.01.pdf", DrawingError::Refused, "a tiling pattern repeats its cell"},
        {"tiling_cell_20.pdf", DrawingError::None, ""},
        {"type3_draws_itself.pdf", DrawingError::Refused, "draws its glyphs with itself"},
        {"type3_6_deep.pdf", DrawingError::Refused, "Type 3 fonts' glyphs, shown within each"},
        {"page_tree_50000.pdf", DrawingError::Refused, "page tree is more than 256 levels deep"},
        {"dashed_insert_array.dxf", DrawingError::Refused, "linetypes cut its lines into more"},
        {"block_100k_vertices_inserted_1000x1000.dxf", DrawingError::Refused,
         "inserted blocks multiply into more than"},
        {"lines_2000_of_a_million_dashes.dxf", DrawingError::Refused, "linetypes cut its lines"},
    };
    for (const auto& row : rows) {
        const Outcome o = ConvertBounded(dir + "/" + row.file);
        EXPECT_TRUE(o.exited) << row.file << " was stopped by a bound: " << o.said;
        EXPECT_EQ(o.said.substr(0, o.said.find('\n')), std::to_string(static_cast<int>(row.error)))
            << row.file << ": " << o.said;
        EXPECT_NE(o.said.find(row.says), std::string::npos) << row.file << ": " << o.said;
        // A refusal written out as words would reach a Japanese session in English.
        if (row.error != DrawingError::None) {
            EXPECT_EQ(o.said.find("id: \n"), std::string::npos) << row.file << ": " << o.said;
        }
    }
}

}  // namespace
