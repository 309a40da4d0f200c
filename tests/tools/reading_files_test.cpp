// What trzn-plot and its reading process hand each other comes back exactly: a field lost on
// the way would change the header lines or the notes of every plot.

#include "tools/reading_files.h"

#include <gtest/gtest.h>

#include "tests/support/temp_home.h"

namespace {

DrawingResult Panels() {
    DrawingResult r;
    r.brc = "0,0,4008,4064";
    r.name = "long \xe9.svg";
    r.stepsPerInch = 2540;
    // A note from another producer, and an id whose value is a note within.
    r.notes = {"images skipped",
               Note(NoteId::OnPage, {"2", Note(NoteId::FiltersSkippedFilteredShapes)})};
    r.clipLeftMm = 0.1;
    r.clipTopMm = 1.0 / 3;
    r.clipRightMm = 2.5;
    r.clipBottomMm = 1e-9;
    r.panels = 3;
    r.pages = true;
    r.rollLengthMm = 101.6;
    r.beyondRollMm = 0.05;
    r.plots = {{1, 3, "0,0,4008,4064", 7, 8, 9}, {3, 3, "0,0,4008,1877", 10, 11, 12, 2, 3, 1, 2}};
    r.paths = 17;
    r.penUpTravel = 1LL << 40;
    r.bodyBytes = 21;
    return r;
}

DrawingResult RefusedResult(Note why = "cannot write the plot body: No space left on device") {
    DrawingResult r;
    r.error = DrawingError::WriteFailed;
    r.message = std::move(why);
    return r;
}

TEST(ReadingFiles, ResultComesBackExactly) {
    const struct {
        const char* name;
        DrawingResult result;
    } rows[] = {
        {"panels", Panels()},
        {"refused", RefusedResult()},
        {"refused_by_id",
         RefusedResult(Note(NoteId::OnPage, {"3", Note(NoteId::PagePDFDocumentCannot, {"3"})}))}};
    TempHome home;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string file = home.scratch("r") + "/" + row.name;
        ASSERT_TRUE(WriteReadingResult(file, row.result));
        DrawingResult back;
        ASSERT_TRUE(ReadReadingResult(file, &back));
        const DrawingResult& want = row.result;
        EXPECT_EQ(back.error, want.error);
        EXPECT_EQ(back.message, want.message);
        EXPECT_EQ(DrawingHeaderLines(back, 1), DrawingHeaderLines(want, 1));
        EXPECT_EQ(back.notes, want.notes);
        EXPECT_EQ(back.clipTopMm, want.clipTopMm);
        EXPECT_EQ(back.clipBottomMm, want.clipBottomMm);
        EXPECT_EQ(back.pages, want.pages);
        EXPECT_EQ(back.beyondRollMm, want.beyondRollMm);
        ASSERT_EQ(back.plots.size(), want.plots.size());
        for (size_t i = 0; i < want.plots.size(); ++i) {
            EXPECT_EQ(back.plots[i].number, want.plots[i].number);
            EXPECT_EQ(back.plots[i].bodyBytes, want.plots[i].bodyBytes);
        }
        EXPECT_EQ(back.penUpTravel, want.penUpTravel);
        EXPECT_EQ(back.bodyBytes, want.bodyBytes);
    }
    // A file cut short is no result.
    const std::string cut = home.scratch("r") + "/cut";
    ASSERT_TRUE(WriteReadingResult(cut, Panels()));
    std::string bytes = ReadFileBytes(cut);
    WriteFileBytes(cut, bytes.substr(0, bytes.size() - 3));
    DrawingResult back;
    EXPECT_FALSE(ReadReadingResult(cut, &back));
}

// The drawing's name goes as bytes: a name that is not UTF-8 still names the same file.
TEST(ReadingFiles, RequestKeepsThePathsBytes) {
    TempHome home;
    ReadingRequest request;
    request.path = "/tmp/caf\xe9_\x90\x7d.svg";
    request.print.prXInfo.iBandV = -50;
    request.config.toollist[9].thick = 327;
    request.sheet = {SheetChoice::Space::layout, "Blatt \xe4"};
    const std::string file = home.scratch("r") + "/request";
    Note error;
    ASSERT_TRUE(WriteReadingRequest(file, request, &error)) << error;
    ReadingRequest back;
    ASSERT_TRUE(ReadReadingRequest(file, &back));
    EXPECT_EQ(back.path, request.path);
    EXPECT_EQ(back.print.prXInfo.iBandV, -50);
    EXPECT_EQ(back.config.toollist[9].thick, 327);
    EXPECT_EQ(back.sheet.space, SheetChoice::Space::layout);
    EXPECT_EQ(back.sheet.layout, request.sheet.layout);
}

}  // namespace
