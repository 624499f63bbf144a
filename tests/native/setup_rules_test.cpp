#include "app/release_boxes.h"
#include "app/setup_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Narrow(const std::wstring& text) { // UTF-32 or UTF-16 to UTF-8, enough for the BMP
    std::string out;
    for (wchar_t w : text) {
        const auto c = static_cast<unsigned>(w);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TEST(SetupTexts, TitleShowsMajorMinorPatch) {
    struct Row {
        int version;
        const char* title;
    };
    const Row rows[] = {
        {20260402, "批打印软件 V2026.04.02"}, {20261215, "批打印软件 V2026.12.15"},
        {20261000, "批打印软件 V2026.10.00"}, {20260910, "批打印软件 V2026.09.10"},
        {20270099, "批打印软件 V2027.00.99"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Narrow(setup::FormatTitle(row.version)), row.title) << row.version;
}

TEST(SetupTexts, EditionKeepsTheBlanksOfItsFormat) {
    EXPECT_EQ(Narrow(setup::FormatEdition(32)), "( 32位 AutoCAD版 )");
    EXPECT_EQ(Narrow(setup::FormatEdition(64)), "( 64位 AutoCAD版 )");
}

TEST(ReleaseBoxRules, StartStateByEditionAndFinding) {
    struct Row {
        const char* name;
        int release;
        bool installed;
        int bits;
        bool visible, enabled, ticked;
    };
    const Row rows[] = {
        {"found 2012, 32-bit", 5, true, 32, true, true, true},
        {"missing 2012, 32-bit", 5, false, 32, true, false, false},
        {"found 2016, last of the 32-bit edition", 9, true, 32, true, true, true},
        {"found 2017, 32-bit: hidden and unticked", 10, true, 32, false, true, false},
        {"missing 2027, 32-bit: hidden", 20, false, 32, false, false, false},
        {"found 2020, 64-bit", 13, true, 64, true, true, true},
        {"missing 2007, 64-bit", 0, false, 64, true, false, false},
        {"found 2027, 64-bit", 20, true, 64, true, true, true},
    };
    for (const Row& row : rows) {
        const setup::ReleaseBoxStart start =
            setup::GetReleaseBoxStart(row.release, row.installed, row.bits);
        EXPECT_EQ(start.visible, row.visible) << row.name;
        EXPECT_EQ(start.enabled, row.enabled) << row.name;
        EXPECT_EQ(start.ticked, row.ticked) << row.name;
    }
}

TEST(ReleaseBoxRules, InstallNeedsOneTick) {
    acad::ReleaseTicks ticks{};
    EXPECT_FALSE(setup::AnyReleaseTicked(ticks));
    ticks[20] = 1;
    EXPECT_TRUE(setup::AnyReleaseTicked(ticks));
}

TEST(ReleaseBoxes, IdsFollowTheReleaseTable) {
    EXPECT_EQ(kReleaseBoxIds[0], 1018);
    EXPECT_EQ(kReleaseBoxIds[2], 1020);
    EXPECT_EQ(kReleaseBoxIds[3], 1027) << "2010";
    EXPECT_EQ(kReleaseBoxIds[4], 1026) << "2011";
    for (int k = 5; k < acad::kReleaseCount; ++k)
        EXPECT_EQ(kReleaseBoxIds[k], 1023 + k) << acad::ReleaseYear(k);
    const std::set<int> unique(kReleaseBoxIds.begin(), kReleaseBoxIds.end());
    EXPECT_EQ(unique.size(), kReleaseBoxIds.size());
    EXPECT_EQ(ReleaseOfBox(1027), 3);
    EXPECT_EQ(ReleaseOfBox(1022), -1);
}

} // namespace
