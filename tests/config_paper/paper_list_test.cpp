#include "config/paper_list.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "paper_support.h"

namespace {

using Names = std::vector<std::string>;

std::string Repeat(const std::string& piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

const std::string kLong63 = Repeat("x", 63);
const std::string kHiragana = "\x82\xA0";  // one two-byte Shift-JIS character

struct UniqueCase {
    const char* label;
    Names existing;
    std::string added;
    std::string stored;
};
void PrintTo(const UniqueCase& row, std::ostream* os) { *os << row.label; }


class AddPaperNames : public testing::TestWithParam<UniqueCase> {};

TEST_P(AddPaperNames, StoresUniqueName) {
    const UniqueCase& c = GetParam();
    TPrPaper list{};
    for (const std::string& name : c.existing) AddPaperItem(&list, 99, name.c_str(), 10, 10, 0);
    ASSERT_EQ(PaperNames(list), c.existing);

    AddPaperItem(&list, 99, c.added.c_str(), 10, 10, 0);
    ASSERT_EQ(list.pitem_count, static_cast<int16_t>(c.existing.size() + 1));
    EXPECT_EQ(std::string(list.pitem[list.pitem_count - 1].pname), c.stored);
}

std::vector<UniqueCase> UniqueCases() {
    Names tenLong{kLong63};
    for (int n = 1; n <= 9; ++n) tenLong.push_back(kLong63.substr(0, 61) + "_" + std::to_string(n));
    return {
        {"NewName", {"A4"}, "B5", "B5"},
        {"SecondSuffix", {"A4", "A4_1"}, "A4", "A4_2"},
        {"SuffixOnlyCountsWholeNames", {"A4_1"}, "A4", "A4"},
        {"LongNameCutTo63", {}, kLong63 + "yyy", kLong63},
        {"LongNameOneDigit", {kLong63}, kLong63, kLong63.substr(0, 61) + "_1"},
        {"LongNameTwoDigits", tenLong, kLong63, kLong63.substr(0, 60) + "_10"},
        // 32 two-byte characters: the cut keeps whole characters, so 62 bytes, then 60 + "_1".
        {"TwoByteCutWhole", {}, Repeat(kHiragana, 32), Repeat(kHiragana, 31)},
        {"TwoByteSuffix",
         {Repeat(kHiragana, 31)},
         Repeat(kHiragana, 32),
         Repeat(kHiragana, 30) + "_1"},
    };
}

INSTANTIATE_TEST_SUITE_P(Paper, AddPaperNames, testing::ValuesIn(UniqueCases()),
                         [](const auto& info) { return std::string(info.param.label); });

struct PlaceCase {
    const char* label;
    int16_t index;
    Names expected;
};
void PrintTo(const PlaceCase& row, std::ostream* os) { *os << row.label; }


class AddPaperPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(AddPaperPlace, InsertsBeforeIndexOrAppends) {
    TPrPaper list = MakePaperList({{"A", 1, 1, 0}, {"B", 2, 2, 0}, {"C", 3, 3, 0}});
    AddPaperItem(&list, GetParam().index, "N", 595, 842, 7);
    EXPECT_EQ(PaperNames(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paper, AddPaperPlace,
                         testing::Values(PlaceCase{"First", 0, {"N", "A", "B", "C"}},
                                         PlaceCase{"Second", 1, {"A", "N", "B", "C"}},
                                         PlaceCase{"AtCount", 3, {"A", "B", "C", "N"}},
                                         PlaceCase{"BeyondCount", 50, {"A", "B", "C", "N"}},
                                         PlaceCase{"Negative", -1, {"A", "B", "C", "N"}}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(AddPaperItem, StoresSizesAndRollAsZeroOrOne) {
    TPrPaper list = MakePaperList({{"A", 1, 1, 0}});
    AddPaperItem(&list, 0, "N", 595, 842, 7);
    EXPECT_EQ(list.pitem[0].pwidth, 595);
    EXPECT_EQ(list.pitem[0].pheight, 842);
    EXPECT_EQ(list.pitem[0].pisroll, 1);
    EXPECT_EQ(std::string(list.pitem[1].pname), "A");
}

TEST(AddPaperItem, FullListIsLeftAlone) {
    TPrPaper list{};
    for (int i = 0; i < kPaperItemMax; ++i) AddPaperItem(&list, 99, "P", 1, 1, 0);
    ASSERT_EQ(list.pitem_count, kPaperItemMax);
    const TPrPaper before = list;
    AddPaperItem(&list, 0, "Q", 2, 2, 0);
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0);
}

TEST(EdtPaperItem, OverwritesWithoutMakingUnique) {
    TPrPaper list = MakePaperList({{"A", 1, 1, 0}, {"B", 2, 2, 0}});
    EdtPaperItem(&list, 1, (kLong63 + "zz").c_str(), 30, 40, 1);
    EXPECT_EQ(std::string(list.pitem[1].pname), kLong63);
    EdtPaperItem(&list, 1, "A", 30, 40, 1);
    EXPECT_EQ(PaperNames(list), (Names{"A", "A"}));
    EXPECT_EQ(list.pitem[1].pwidth, 30);
    EXPECT_EQ(list.pitem[1].pisroll, 1);

    const TPrPaper before = list;
    EdtPaperItem(&list, 2, "C", 5, 5, 0);
    EdtPaperItem(&list, -1, "C", 5, 5, 0);
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0);
}

TEST(DelPaperItem, PacksAndClearsTheFreedPlace) {
    TPrPaper list = MakePaperList({{"A", 1, 1, 0}, {"B", 2, 2, 1}, {"C", 3, 3, 0}});
    DelPaperItem(&list, 0);
    EXPECT_EQ(PaperNames(list), (Names{"B", "C"}));
    EXPECT_EQ(list.pitem[0].pisroll, 1);
    EXPECT_EQ(list.pitem[2].pname[0], '\0');
    EXPECT_EQ(list.pitem[2].pwidth, 0);
    EXPECT_EQ(list.pitem[2].pheight, 0);

    DelPaperItem(&list, 2);
    DelPaperItem(&list, -1);
    EXPECT_EQ(PaperNames(list), (Names{"B", "C"}));
}

}  // namespace
