#include "plotjob/header_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

HeaderLines Lines(std::string brc, int steps, std::string name, std::vector<Note> notes) {
    HeaderLines lines;
    lines.brc = std::move(brc);
    lines.stepsPerInch = steps;
    lines.name = std::move(name);
    lines.notes = std::move(notes);
    return lines;
}

const Note kClipped(NoteId::DrawingReachesBeyondPrintable,
                    {Note(NoteId::List, {Note(NoteId::MmOnTheLeft, {"30.0"}),
                                         Note(NoteId::MmAtTheTop, {"2.5"})})});

// Written, then read back as the sender reads it, with either line end: what was written comes
// back (or, where a line end could not stand, what the row says).
TEST(HeaderLines, FormatAndReadRoundTrip) {
    struct Row {
        const char* name;
        HeaderLines lines;
        const char* end;
        std::string text;
        std::optional<HeaderLines> read = std::nullopt;
    };
    const Row rows[] = {
        {"hpgl_input_window", Lines("0,0,10000,7500", 1016, "", {}), "\r\n",
         "BRC:0,0,10000,7500\r\n"},
        {"nothing", Lines("", 1016, "", {}), "\n", ""},
        {"drawing_with_unit_and_notes",
         Lines("0,0,4008,1877", 2540, "long.svg (3/3)",
               {"a note from another program", Note(NoteId::RasterImagesSkipped), kClipped,
                Note(NoteId::OnPage, {"2", Note(NoteId::PdfHasPagesNoPage, {"3", "4"})})}),
         "\n",
         "BRC:0,0,4008,1877\nUNIT:2540\nNAME:long.svg (3/3)\nNOTE:a note from another program\n"
         "NOTE:[\"RasterImagesSkipped\"]\n"
         "NOTE:[\"DrawingReachesBeyondPrintable\",[\"List\",[\"MmOnTheLeft\",\"30.0\"],"
         "[\"MmAtTheTop\",\"2.5\"]]]\n"
         "NOTE:[\"OnPage\",\"2\",[\"PdfHasPagesNoPage\",\"3\",\"4\"]]\n"},
        // Names and values with quotes, backslashes, %2 and non-ASCII travel as they are.
        {"odd_values",
         Lines("1,2,3,4", 1016, "図面 \"a\\b\".svg",
               {Note(NoteId::BlockInsertsItself, {"%2 \"Q\" \\ 図"})}),
         "\r\n",
         "BRC:1,2,3,4\r\nNAME:図面 \"a\\b\".svg\r\n"
         "NOTE:[\"BlockInsertsItself\",\"%2 \\\"Q\\\" \\\\ 図\"]\r\n"},
        // A line end inside a name or a note's words would start a line of its own.
        {"line_ends_inside", Lines("", 1016, "a\nb", {"one\r\ntwo"}), "\n",
         "NAME:a b\nNOTE:one  two\n", Lines("", 1016, "a b", {"one  two"})},
        // The same note twice is read once.
        {"repeated_note", Lines("", 1016, "", {"x", "x"}), "\n", "NOTE:x\nNOTE:x\n",
         Lines("", 1016, "", {"x"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = row.lines.Format(row.end);
        EXPECT_EQ(text, row.text);
        const HeaderLines want = row.read.value_or(row.lines);
        std::string lf = text, crlf;
        std::erase(lf, '\r');
        for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        for (const std::string& written : {lf, crlf}) {
            const HeaderLines read = HeaderLines::Read(written);
            EXPECT_EQ(read.brc, want.brc);
            EXPECT_EQ(read.stepsPerInch, want.stepsPerInch);
            EXPECT_EQ(read.name, want.name);
            EXPECT_EQ(read.notes, want.notes);
        }
    }
}

// A NOTE line that is not an id's array, or names an id this program does not know, is shown
// as it stands; a note within a note is read as one.
TEST(HeaderLines, NoteLinesOfOtherWriters) {
    struct Row {
        const char* line;
        Note note;
    };
    const Row rows[] = {
        {"images skipped", Note("images skipped")},
        {"[draft] images skipped", Note("[draft] images skipped")},
        {"[\"NoSuchNote\",\"1\"]", Note("[\"NoSuchNote\",\"1\"]")},
        {"[\"OnPage\",\"2\",[\"NoSuchNote\"]]", Note("[\"OnPage\",\"2\",[\"NoSuchNote\"]]")},
        {"[\"OnPage\",2]", Note("[\"OnPage\",2]")},
        {"[]", Note("[]")},
        {"[\"ImagesSkipped\"", Note("[\"ImagesSkipped\"")},
        {"[\"OnPage\",\"1\",[\"ImagesSkipped\"]]",
         Note(NoteId::OnPage, {"1", Note(NoteId::ImagesSkipped)})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(ReadNoteLine(row.line), row.note);
        EXPECT_EQ(HeaderLines::Read(std::string("NOTE:") + row.line + "\r\n").notes,
                  std::vector<Note>{row.note});
    }
}

}  // namespace
