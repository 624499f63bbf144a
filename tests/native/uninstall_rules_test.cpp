#include "install/install_record.h"
#include "uninstall/trusted_path_restore.h"

#include <gtest/gtest.h>

namespace {

using namespace uninstall;
using core::FileKind;

const std::string kDir = "C:\\T\\V-ZiruzOrav";

// Two runs of an installation appended to one record, the second after a crash that tore its
// last line: what the first run created stays created, a profile keeps its first "before".
TEST(InstallRecord, RunsMergeAndTornLinesAreIgnored) {
    const std::string nul("a\0b", 3);
    const std::string first =
        InstallFolderLine(kDir) + FolderLine("C:\\T") + FolderLine(kDir) +
        FileLine(FileKind::Package, kDir + "\\a.arx", false) +
        FileLine(FileKind::Support, "C:\\CAD\\Fonts\\x.shx", true) +
        FileLine(FileKind::Support, "C:\\CAD\\y.dll", false) +
        FileLine(FileKind::Settings, "C:\\AppData\\Vornik\\Vornik.Ini", false) +
        KeyLine(32, "SOFTWARE\\Autodesk\\A\\Applications\\VK") +
        TrustedPathLine("P\\Variables", RecordedText{2, "%x%;\t\u4e2d" + nul}, {2, "X;Y"}) +
        TrustedPathLine("Q\\Variables", std::nullopt, {1, kDir});
    const std::string torn = FileLine(FileKind::Package, kDir + "\\readme.txt", false);
    const std::string second =
        "\n" + FileLine(FileKind::Package, kDir + "\\A.ARX", true) + // replaced: still ours
        KeyLine(32, "software\\autodesk\\a\\applications\\vk") +
        TrustedPathLine("P\\Variables", RecordedText{2, "X;Y"}, {2, "X;Y;Z"}) +
        FileLine(FileKind::Kept, kDir + "\\SetUp.exe", false) + ListedLine("HKCU");
    std::string damaged = FolderLine("C:\\Elsewhere");
    damaged[3] = 'X';
    const InstallRecord r = ReadInstallRecord(first + torn.substr(0, torn.size() - 5) + second +
                                              damaged + torn.substr(0, 9));

    EXPECT_EQ(r.installFolder, kDir);
    EXPECT_EQ(r.folders, (std::vector<std::string>{"C:\\T", kDir}));
    ASSERT_EQ(r.files.size(), 5u);
    EXPECT_FALSE(r.files[0].existedBefore);
    ASSERT_EQ(r.keys.size(), 1u);
    EXPECT_EQ(r.keys[0].view, 32);
    ASSERT_EQ(r.trustedPaths.size(), 2u);
    EXPECT_EQ(r.trustedPaths[0].before, (RecordedText{2, "%x%;\t\u4e2d" + nul}));
    EXPECT_EQ(r.trustedPaths[0].written, (RecordedText{2, "X;Y;Z"}));
    EXPECT_FALSE(r.trustedPaths[1].before);
    EXPECT_EQ(r.listedUnder, "HKCU");

    const RemovalPlan plan = PlanRemoval(r);
    std::vector<std::string> files;
    for (const auto& f : plan.files)
        files.push_back(f.path);
    EXPECT_EQ(files, (std::vector<std::string>{kDir + "\\a.arx", "C:\\CAD\\y.dll"}));
    ASSERT_EQ(plan.keptFiles.size(), 1u);
    EXPECT_EQ(plan.folders, (std::vector<std::string>{kDir, "C:\\T"}));
    // What remains after a partial removal is written anew and reads back the same.
    EXPECT_EQ(FormatInstallRecord(ReadInstallRecord(FormatInstallRecord(r))),
              FormatInstallRecord(r));
}

// What is there now, what was there before the install, and what the uninstaller does: the
// value written back as "<type>:<text>", "delete" or "leave".
TEST(TrustedPathRestore, ActionForCurrentValue) {
    using S = core::StoredText;
    const S written{2, L"%A%;C:\\T\\V-ZIRUZORAV"};
    const std::tuple<std::optional<S>, std::optional<S>, std::wstring> rows[] = {
        {written, S{2, L"%a%\u4e2d"}, L"2:%a%\u4e2d"}, // unchanged: as it was, byte for byte
        {written, std::nullopt, L"delete"},
        // Changed since: only the folder's entry goes.
        {S{2, L"%A%;c:\\t\\v-ziruzorav\\;D:\\New"}, S{2, L"%a%"}, L"2:%A%;D:\\New"},
        {S{1, L"C:\\T\\V-ZIRUZORAV;D:\\N"}, std::nullopt, L"1:D:\\N"},
        {S{1, written.text}, std::nullopt, L"1:%A%"},
        {S{2, L"D:\\N"}, std::nullopt, L"leave"}, // the entry is gone already
        {S{2, L"C:\\T\\V-ZiruzOrav;E:\\"}, S{2, L"C:\\T\\V-ZiruzOrav"}, L"leave"}, // trusted before
        {std::nullopt, std::nullopt, L"leave"},
    };
    for (const auto& [current, before, expected] : rows) {
        const TrustedPathsRestore r =
            RestoreTrustedPaths(current, before, written, L"C:\\T\\V-ZiruzOrav");
        EXPECT_EQ(r.action == RestoreAction::Delete ? L"delete"
                  : r.action == RestoreAction::Leave
                      ? L"leave"
                      : std::to_wstring(r.value.type) + L":" + r.value.text,
                  expected);
    }
}

} // namespace
