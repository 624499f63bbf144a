// AutoCAD's side of the installation as plain rules: which release a product name is, the
// demand-load entries of each release, the trusted-path merge, where support files go, and
// how failures are counted.
#include "acad/demand_load_entries.h"
#include "acad/release_years.h"
#include "acad/support_file_plan.h"
#include "acad/trusted_path_merge.h"
#include "acad/write_failures.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

// The release index of a product name; a 32-bit node's table ends at 2010 (4 years).
TEST(ReleaseYears, ClassifiesProductNames) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    const std::tuple<std::string, int, std::optional<int>> rows[] = {
        {"AutoCAD 2010", 21, 3},
        {"AutoCAD 2007", 21, 0},
        {"AutoCAD 2027", 21, 20},
        {"AutoCAD 2010 (2009)", 21, 2}, // the earlier of the table wins
        {"AutoCAD 2009 2010", 21, 2},
        {"2010 AutoCAD", 21, std::nullopt}, // a year at position 0 does not count
        {"2010 AutoCAD 2010", 21, std::nullopt},
        {"2010 AutoCAD 2012", 21, 5},
        {"X2015", 21, 8},
        {"AutoCAD 2006", 21, std::nullopt},
        {"AutoCAD 2028", 21, std::nullopt},
        {"AutoCAD 2010", 4, 3},
        {"AutoCAD 2011", 4, std::nullopt},
        {"AutoCAD 2014 \xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4", 21, 7},
    };
    for (const auto& [name, yearCount, release] : rows)
        EXPECT_EQ(acad::ClassifyProductName(name, yearCount), release) << name << " " << yearCount;
}

const std::string kInstall = "C:\\Vornik\\V-ZiruzOrav";
const std::string kAcad = "C:\\Program Files\\AutoCAD";

// Each entry as "key: name=number name='text'", for readable comparisons.
std::vector<std::string> Described(int year, int targetBits = 32) {
    std::vector<std::string> described;
    for (const auto& entry : acad::DemandLoadEntries(year, kInstall, kAcad, targetBits)) {
        std::string text = entry ? entry->keyName + ":" : "(skipped)";
        for (const auto& value : entry ? entry->values : decltype(entry->values){})
            text += " " + value.name + "=" +
                    (value.kind == acad::EntryValueKind::Dword ? std::to_string(value.number)
                                                               : "'" + value.text + "'");
        described.push_back(text);
    }
    return described;
}

// The years of the ARX and the DLL that each release loads.
TEST(DemandLoadEntries, EveryReleaseLoadsItsModuleGeneration) {
    const int rows[][3] = {
        {2007, 2008, 2007}, {2008, 2008, 2007}, {2009, 2009, 2009}, {2010, 2010, 2010},
        {2011, 2010, 2010}, {2012, 2010, 2010}, {2013, 2013, 2013}, {2014, 2013, 2013},
        {2015, 2015, 2013}, {2016, 2015, 2013}, {2017, 2017, 2013}, {2018, 2018, 2013},
        {2019, 2019, 2013}, {2020, 2019, 2013}, {2021, 2021, 2013}, {2022, 2021, 2013},
        {2023, 2021, 2013}, {2024, 2021, 2013}, {2025, 2025, 2013}, {2026, 2025, 2013},
        {2027, 2027, 2013},
    };
    for (const auto& [year, arx, dll] : rows) {
        const std::string y = std::to_string(year);
        EXPECT_EQ(Described(year),
                  (std::vector<std::string>{
                      "Applications\\VK_ZiruzOrav" + y + ": LOADCTRLS=2 LOADER='" + kInstall +
                          "\\VK_ZiruzOrav" + std::to_string(arx) + ".ARX'",
                      "Applications\\Vornik" + y + "DLLP: LOADCTRLS=2 LOADER='" + kAcad + "\\ACAD" +
                          std::to_string(dll) + "P.dll' MANAGED=1"}));
    }
    // The 64-bit edition also loads the older 32-bit module generation into 2009 and 2010.
    for (const auto& [year, older] :
         {std::pair(2009, "VK_ZiruzOrav2008"), std::pair(2010, "VK_ZiruzOrav2010_32")})
        EXPECT_EQ(Described(year, 64).at(1), "Applications\\" + std::string(older) +
                                                 ": LOADCTRLS=2 LOADER='" + kInstall + "\\" +
                                                 older + ".ARX'");
}

TEST(TrustedPathMerge, NewValueForCurrentValue) {
    const std::wstring folder = L"C:\\X\\V-ZiruzOrav", upper = L"C:\\X\\V-ZIRUZORAV";
    const std::pair<std::wstring, std::wstring> rows[] = {
        // Too short to name a folder: replaced, the folder in its own letter case.
        {L"\u4e2d\u6587", folder},
        // Extended: ASCII letters upper-cased, the folder after one ';'.
        {L"d:\\", L"D:\\;" + upper},
        {L"c:\\\u00e9\ud55c\u4e2d", L"C:\\\u00e9\ud55c\u4e2d;" + upper},
        {std::wstring(L"d:\\a\0e:\\b", 9), std::wstring(L"D:\\A\0E:\\B;", 10) + upper},
        // Already trusted: an equal entry, whatever its case or one trailing backslash.
        {folder, upper},
        {L"C:\\x\\V-ZiruzOrav;D:\\A", upper + L";D:\\A"},
        {L"D:\\A;c:\\x\\v-ziruzorav\\;E:\\B", L"D:\\A;" + upper + L"\\;E:\\B"},
        // Not trusted although the folder's text occurs.
        {L"D:\\C:\\X\\V-ZiruzOrav", L"D:\\C:\\X\\V-ZIRUZORAV;" + upper},
        {L"C:\\X\\V-ZiruzOrav\\\\", upper + L"\\\\;" + upper},
        {L"C:\\X\\V-ZiruzOrav ", upper + L" ;" + upper},
    };
    for (const auto& [current, merged] : rows)
        EXPECT_EQ(acad::MergeTrustedPaths(current, folder), merged)
            << testing::PrintToString(current);
}

// Added to the AutoCAD folder: "\ACAD2007P.dll" 14 characters, "\itextsharp.dll" 15,
// "\Drv\pdfplot9.hdi" 17, "\Fonts\Vornik_EN.shx" 20; 259 characters fit. Which of the
// fonts, itextsharp.dll, the libraries, the driver, and the sources, are kept (1) or left out.
TEST(SupportFilePlan, PathsTooLongForTheirBufferAreLeftOut) {
    const size_t rows[][7] = {
        {259 - 20, 20, 1, 1, 1, 1, 1}, {259 - 19, 20, 0, 1, 1, 1, 1}, {259 - 16, 20, 0, 1, 1, 0, 1},
        {259 - 14, 20, 0, 0, 1, 0, 1}, {259 - 13, 20, 0, 0, 0, 0, 1}, {20, 259 - 13, 1, 1, 1, 1, 0},
    };
    for (const auto& [acadLength, packageLength, fonts, text, libraries, driver, sources] : rows) {
        const auto copies = acad::PlanSupportFiles(std::string(packageLength, 'p'),
                                                   std::string(acadLength, 'a'), true);
        ASSERT_EQ(copies.size(), 48u);
        std::vector<bool> kept, expected = {fonts == 1, fonts == 1, text == 1};
        for (const auto& copy : copies)
            kept.push_back(copy.destination.has_value());
        expected.resize(47, libraries == 1);
        expected.push_back(driver == 1);
        EXPECT_EQ(kept, expected) << acadLength;
        EXPECT_EQ(copies[3].source.has_value(), sources == 1) << packageLength;
    }
}

// A failed entry below the 64-bit path, then the row's: one failure or two.
TEST(WriteFailures, EachFailureIsCountedOnce) {
    const std::string plain = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
    const std::string wow = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
    const std::string arx = "Applications\\VK_ZiruzOrav2010";
    const std::tuple<bool, std::string, std::string, int> rows[] = {
        // A 32-bit process reaches the same key through both paths, a 64-bit one does not.
        {true, wow, arx, 1},
        {false, wow, arx, 2},
        {true, "software\\autodesk\\autocad\\r18.0\\acad-8001:804\\",
         "APPLICATIONS\\vk_ziruzorav2010", 1},
        {true, plain, "Applications\\Vornik2010DLLP", 2},
        {true, "SOFTWARE\\Autodesk\\Wow6432Node\\AutoCAD\\R18.0\\ACAD-8001:804\\", arx, 2},
    };
    for (const auto& [wowPathsJoined, key, entry, count] : rows) {
        acad::WriteFailures failures(wowPathsJoined);
        failures.AddEntry(plain, arx);
        failures.AddEntry(key, entry);
        EXPECT_EQ(failures.Count(), count) << key << entry;
    }
    // A destination met again, in any letter case, is one file; entries and files add up.
    acad::WriteFailures failures(true);
    for (const char* file : {"C:\\CAD\\Fonts\\Vornik_EN.shx", "c:\\cad\\fonts\\VORNIK_EN.SHX",
                             "C:\\CAD\\Fonts\\Vornik_HZ.shx"})
        failures.AddFile(file);
    failures.AddEntry(plain, arx);
    EXPECT_EQ(failures.Count(), 3);
}

} // namespace
