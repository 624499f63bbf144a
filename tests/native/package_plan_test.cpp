#include "deploy/acad_process_name.h"
#include "deploy/package_plan.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

class PackagePlan : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }
};

TEST_F(PackagePlan, AppDataIsUsedWhenSetAndFitting) {
    // What the environment read returns: 0 when unset, the size it would need (terminator
    // included) when the value does not fit the 260-byte buffer.
    struct Row {
        unsigned long reported;
        bool fits;
    };
    const Row rows[] = {{0, false},   {1, true},    {259, true},
                        {260, false}, {261, false}, {5000, false}};
    for (const Row& row : rows)
        EXPECT_EQ(deploy::AppDataFits(row.reported), row.fits) << "reported " << row.reported;
}

TEST_F(PackagePlan, PathsThatDoNotFitAreNeverCut) {
    const std::string package = "D:\\pkg\\Data";
    const std::string install = "C:\\Vornik\\V-ZiruzOrav";

    const auto plain = deploy::PlanFilePaths(package, install, "A.arx");
    EXPECT_EQ(plain.source, "D:\\pkg\\Data\\A.arx");
    EXPECT_EQ(plain.destination, "C:\\Vornik\\V-ZiruzOrav\\A.arx");

    // 259 bytes fit the buffer with its terminator; 260 do not.
    const std::string longFolder = "C:\\" + std::string(250, 'f');
    const auto fits = deploy::PlanFilePaths(package, longFolder, "12345");
    EXPECT_EQ(fits.destination->size(), 259u);
    const auto tooLong = deploy::PlanFilePaths(package, longFolder, "123456");
    EXPECT_FALSE(tooLong.destination);
    EXPECT_TRUE(tooLong.source);

    const auto longSource = deploy::PlanFilePaths(longFolder, install, "123456");
    EXPECT_FALSE(longSource.source);
    EXPECT_TRUE(longSource.destination);

    const auto unknownSettings = deploy::PlanFilePaths(package, std::nullopt, "vornik.ini");
    EXPECT_FALSE(unknownSettings.destination);
}

TEST_F(PackagePlan, AcadProcessNames) {
    struct Row {
        const char* name;
        bool isAcad;
    };
    const Row rows[] = {
        {"acad.exe.bak", true},
        {"accoreconsole.exe", false},
        {"acad.ex", false},
        {"", false},
        {"\xb0\xb2"
         "acad.exe",
         true},
        // The "a" is the second byte of a double-byte character, not a letter of the name.
        {"\xb0"
         "acad.exe",
         false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(deploy::IsAcadProcessName(row.name), row.isAcad) << row.name;
}

} // namespace
