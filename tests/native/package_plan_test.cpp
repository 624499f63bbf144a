#include "core/mbcs_text.h"
#include "deploy/acad_process_name.h"
#include "deploy/package_plan.h"

#include <gtest/gtest.h>

namespace {

// What the environment read returns: 0 when unset, the size it would need (terminator
// included) when the value does not fit the 260-byte buffer.
TEST(PackagePlan, AppDataIsUsedWhenSetAndFitting) {
    for (const auto& [reported, fits] : {std::pair(0ul, false), std::pair(1ul, true),
                                         std::pair(259ul, true), std::pair(260ul, false)})
        EXPECT_EQ(deploy::AppDataFits(reported), fits) << reported;
}

// 259 bytes fit the buffer with its terminator; a longer path is left out, never cut.
TEST(PackagePlan, PathsThatDoNotFitAreNeverCut) {
    const std::string longFolder = "C:\\" + std::string(250, 'f');
    const auto fits = deploy::PlanFilePaths("D:\\pkg", longFolder, "12345");
    EXPECT_EQ(fits.source, "D:\\pkg\\12345");
    EXPECT_EQ(fits.destination, longFolder + "\\12345");
    EXPECT_FALSE(deploy::PlanFilePaths("D:\\pkg", longFolder, "123456").destination);
    EXPECT_FALSE(deploy::PlanFilePaths(longFolder, "C:\\V", "123456").source);
}

TEST(PackagePlan, AcadProcessNames) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    const std::pair<const char*, bool> rows[] = {
        {"acad.exe.bak", true},
        {"ACAD.EXE", true},
        {"accoreconsole.exe", false},
        {"acad.ex", false},
        {"\xb0\xb2"
         "acad.exe",
         true},
        // The "a" is the second byte of a double-byte character, not a letter of the name.
        {"\xb0"
         "acad.exe",
         false},
    };
    for (const auto& [name, isAcad] : rows)
        EXPECT_EQ(deploy::IsAcadProcessName(name), isAcad) << name;
}

} // namespace
