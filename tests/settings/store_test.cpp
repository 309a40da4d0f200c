// The store against real files in a temporary home.

#include "settings/store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "settings/completion_status.h"
#include "settings/knife_file.h"
#include "settings/outline_file.h"
#include "settings/records.h"
#include "settings/settings_lock.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;

namespace {

// A program reaching the store as the window and the sender do: the main file whole, a preset
// file by its four blocks.
struct Program {
    RecordSet rec;

    bool Load(const char* presetFile = nullptr) { return LoadSettings(&rec, presetFile); }
    bool Save(const char* presetFile = nullptr, PrintLines lines = PrintLines::Config) {
        return SaveSettings(rec, presetFile, lines);
    }
};

}  // namespace

TEST(Store, LoadWithoutFileCreatesProductFolderOnly) {
    TempHome home;
    Program p;
    p.rec.serial->baud = 9;
    *p.rec.refCon = 5;
    std::strcpy(p.rec.presetName, "old");
    EXPECT_FALSE(p.Load());
    EXPECT_TRUE(fs::is_directory(home.productFolder()));
    EXPECT_FALSE(fs::exists(home.productFolder() + "/Prefs"));
    EXPECT_EQ(p.rec.serial->baud, 0);
    EXPECT_EQ(*p.rec.refCon, 0);
    EXPECT_STREQ(p.rec.presetName, "");
    EXPECT_EQ(p.rec.stat.plstVersion, 3001);
    EXPECT_EQ(p.rec.stat.nouse2, 0);
}

TEST(Store, PresetCallsCreatePrefsFolder) {
    TempHome home;
    Program p;
    EXPECT_FALSE(p.Load("none"));
    EXPECT_TRUE(fs::is_directory(home.productFolder() + "/Prefs"));
    EXPECT_EQ(SettingsFilePath("A"), home.productFolder() + "/Prefs/A.ini");
    EXPECT_EQ(SettingsFilePath(nullptr), home.settingsFile());
}

TEST(Store, MainFileRoundTripAndStatusDefaults) {
    TempHome home;
    Program p;
    p.rec.config->cmargin = Rect{10, 20, 30, 40};
    p.rec.paper->pitem_count = 1;
    std::strcpy(p.rec.paper->pitem[0].pname, "A3");
    *p.rec.refCon = 1;
    std::strcpy(p.rec.presetName, "mine");
    p.rec.stat.plstVersion = 3001;
    ASSERT_TRUE(p.Save(nullptr, PrintLines::Sender));

    Program q;
    ASSERT_TRUE(q.Load());
    EXPECT_EQ(q.rec.config->cmargin.left, 20);
    EXPECT_EQ(q.rec.config->cmargin.bottom, 30);
    EXPECT_EQ(q.rec.paper->pitem_count, 1);
    EXPECT_EQ(*q.rec.refCon, 1);
    EXPECT_STREQ(q.rec.presetName, "mine");
    EXPECT_EQ(ReadFileBytes(home.settingsFile()),
              FormatPrefarence(p.rec.print.get(), p.rec.paper.get(), p.rec.config.get(),
                               p.rec.serial.get(), p.rec.refCon.get(), p.rec.presetName,
                               &p.rec.stat, PrintLines::Sender));

    // A file without status lines gives version 3001 and writes it back.
    WriteFileBytes(home.settingsFile(), "THSrConfig.baud = 3\r\n");
    Program r;
    r.rec.stat.nouse1 = 9;
    ASSERT_TRUE(r.Load());
    EXPECT_EQ(r.rec.stat.plstVersion, 3001);
    EXPECT_EQ(r.rec.stat.nouse1, 0);
    ASSERT_TRUE(r.Save());
    EXPECT_NE(ReadFileBytes(home.settingsFile()).find("\r\n\r\ntPldStatRes.plstVersion = 3001\r\n"),
              std::string::npos);
}

TEST(Store, PresetLeavesCallersExtrasAlone) {
    TempHome home;
    Program p;
    p.rec.serial->baud = 4;
    ASSERT_TRUE(p.Save("Job A"));
    const std::string text = ReadFileBytes(home.productFolder() + "/Prefs/Job A.ini");
    EXPECT_EQ(text.find("refine_con"), std::string::npos);
    EXPECT_EQ(text.find("preset_name"), std::string::npos);
    EXPECT_EQ(text.find("tPldStatRes"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), "\"\r\n\r\n");

    Program q;
    *q.rec.refCon = 2;
    std::strcpy(q.rec.presetName, "Job A");
    q.rec.stat.nouse2 = 77;
    ASSERT_TRUE(q.Load("Job A"));
    EXPECT_EQ(q.rec.serial->baud, 4);
    EXPECT_EQ(*q.rec.refCon, 2);
    EXPECT_STREQ(q.rec.presetName, "Job A");
    EXPECT_EQ(q.rec.stat.nouse2, 77);
}

TEST(Store, UnusablePathsAreRefused) {
    TempHome home;
    Program p;
    struct Row {
        const char* name;
        std::string preset;
    };
    const Row rows[] = {
        {"slash_escapes_folder", "../../escape"},
        {"too_long", std::string(600, 'n')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SettingsFilePath(row.preset.c_str()), "");
        EXPECT_FALSE(p.Save(row.preset.c_str()));
        EXPECT_FALSE(p.Load(row.preset.c_str()));
    }
    EXPECT_FALSE(fs::exists(home.productFolder() + "/escape.ini"));
}

TEST(Store, FailedSaveKeepsPreviousFile) {
    TempHome home;
    Program p;
    p.rec.serial->baud = 6;
    ASSERT_TRUE(p.Save());
    const std::string before = ReadFileBytes(home.settingsFile());

    struct Row {
        const char* name;
        bool needsNonRoot;
    };
    for (const Row row : {Row{"target_is_directory", false}, Row{"folder_read_only", true}}) {
        SCOPED_TRACE(row.name);
        if (row.needsNonRoot && geteuid() == 0) {
            std::printf("skipping %s: permissions do not stop root\n", row.name);
            continue;
        }
        p.rec.serial->baud = 7;
        const std::string preset = home.productFolder() + "/Prefs/blocked.ini";
        if (std::string(row.name) == "target_is_directory") {
            // A preset whose file path is a directory: nothing can be renamed over it.
            fs::create_directories(preset);
            EXPECT_FALSE(p.Save("blocked"));
            EXPECT_TRUE(fs::is_directory(preset));
        } else {
            chmod(home.productFolder().c_str(), 0555);
            EXPECT_FALSE(p.Save());
            chmod(home.productFolder().c_str(), 0755);
            EXPECT_EQ(ReadFileBytes(home.settingsFile()), before);
        }
    }
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), before);
    for (const auto& entry : fs::directory_iterator(home.productFolder()))
        EXPECT_TRUE(entry.path().filename() == "TRZNSerConfig.ini" ||
                    entry.path().filename() == "Prefs")
            << "left behind: " << entry.path();
}

TEST(Store, FullDiskKeepsPreviousFileAndSaysWhy) {
    TempHome home;
    SmallDisk disk(home.productFolder(), 64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    Program p;
    p.rec.serial->baud = 6;
    ASSERT_TRUE(p.Save());
    const std::string before = ReadFileBytes(home.settingsFile());
    disk.Fill();
    p.rec.serial->baud = 7;
    EXPECT_FALSE(p.Save(nullptr, PrintLines::Sender));
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), before);
    EXPECT_NE(SettingsWriteError().find("space"), std::string::npos) << SettingsWriteError();
}

TEST(Store, NewFileHonoursUmask) {
    // The plug-in and the other program read the file too: a new file gets the ordinary
    // 0666-minus-umask mode, not the private mode of a temporary file.
    TempHome home;
    const mode_t old = umask(002);
    Program p;
    const bool saved = p.Save();
    umask(old);
    ASSERT_TRUE(saved);
    struct stat st {};
    ASSERT_EQ(stat(home.settingsFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0664u);
}

TEST(Store, SaveWritesThroughALinkedSettingsFile) {
    // A user who keeps the settings elsewhere and links them in keeps the link.
    TempHome home;
    Program p;
    ASSERT_TRUE(p.Save());
    const std::string elsewhere = home.scratch("synced") + "/TRZNSerConfig.ini";
    fs::rename(home.settingsFile(), elsewhere);
    fs::create_symlink(elsewhere, home.settingsFile());

    p.rec.serial->baud = 5;
    ASSERT_TRUE(p.Save());
    EXPECT_TRUE(fs::is_symlink(home.settingsFile()));
    EXPECT_NE(ReadFileBytes(elsewhere).find("THSrConfig.baud = 5\r\n"), std::string::npos);
}

// The knife file beside the settings file: what the window writes comes back, and a file cut
// off, empty or holding junk is unusable with a reason, never half read.
TEST(Store, KnifeFileReadsWhatTheWindowWritesAndNothingElse) {
    const struct {
        const char* name;
        const char* bytes;  // nullptr: no file
        KnifeFileState state;
        KnifeSettings want;
        const char* says = nullptr;  // the reason, after the file's path
    } rows[] = {
        {"absent", nullptr, KnifeFileState::Absent, {}},
        {"as_written",
         "knife.use = 1\r\nknife.tool = 4\r\nknife.offset = 30\r\nknife.overcut = 150\r\n",
         KnifeFileState::Loaded,
         {true, 4, 30, 150}},
        {"lf_and_blanks",
         "\nknife.overcut=0\n knife.offset = 0 \nknife.tool = 10\nknife.use = 0",
         KnifeFileState::Loaded,
         {false, 10, 0, 0}},
        {"empty", "", KnifeFileState::Unusable, {}},
        {"cut_off", "knife.use = 1\r\nknife.tool = 4\r\nknife.off", KnifeFileState::Unusable, {}},
        {"junk_value",
         "knife.use = 1\r\nknife.tool = x\r\nknife.offset = 30\r\nknife.overcut = 1\r\n",
         KnifeFileState::Unusable,
         {},
         " can't be read at line 2: press OK in TRZNSerConfig to write them again"},
        {"tool_beyond_the_pens",
         "knife.use = 1\r\nknife.tool = 11\r\nknife.offset = 30\r\nknife.overcut = 1\r\n",
         KnifeFileState::Unusable,
         {},
         " give knife.tool 11, outside 1 to 10: press OK in TRZNSerConfig to write them again"},
        {"negative_offset",
         "knife.use = 1\r\nknife.tool = 1\r\nknife.offset = -5\r\nknife.overcut = 1\r\n",
         KnifeFileState::Unusable,
         {}},
        {"binary", "\xff\xfe knife.use = 1", KnifeFileState::Unusable, {}},
        // Read as the settings file is: a comment line is passed over, a value is one number.
        {"comment",
         "' blade 45 degrees\r\nknife.use = 1\r\nknife.tool = 2\r\nknife.offset = 25\r\n"
         "knife.overcut = 0\r\n",
         KnifeFileState::Loaded,
         {true, 2, 25, 0}},
        {"other_key",
         "knife.use = 1\r\nknife.tool = 2\r\nknife.offset = 25\r\nknife.overcut = 0\r\nknife.x = 1",
         KnifeFileState::Unusable,
         {}},
        {"twice",
         "knife.use = 1\nknife.use = 0\nknife.tool = 2\nknife.offset = 2\nknife.overcut = 0",
         KnifeFileState::Unusable,
         {}},
        {"two_values",
         "knife.use = 1\nknife.tool = 2,3\nknife.offset = 2\nknife.overcut = 0",
         KnifeFileState::Unusable,
         {}},
    };
    // The window's file, byte for byte.
    EXPECT_EQ(FormatKnifeFile(rows[1].want), rows[1].bytes);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string path = home.productFolder() + "/TRZNKnife.ini";
        if (row.bytes) WriteFileBytes(path, row.bytes);
        KnifeSettings knife{true, 9, 9, 9};
        Note problem;
        EXPECT_EQ(LoadKnifeFile(path, &knife, &problem), row.state);
        EXPECT_EQ(FormatKnifeFile(knife), FormatKnifeFile(row.want));
        EXPECT_EQ(problem == Note(), row.state != KnifeFileState::Unusable) << problem;
        if (row.says)
            EXPECT_EQ(NoteEnglish(problem), "the knife settings " + path + row.says);
    }
}

// The outline choice beside the settings file: what the window writes comes back; any other
// content is unusable with a reason (a plot must not guess which lines to cut).
TEST(Store, OutlineFileReadsWhatTheWindowWritesAndNothingElse) {
    const std::string comments(4100, '\'');
    const struct {
        const char* name;
        std::string bytes;  // "-": no file, "/": a folder
        OutlineFileState state;
        bool every;
        const char* says = nullptr;  // the reason, after the file's path
    } rows[] = {
        {"absent", "-", OutlineFileState::Absent, false},
        {"as_written", "outlines.every = 1\r\n", OutlineFileState::Loaded, true},
        {"comment_and_lf", "' vinyl\noutlines.every=0", OutlineFileState::Loaded, false},
        {"empty", "", OutlineFileState::Unusable, false,
         " can't be read: press OK in TRZNSerConfig to write it again, or give --outlines"},
        {"folder", "/", OutlineFileState::Unusable, false},
        {"too_long", comments + "\noutlines.every = 1", OutlineFileState::Unusable, false},
        {"other_key", "outlines.every = 1\r\nknife.use = 1\r\n", OutlineFileState::Unusable, false,
         " can't be read at line 2: press OK in TRZNSerConfig to write it again, or give "
         "--outlines"},
        {"twice", "outlines.every = 1\noutlines.every = 1", OutlineFileState::Unusable, false},
        {"not_a_choice", "outlines.every = 2", OutlineFileState::Unusable, false},
        {"read_in_part", "outlines.every = 1x", OutlineFileState::Unusable, false},
        {"binary", "\xff\xfe outlines.every = 1", OutlineFileState::Unusable, false},
    };
    // The window's file, byte for byte.
    EXPECT_EQ(FormatOutlineFile(true), rows[1].bytes);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string path = home.productFolder() + "/TRZNOutlines.ini";
        if (row.bytes == "/")
            fs::create_directories(path);
        else if (row.bytes != "-")
            WriteFileBytes(path, row.bytes);
        bool every = true;
        Note problem;
        EXPECT_EQ(LoadOutlineFile(path, &every, &problem), row.state);
        EXPECT_EQ(every, row.every);
        EXPECT_EQ(problem == Note(), row.state != OutlineFileState::Unusable) << problem;
        if (row.says) EXPECT_EQ(NoteEnglish(problem), "the outline choice " + path + row.says);
    }
}

// The completion status waits for a save under way, and keeps what that save wrote: written
// at once, it would be lost under the save's file.
TEST(Store, CompletionStatusWaitsForASaveUnderWay) {
    TempHome home;
    Program window;
    window.rec.serial->baud = 3;
    ASSERT_TRUE(window.Save());
    std::optional<SettingsLock> saving(std::in_place);
    bool stored = false;
    std::thread sender(
        [&] { stored = StoreCompletionStatus(Completion::Cancelled, PrintLines::Sender); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // The save under way, as SetPrefarence makes it while holding the lock.
    window.rec.serial->baud = 5;
    *window.rec.refCon = 1;
    const RecordSet& r = window.rec;
    ASSERT_TRUE(WriteSettingsFile(
        home.settingsFile(),
        FormatPrefarence(r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                         r.refCon.get(), r.presetName, &r.stat, PrintLines::Config)));
    std::string expected = ReadFileBytes(home.settingsFile());
    saving.reset();
    sender.join();
    EXPECT_TRUE(stored);
    expected.replace(expected.find("refine_con = 1"), 14, "refine_con = 2");
    EXPECT_TRUE(ReadFileBytes(home.settingsFile()) == expected);
}
