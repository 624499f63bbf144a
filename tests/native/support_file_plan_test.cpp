#include "acad/support_file_plan.h"

#include <gtest/gtest.h>

namespace {

const std::string kPackage = "E:\\Setup\\Data";
const std::string kAcad = "C:\\AutoCAD 2008";

std::string Describe(const acad::SupportFileCopy& copy) {
    return (copy.source ? *copy.source : "(too long)") + " -> " +
           (copy.destination ? *copy.destination : "(too long)");
}

std::vector<std::string> DescribeAll(const std::string& package, const std::string& acadFolder,
                                     bool withDriver) {
    std::vector<std::string> described;
    for (const auto& copy : acad::PlanSupportFiles(package, acadFolder, withDriver))
        described.push_back(Describe(copy));
    return described;
}

std::vector<std::string> ExpectedWithoutDriver() {
    std::vector<std::string> expected = {
        kPackage + "\\Vornik_EN.shx -> " + kAcad + "\\Fonts\\Vornik_EN.shx",
        kPackage + "\\Vornik_HZ.shx -> " + kAcad + "\\Fonts\\Vornik_HZ.shx",
        kPackage + "\\itextsharp.dll -> " + kAcad + "\\itextsharp.dll",
    };
    for (int year = 2007; year <= 2050; ++year) {
        const std::string name = "\\ACAD" + std::to_string(year) + "P.dll";
        expected.push_back(kPackage + name + " -> " + kAcad + name);
    }
    return expected;
}

TEST(SupportFilePlan, FontsLibrariesAndTheDriverInOrder) {
    const auto withoutDriver = ExpectedWithoutDriver();
    ASSERT_EQ(withoutDriver.size(), 3u + 44u);
    EXPECT_EQ(DescribeAll(kPackage, kAcad, false), withoutDriver);

    auto withDriver = withoutDriver;
    withDriver.push_back(kPackage + "\\Vornik.prt5 -> " + kAcad + "\\Drv\\pdfplot9.hdi");
    EXPECT_EQ(DescribeAll(kPackage, kAcad, true), withDriver);
}

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
