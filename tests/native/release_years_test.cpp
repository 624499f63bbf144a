#include "acad/release_years.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ReleaseYears, ClassifiesProductNames) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    struct Row {
        const char* name;
        std::string productName;
        int yearCount;
        std::optional<int> release;
    };
    const Row rows[] = {
        {"plain", "AutoCAD 2010", 21, 3},
        {"each end of the table", "AutoCAD 2007", 21, 0},
        {"last year", "AutoCAD 2027", 21, 20},
        {"two years: the earlier of the table wins", "AutoCAD 2010 (2009)", 21, 2},
        {"two years, order in the name does not matter", "AutoCAD 2009 2010", 21, 2},
        {"year at position 0 does not count", "2010 AutoCAD", 21, std::nullopt},
        {"later occurrence does not rescue a year at 0", "2010 AutoCAD 2010", 21, std::nullopt},
        {"another year rescues the name", "2010 AutoCAD 2012", 21, 5},
        {"position 1 counts", "X2015", 21, 8},
        {"before the table", "AutoCAD 2006", 21, std::nullopt},
        {"after the table", "AutoCAD 2028", 21, std::nullopt},
        {"no year", "AutoCAD LT", 21, std::nullopt},
        {"empty", "", 21, std::nullopt},
        {"32-bit node: 2010 is the last year", "AutoCAD 2010", 4, 3},
        {"32-bit node: 2011 not filed", "AutoCAD 2011", 4, std::nullopt},
        {"32-bit node: 2007", "AutoCAD 2007", 4, 0},
        {"32-bit node: 2020 not filed", "AutoCAD 2020", 4, std::nullopt},
        {"Chinese product name", "AutoCAD 2014 \xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4", 21, 7},
    };
    for (const Row& row : rows)
        EXPECT_EQ(acad::ClassifyProductName(row.productName, row.yearCount), row.release)
            << row.name;
}

} // namespace
