#include "core/number_text.h"
#include "entry/command_line.h"
#include "silent/release_choice.h"

#include <gtest/gtest.h>

namespace {

using namespace entry;
using namespace silent;

TEST(UnattendedRules, CommandLine) {
    using Years = std::optional<std::vector<int>>;
    using Text = std::optional<std::wstring>;
    struct Row {
        const wchar_t* line;
        Action action;
        bool silent;
        Years years;
        Text log, folder;
        std::wstring problem;
    };
    const Row rows[] = {
        {L"\"C:\\My Setup\\SetUp.exe\"", Action::Dialog, false, {}, {}, {}, L""},
        {L"\"SetUp.exe\" -s /r=2010,2014 /Log=\"C:\\My Logs\\a.log\" /D=D:\\CAD Tools\\ ",
         Action::Install, true, std::vector<int>{2010, 2014}, L"C:\\My Logs\\a.log",
         L"D:\\CAD Tools\\", L""},
        {L"SetUp.exe /S /D=C:\\a /S", Action::Install, true, {}, {}, L"C:\\a /S", L""},
        {L"SetUp.exe /USERPART", Action::UserPart, true, {}, {}, {}, L""},
        {L"SetUp.exe /Uninstall /S /LOG=u.log", Action::Uninstall, true, {}, L"u.log", {}, L""},
        {L"SetUp.exe /?", Action::Usage, false, {}, {}, {}, L""},
        {L"SetUp.exe /S /X /LOG=b.log", Action::Usage, true, {}, L"b.log", {}, L"/X"},
        {L"SetUp.exe /S /R=2006", Action::Usage, true, {}, {}, {}, L"/R=2006"},
        {L"SetUp.exe /S /LOG=", Action::Usage, true, {}, {}, {}, L"/LOG="},
        {L"SetUp.exe /R=2010", Action::Usage, false, std::vector<int>{2010}, {}, {}, L"/R=2010"},
        {L"SetUp.exe /UNINSTALL /D=C:\\x", Action::Usage, false, {}, {}, L"C:\\x", L"/D=C:\\x"},
    };
    for (const Row& row : rows) {
        const CommandLine command = ParseCommandLine(ArgumentsOf(row.line));
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.line)));
        EXPECT_EQ(command.action, row.action);
        EXPECT_EQ(command.silent, row.silent);
        EXPECT_EQ(command.years, row.years);
        EXPECT_EQ(command.logPath, row.log);
        EXPECT_EQ(command.folder, row.folder);
        EXPECT_EQ(command.problem, row.problem);
    }
}

TEST(UnattendedRules, ReleaseChoice) {
    ReleasesFound found{};
    for (int year : {2008, 2010, 2018})
        found[year - 2007] = true;
    struct Row {
        int bits;
        std::optional<std::vector<int>> years;
        std::vector<int> ticked;
        std::optional<int> unavailable;
    };
    const Row rows[] = {
        {32, {}, {2008, 2010}, {}},       // 2018 is hidden in the 32-bit edition
        {64, {}, {2008, 2010, 2018}, {}}, // and served by the 64-bit one
        {32, std::vector<int>{2010, 2010}, {2010}, {}},
        {32, std::vector<int>{2010, 2014}, {}, 2014}, // not found
        {32, std::vector<int>{2018}, {}, 2018},       // found but hidden
        {64, std::vector<int>{2018}, {2018}, {}},
    };
    for (const Row& row : rows) {
        const ReleaseChoice choice = ChooseReleases(found, row.bits, row.years);
        std::vector<int> ticked;
        for (int k = 0; k < acad::kReleaseCount; ++k)
            if (choice.ticks[k])
                ticked.push_back(2007 + k);
        EXPECT_EQ(ticked, row.ticked) << row.bits;
        EXPECT_EQ(choice.unavailableYear, row.unavailable) << row.bits;
    }
}

// A value handed over between the program and its copy: the whole text a number, or none.
TEST(UnattendedRules, HandedOverNumbers) {
    using N = std::optional<unsigned long long>;
    const std::pair<std::wstring, N> rows[] = {
        {L"0", 0},   {L"4242", 4242}, {L"18446744073709551615", 18446744073709551615ull},
        {L"", {}},   {L"12x", {}},    {L"18446744073709551616", {}}, // one past the largest
        {L"-1", {}}, {L" 7", {}},     {L"0x1f", {}},
    };
    for (const auto& [text, number] : rows)
        EXPECT_EQ(core::ParseDecimal(text), number) << std::string(text.begin(), text.end());
}

} // namespace
