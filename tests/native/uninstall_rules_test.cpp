#include "uninstall/install_record.h"
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

TEST(TrustedPathRestore, ActionForCurrentValue) {
    using Text = core::StoredText;
    const Text written{2, L"%A%;C:\\T\\V-ZIRUZORAV"};
    const auto write = RestoreAction::Write, leave = RestoreAction::Leave;
    struct Row {
        const char* name;
        std::optional<Text> current, before;
        RestoreAction action;
        Text value;
    };
    const Row rows[] = {
        {"unchanged: the earlier value, type and case",
         written,
         Text{2, L"%a%\u4e2d"},
         write,
         {2, L"%a%\u4e2d"}},
        {"unchanged, absent before: deleted", written, std::nullopt, RestoreAction::Delete, {}},
        {"changed since: only the folder's entry goes",
         Text{2, L"%A%;c:\\t\\v-ziruzorav\\;D:\\New"},
         Text{2, L"%a%"},
         write,
         {2, L"%A%;D:\\New"}},
        {"changed since, absent before",
         Text{1, L"C:\\T\\V-ZIRUZORAV;D:\\N"},
         std::nullopt,
         write,
         {1, L"D:\\N"}},
        {"type changed since", Text{1, written.text}, std::nullopt, write, {1, L"%A%"}},
        {"folder gone already", Text{2, L"D:\\N"}, std::nullopt, leave, {}},
        {"trusted before the install",
         Text{2, L"C:\\T\\V-ZiruzOrav;E:\\"},
         Text{2, L"C:\\T\\V-ZiruzOrav"},
         leave,
         {}},
        {"value removed since", std::nullopt, std::nullopt, leave, {}},
    };
    for (const Row& row : rows) {
        const TrustedPathsRestore r =
            RestoreTrustedPaths(row.current, row.before, written, L"C:\\T\\V-ZiruzOrav");
        EXPECT_EQ(r.action, row.action) << row.name;
        if (row.action == write) {
            EXPECT_EQ(r.value.type, row.value.type) << row.name;
            EXPECT_EQ(r.value.text, row.value.text) << row.name;
        }
    }
}

} // namespace
