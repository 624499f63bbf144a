#include "acad/support_file_plan.h"

#include <gtest/gtest.h>

namespace {

// Added to the AutoCAD folder: "\ACAD2007P.dll" 14 characters, "\itextsharp.dll" 15,
// "\Drv\pdfplot9.hdi" 17, "\Fonts\Vornik_EN.shx" 20; 259 characters fit.
TEST(SupportFilePlan, PathsTooLongForTheirBufferAreLeftOut) {
    struct Row {
        const char* name;
        size_t acadLength;
        size_t packageLength;
        int fontsFit, textFits, librariesFit, driverFits; // destinations
        int sourcesFit;
    };
    const Row rows[] = {
        {"every destination fits", 259 - 20, 20, 1, 1, 1, 1, 1},
        {"fonts too long", 259 - 19, 20, 0, 1, 1, 1, 1},
        {"driver too long", 259 - 16, 20, 0, 1, 1, 0, 1},
        {"itextsharp too long, libraries fit", 259 - 14, 20, 0, 0, 1, 0, 1},
        {"nothing fits", 259 - 13, 20, 0, 0, 0, 0, 1},
        {"package folder too long", 20, 259 - 13, 1, 1, 1, 1, 0},
    };
    for (const Row& row : rows) {
        const auto copies = acad::PlanSupportFiles(std::string(row.packageLength, 'p'),
                                                   std::string(row.acadLength, 'a'), true);
        ASSERT_EQ(copies.size(), 48u);
        EXPECT_EQ(copies[0].destination.has_value(), row.fontsFit != 0) << row.name;
        EXPECT_EQ(copies[1].destination.has_value(), row.fontsFit != 0) << row.name;
        EXPECT_EQ(copies[2].destination.has_value(), row.textFits != 0) << row.name;
        for (size_t i = 3; i < 47; ++i)
            EXPECT_EQ(copies[i].destination.has_value(), row.librariesFit != 0) << row.name;
        EXPECT_EQ(copies[47].destination.has_value(), row.driverFits != 0) << row.name;
        EXPECT_EQ(copies[3].source.has_value(), row.sourcesFit != 0) << row.name;
    }
}

} // namespace
