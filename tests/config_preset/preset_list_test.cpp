#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/preset_list.h"
#include "tests/config_preset/preset_support.h"
#include "tests/support/temp_home.h"

namespace {

using Strings = std::vector<std::string>;

class PresetFolderTest : public testing::Test {
protected:
    TempHome home;
    std::string folder = home.productFolder() + "/Prefs";
    void SetUp() override { std::filesystem::create_directories(folder); }
};

TEST(PresetNameOfFile, TakesThePartBeforeTheExtension) {
    struct Row {
        const char* file;
        std::optional<std::string> name;
    };
    const Row rows[] = {
        {"b.ini", "b"},
        {"A.INI", "A"},
        {"c.Ini", std::nullopt},
        {".ini", std::nullopt},
        {".INI", std::nullopt},
        {"notes.txt", std::nullopt},
        {"x.INI.ini", "x"},      // ".INI" is looked for first
        {"y.ini.bak", "y"},      // the extension need not end the name
        {"a.ini.INI", "a.ini"},  // ".INI" first even when ".ini" comes earlier
        {"..ini", "."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PresetNameOfFile(row.file), row.name) << row.file;
    }
}

TEST(InsertPresetEntry, KeepsByteOrderAndPutsEqualNamesAfter) {
    std::vector<PresetEntry> list;
    for (const char* file : {"b.ini", "x.INI.ini", "a.ini", "A.INI", "x.ini", "\xE3\x81\x82.ini"}) {
        InsertPresetEntry(list, {PresetNameOfFile(file).value(), file});
    }
    Strings files;
    for (const PresetEntry& e : list) files.push_back(e.fileName);
    // Bytes compare unsigned: the UTF-8 lead byte 0xE3 sorts after every ASCII letter.
    EXPECT_EQ(files, (Strings{"A.INI", "a.ini", "b.ini", "x.INI.ini", "x.ini", "\xE3\x81\x82.ini"}));
}

TEST_F(PresetFolderTest, ListsPresetFilesOnly) {
    for (const char* file : {"b.ini", "A.INI", "a.ini", "c.Ini", ".ini", "notes.txt"}) {
        Touch(folder, file);
    }
    std::filesystem::create_directory(folder + "/d.ini");
    ASSERT_EQ(mkfifo((folder + "/pipe.ini").c_str(), 0600), 0);
    std::filesystem::create_directory_symlink(folder + "/d.ini", folder + "/e.ini");
    std::filesystem::create_symlink(folder + "/b.ini", folder + "/f.ini");

    const std::vector<PresetEntry> list = ListPresetFolder(folder);
    EXPECT_EQ(Names(list), (Strings{"A", "a", "b", "f"}));
    EXPECT_EQ(list[0].fileName, "A.INI");
}

TEST_F(PresetFolderTest, ListsDoubleExtensionsByTheirFirstPart) {
    Touch(folder, "x.INI.ini");
    Touch(folder, "y.ini.bak");
    EXPECT_EQ(Names(ListPresetFolder(folder)), (Strings{"x", "y"}));
}

TEST_F(PresetFolderTest, SkipsNamesThatCannotComeBackFromShiftJIS) {
    Touch(folder, "\xE3\x83\x97\xE3\x83\xAA.ini");  // プリ: listed
    Touch(folder, "\xF0\x9F\x98\x80.ini");          // an emoji has no Shift-JIS form
    Touch(folder, "\x83\x76.ini");                   // Shift-JIS bytes are no UTF-8 name
    EXPECT_EQ(Names(ListPresetFolder(folder)), (Strings{"\xE3\x83\x97\xE3\x83\xAA"}));
}

TEST_F(PresetFolderTest, ListsAtMostAHundredNames) {
    for (int i = 0; i < 130; ++i) Touch(folder, "p" + std::to_string(1000 + i) + ".ini");
    const std::vector<PresetEntry> list = ListPresetFolder(folder);
    ASSERT_EQ(list.size(), 100u);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));
}

TEST_F(PresetFolderTest, MissingFolderListsNothing) {
    EXPECT_TRUE(ListPresetFolder(folder + "/missing").empty());
}

TEST_F(PresetFolderTest, ProposesTheFirstFreeUntitledName) {
    EXPECT_EQ(ProposePresetName(folder), "UNTITLED");
    Touch(folder, "UNTITLED.ini");
    Touch(folder, "UNTITLED-1.ini");
    EXPECT_EQ(ProposePresetName(folder), "UNTITLED-2");
    // A folder of that name can't be opened for writing, so its name counts as free.
    std::filesystem::create_directory(folder + "/UNTITLED-2.ini");
    EXPECT_EQ(ProposePresetName(folder), "UNTITLED-2");
}

TEST_F(PresetFolderTest, ChecksTypedNames) {
    struct Row {
        const char* label;
        std::string sjis;
        PresetNameFault fault;
    };
    const std::string japanese = Sjis("\xE3\x83\x97\xE3\x83\xAA\xE3\x82\xBB\xE3\x83\x83\xE3\x83\x88");
    const Row rows[] = {
        {"plain", "P", PresetNameFault::None},
        {"spaces", " a b ", PresetNameFault::None},
        {"japanese", japanese, PresetNameFault::None},
        {"backslash", "a\\b", PresetNameFault::None},
        {"leading dot", ".hidden", PresetNameFault::None},
        {"empty", "", PresetNameFault::Empty},
        {"dot", ".", PresetNameFault::DotName},
        {"dot dot", "..", PresetNameFault::DotName},
        {"parent path", "../../TRZNSerConfig", PresetNameFault::Separator},
        {"slash", "a/b", PresetNameFault::Separator},
        {"absolute", "/tmp/x", PresetNameFault::Separator},
        {"nul", std::string("a\0b", 3), PresetNameFault::Control},
        {"tab", "a\tb", PresetNameFault::Control},
        {"line feed", "a\nb", PresetNameFault::Control},
        {"quote", "a\"b", PresetNameFault::Quote},
        {"lower extension", "x.ini", PresetNameFault::Extension},
        {"upper extension", "x.INI", PresetNameFault::Extension},
        {"broken shift-jis", "a\x82", PresetNameFault::NotConvertible},
        {"longest file name", std::string(251, 'a'), PresetNameFault::None},
        {"file name too long", std::string(252, 'a'), PresetNameFault::TooLong},
        {"over 255 bytes", std::string(256, 'a'), PresetNameFault::TooLong},
        // 84 kana: 168 Shift-JIS bytes but 252 in the file name.
        {"utf-8 form too long", [&] {
             std::string s;
             for (int i = 0; i < 84; ++i) s += Sjis("\xE3\x81\x82");
             return s;
         }(), PresetNameFault::TooLong},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CheckPresetName(row.sjis, folder), row.fault) << row.label;
    }
}

TEST_F(PresetFolderTest, RefusesNamesWhosePathWouldNotFit) {
    // 407 + "/" + 100 + ".ini" is 512 bytes; one name byte less fits.
    const std::string deep = "/" + std::string(406, 'f');
    EXPECT_EQ(CheckPresetName(std::string(100, 'a'), deep), PresetNameFault::TooLong);
    EXPECT_EQ(CheckPresetName(std::string(99, 'a'), deep), PresetNameFault::None);
    EXPECT_EQ(CheckPresetName(std::string(100, 'a'), folder), PresetNameFault::None);
}

TEST_F(PresetFolderTest, LoadsAPresetFromTheFileItWasListedAs) {
    Touch(folder, "A.INI", "THSrConfig.baud = 4\r\nTHPrConfig.toollist_02.thick = 35\r\n");
    RecordSet r;
    r.serial->data = 1;  // cleared by the load
    ASSERT_TRUE(LoadPresetFile(folder + "/A.INI", r.print.get(), r.paper.get(), r.config.get(),
                               r.serial.get()));
    EXPECT_EQ(r.serial->baud, 4);
    EXPECT_EQ(r.serial->data, 0);
    EXPECT_EQ(r.config->toollist[1].thick, 35);

    r.serial->baud = 7;
    EXPECT_FALSE(LoadPresetFile(folder + "/gone.INI", r.print.get(), r.paper.get(), r.config.get(),
                                r.serial.get()));
    EXPECT_EQ(r.serial->baud, 0);
    std::filesystem::create_directory(folder + "/d.INI");
    EXPECT_FALSE(LoadPresetFile(folder + "/d.INI", r.print.get(), r.paper.get(), r.config.get(),
                                r.serial.get()));
}

TEST(PresetForms, RoundTripJapaneseAndRejectBrokenText) {
    const std::string utf8 = "\xE8\xA8\xAD\xE5\xAE\x9A A";  // 設定 A
    const std::optional<std::string> sjis = PresetSjisForm(utf8);
    ASSERT_TRUE(sjis);
    EXPECT_EQ(*sjis, "\x90\xDD\x92\xE8 A");
    EXPECT_EQ(PresetFileForm(*sjis), utf8);
    EXPECT_FALSE(PresetFileForm("\x90"));                   // a lead byte alone
    EXPECT_FALSE(PresetSjisForm("\xF0\x9F\x98\x80"));       // no Shift-JIS form
    EXPECT_FALSE(PresetSjisForm(std::string(256, 'a')));    // longer than a name
}

}  // namespace
