#include "install/install_record.h"
#include "uninstall/record_check.h"
#include "uninstall/trusted_path_restore.h"

#include <gtest/gtest.h>

namespace {

using namespace install;
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

// An installation into another folder takes over the record of the one before: one uninstall
// removes both, with the first run's "before"; back in the first folder, its own record and
// the one taken over fold into one again. In place, nothing is taken over.
TEST(InstallRecord, AnotherFolderTakesOverTheEarlierRecord) {
    const std::string a = "C:\\A\\V-ZiruzOrav", b = "D:\\B\\V-ZiruzOrav", font = "C:\\CAD\\x.shx";
    // One run into folder: its folders, a package file, the font, the profile's list.
    const auto run = [&](const std::string& folder, bool fontExisted, const std::string& before,
                         const std::string& written) {
        return InstallFolderLine(folder) + FolderLine(folder.substr(0, 4)) + FolderLine(folder) +
               FileLine(FileKind::Package, folder + "\\a.arx", false) +
               FileLine(FileKind::Support, font, fontExisted) +
               TrustedPathLine("P", RecordedText{1, before}, {1, written}) + ListedLine("HKLM");
    };
    const std::string recordA = run(a, false, "X", "X;" + a);
    EXPECT_EQ(TakeOverRecord(recordA, "c:\\a\\v-ziruzorav"), "");
    const std::string recordB =
        TakeOverRecord(recordA, b) + run(b, true, "X;" + a, "X;" + a + ";" + b);
    const std::string again = recordA + TakeOverRecord(recordB, a) + run(a, true, "X;A;B", "X;A;B");
    struct Row {
        std::string content, folder, earlier;
    };
    for (const Row& row : {Row{recordB, b, a}, Row{again, a, b}}) {
        const InstallRecord r = ReadInstallRecord(row.content);
        EXPECT_EQ(r.installFolder, row.folder);
        EXPECT_EQ(r.earlierFolders, std::vector<std::string>{row.earlier});
        ASSERT_EQ(r.files.size(), 3u);
        EXPECT_FALSE(r.files[1].existedBefore) << "the font was not there before the first run";
        ASSERT_EQ(r.trustedPaths.size(), 1u);
        EXPECT_EQ(r.trustedPaths[0].before, (RecordedText{1, "X"}));
        const RemovalPlan plan = PlanRemoval(r);
        EXPECT_EQ(plan.files.size(), 3u); // both package files and the font
        ASSERT_EQ(plan.keptFiles.size(), 1u);
        EXPECT_EQ(plan.keptFiles[0].path, row.earlier + "\\SetUp.record");
        EXPECT_EQ(plan.folders, (std::vector<std::string>{a, b, "C:\\A", "D:\\B"}));
        EXPECT_EQ(FormatInstallRecord(ReadInstallRecord(FormatInstallRecord(r))),
                  FormatInstallRecord(r));
    }
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
        // An installation taken over: its folder goes too, unless it was trusted before.
        {S{1, L"C:\\OLD\\V-ZIRUZORAV;C:\\T\\V-ZIRUZORAV;D:\\N"}, std::nullopt, L"1:D:\\N"},
        {S{1, L"C:\\OLD\\V-ZIRUZORAV;C:\\T\\V-ZIRUZORAV"}, S{1, L"C:\\OLD\\V-ZiruzOrav"},
         L"1:C:\\OLD\\V-ZIRUZORAV"},
    };
    for (const auto& [current, before, expected] : rows) {
        const TrustedPathsRestore r = RestoreTrustedPaths(
            current, before, written, {L"C:\\T\\V-ZiruzOrav", L"C:\\Old\\V-ZiruzOrav"});
        EXPECT_EQ(r.action == RestoreAction::Delete ? L"delete"
                  : r.action == RestoreAction::Leave
                      ? L"leave"
                      : std::to_wstring(r.value.type) + L":" + r.value.text,
                  expected);
    }
}

// Each line appended to a record of kDir, checked against a machine with AutoCAD 2008 and
// 2014: how many of its facts are accepted and how many refused. A refused line does nothing.
TEST(RecordCheck, AcceptsOnlyWhatAnInstallationCouldHaveMade) {
    const std::string cad = "SOFTWARE\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804\\";
    const std::string vars = cad + "Profiles\\P\\Variables", lisp = "D:\\LISP";
    const std::string trusted = lisp + ";C:\\T\\V-ZIRUZORAV", kOld = "C:\\Old\\V-ZiruzOrav";
    const MachineFacts facts{
        "c:\\t\\v-ziruzorav",
        {{2008, "SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804\\", "C:\\CAD 2008"},
         {2014, cad, "C:\\CAD 2014"}},
        32,
        32};
    using Counts = std::pair<size_t, size_t>;
    const Counts ok{1, 0}, refused{0, 1};
    const std::pair<std::string, Counts> rows[] = {
        // Created folders: the install folder and the levels above it.
        {FolderLine(kDir), ok},
        {FolderLine("C:\\t"), ok},
        {FolderLine("C:\\"), refused},
        {FolderLine("C:\\Elsewhere"), refused},
        {FolderLine(kDir + "\\sub"), refused},
        {FolderLine(kDir + "\\..\\..\\Windows"), refused},
        {FolderLine("C:\\T\\V-ZiruzOrav2"), refused},
        {FolderLine("C:\\T."), refused},
        // The settings folder passes with its file; neither is ever removed.
        {FileLine(FileKind::Settings, "C:\\AppData\\Vornik\\Vornik.Ini", false) +
             FolderLine("C:\\AppData\\Vornik"),
         ok},
        // Package and kept files: directly in the install folder.
        {FileLine(FileKind::Package, kDir + "\\a.arx", false), ok},
        {FileLine(FileKind::Kept, "C:/T/V-ZiruzOrav/SetUp.exe", false), ok},
        {FileLine(FileKind::Package, "C:\\Windows\\evil.dll", false), refused},
        {FileLine(FileKind::Package, kDir + "\\..\\evil.dll", false), refused},
        {FileLine(FileKind::Package, kDir + "/../evil.dll", false), refused},
        {FileLine(FileKind::Package, kDir + "\\sub\\a.arx", false), refused},
        {FileLine(FileKind::Package, kDir + "2\\a.arx", false), refused},
        {FileLine(FileKind::Package, "C:\\T\\V-ZiruzOrav.\\a.arx", false), refused},
        {FileLine(FileKind::Package, "C:\\T\\V-ZiruzOrav \\a.arx", false), refused},
        {FileLine(FileKind::Package, kDir + "\\a.arx::$DATA", false), refused},
        {FileLine(FileKind::Package, "\\\\?\\" + kDir + "\\a.arx", false), refused},
        // Support files: their planned names in an AutoCAD folder found.
        {FileLine(FileKind::Support, "C:\\CAD 2014\\Fonts\\Vornik_EN.shx", false), ok},
        {FileLine(FileKind::Support, "c:\\cad 2014\\acad2013p.DLL", true), ok},
        {FileLine(FileKind::Support, "C:\\CAD 2008\\Drv\\pdfplot9.hdi", false), ok},
        {FileLine(FileKind::Support, "C:\\CAD 2014\\Drv\\pdfplot9.hdi", false), refused},
        {FileLine(FileKind::Support, "C:\\CAD 2014\\acad.exe", false), refused},
        {FileLine(FileKind::Support, "C:\\CAD 2014\\Fonts\\..\\acad.exe", false), refused},
        {FileLine(FileKind::Support, "C:\\Windows\\Fonts\\Vornik_EN.shx", false), refused},
        // Keys: the add-in's entry names below a product key found, in its view.
        {KeyLine(32, cad + "Applications\\VK_ZiruzOrav2014"), ok},
        {KeyLine(32, "software\\autodesk\\autocad\\r19.1\\acad-d001:804\\applications\\"
                     "vornik2014dllp"),
         ok},
        {KeyLine(64, cad + "Applications\\VK_ZiruzOrav2014"), refused},
        {KeyLine(32, cad + "Applications\\AcadVBA"), refused},
        {KeyLine(32, cad + "Applications\\VK_ZiruzOrav2008"), refused},
        {KeyLine(32, "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\Applications\\"
                     "VK_ZiruzOrav2010"),
         refused},
        {KeyLine(32, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"), refused},
        // TRUSTEDPATHS: "written" is exactly what the install makes of "before".
        {TrustedPathLine(vars, RecordedText{1, "D:\\Lisp"}, {1, trusted}), ok},
        {TrustedPathLine(vars, RecordedText{2, "%A%"}, {2, "%A%;C:\\T\\V-ZIRUZORAV"}), ok},
        {TrustedPathLine(vars, std::nullopt, {1, kDir}), ok},
        {TrustedPathLine(vars, RecordedText{1, "."}, {1, kDir}), ok},
        // Installed twice: the second installation upper-cases what the first wrote.
        {TrustedPathLine(vars, RecordedText{1, ""}, {1, "C:\\T\\V-ZIRUZORAV"}), ok},
        {TrustedPathLine(vars, RecordedText{1, "D:\\Lisp"}, {1, lisp}), refused},
        {TrustedPathLine(vars, RecordedText{1, "D:\\Lisp;E:\\Mine"}, {1, trusted}), refused},
        {TrustedPathLine(vars, std::nullopt, {1, trusted}), refused},
        {TrustedPathLine(vars, RecordedText{2, "D:\\Lisp"}, {1, trusted}), refused},
        {TrustedPathLine(vars, RecordedText{1, "D:\\Lisp"}, {1, trusted + ";E:\\MINE"}), refused},
        {TrustedPathLine("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", std::nullopt,
                         {1, kDir}),
         refused},
        // Another install folder than the record's own: it and what lies in it.
        {InstallFolderLine("C:\\Other") + FileLine(FileKind::Package, "C:\\Other\\a", false),
         {0, 2}},
        // An installation taken over: its folder is an install folder too; trusted paths may
        // hold both. A taken-over folder of another name is no installation's.
        {InstallFolderLine(kOld) + FileLine(FileKind::Package, kOld + "\\a.arx", false) +
             InstallFolderLine(kDir),
         ok},
        {InstallFolderLine(kOld) + InstallFolderLine(kDir) +
             TrustedPathLine(vars, RecordedText{1, "D:\\Lisp"},
                             {1, "D:\\LISP;C:\\OLD\\V-ZIRUZORAV;C:\\T\\V-ZIRUZORAV"}),
         ok},
        {InstallFolderLine("C:\\Windows") +
             FileLine(FileKind::Package, "C:\\Windows\\evil.dll", false) + InstallFolderLine(kDir),
         {0, 2}},
    };
    const WidenUtf8 widen = [](const std::string& s) { return std::wstring(s.begin(), s.end()); };
    for (const auto& [line, counts] : rows) {
        const CheckedRecord checked =
            CheckRecord(ReadInstallRecord(InstallFolderLine(kDir) + line), facts, widen);
        const InstallRecord& a = checked.accepted;
        EXPECT_EQ(Counts(a.folders.size() + a.files.size() + a.keys.size() + a.trustedPaths.size(),
                         checked.refused.size()),
                  counts)
            << line;
    }
}

} // namespace
