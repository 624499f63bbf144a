// Uninstalling as a user and a deployment system meet it: the kept SetUp.exe started with
// /UNINSTALL after an installation through the dialog; afterwards the registry and the
// folders are compared with a snapshot taken before the installation, types and bytes.
#include "tests/win/install_fixture.h"
#include "install/install_record.h"

using namespace e2e;

namespace {

const std::wstring kListKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vornik V-ZiruzOrav";

class UninstallE2E : public InstallE2E {
  protected:
    void SetUp() override {
        InstallE2E::SetUp();
        if (IsSkipped())
            return;
        ClearListEntries(); // the other scenarios install and leave theirs
        cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
        cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
        for (const Product* p : {&cad2010, &cad2014}) // AutoCAD's own entry stays
            SetRegString(HKEY_LOCAL_MACHINE, p->Key() + "Applications\\AcadVBA", "LOADER", "vba");
        AddProfile(cad2014, L"Drafting", L"");
        AddProfile(cad2014, L"<<Unnamed Profile>>", L"%USERPROFILE%\\图块;D:\\Lisp", REG_EXPAND_SZ);
        // A font of that name was there before: it stays, with the installed content.
        WriteFileText(cad2014.folder + "\\Fonts\\Vornik_EN.shx", "the user's font");
    }
    void TearDown() override {
        ClearListEntries();
        InstallE2E::TearDown();
    }
    static void ClearListEntries() {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            RegDeleteKeyExW(root, kListKey.c_str(), KEY_WOW64_64KEY, 0);
    }
    Snapshot Take() {
        Snapshot s;
        for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_64KEY)}) {
            const std::string label = view ? "64" : "32";
            for (const wchar_t* key :
                 {L"SOFTWARE\\Autodesk", L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                  L"SOFTWARE\\Microsoft\\Active Setup\\Installed Components"})
                s.merge(TakeKey(HKEY_LOCAL_MACHINE, key, view, label + Utf8(key)));
        }
        for (const wchar_t* key :
             {L"Software\\Autodesk", L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"})
            s.merge(TakeKey(HKEY_CURRENT_USER, key, 0, "HKCU\\" + Utf8(key)));
        for (const std::string& folder : {cad2010.folder, cad2014.folder, target, typed, other})
            s.merge(TakeFolder(folder));
        return s;
    }
    std::string ListValue(const std::string& name) {
        const Snapshot list = TakeKey(HKEY_LOCAL_MACHINE, kListKey, KEY_WOW64_64KEY);
        return list.count("|" + name) ? list.at("|" + name) : "(none)";
    }
    // The kept installer with /UNINSTALL and the switches; its exit code.
    long Uninstall(const std::string& switches) {
        SetupProcess run(installDir + "\\SetUp.exe", appData, "/UNINSTALL " + switches);
        return run.WaitForExit(kTimeout);
    }
    // The last line of a silent run's log: its temporary copy has finished.
    bool LogEnds() {
        return ReadFileText(logFile).value_or("").find(" exit code ") != std::string::npos;
    }

    Product cad2010, cad2014;
    const std::string logFile = dir / "uninstall.log";
    // Folders of several levels that do not exist yet.
    const std::string typed = dir / "Typed\\New\\Levels", other = dir / "Tools\\My Plot Files";
};

// Interactive: one installation into a typed folder. Silent: the dialog's into the target,
// then /S into another folder, then a plain /S, which stays there; the list names the newest,
// and one uninstall removes all of it. A user's own installation, listed for that user only,
// is no part of the machine-wide one: its entry, its record and its files stay.
TEST_F(UninstallE2E, InstallThenUninstallLeavesTheMachineAsItWas) {
    const std::string usersOwn = dir / "Mine\\V-ZiruzOrav", usersFile = usersOwn + "\\keep.txt";
    MakeFolders(usersOwn);
    WriteFileText(usersFile, "the user's");
    WriteFileText(usersOwn + "\\SetUp.record",
                  install::InstallFolderLine(usersOwn) +
                      install::FileLine(core::FileKind::Package, usersFile, false));
    SetRegText(HKEY_CURRENT_USER, kListKey, L"InstallLocation", REG_SZ,
               fw::WideFromAnsi(usersOwn) + L'\0', KEY_WOW64_64KEY);
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "interactive");
        Snapshot expected = Take();
        expected[cad2014.folder + "\\Fonts\\Vornik_EN.shx"] = Payload("Vornik_EN.shx");
        ASSERT_TRUE(StartSetup());
        InstallInto(silent ? target : typed);
        installDir = (silent ? target : typed) + "\\V-ZiruzOrav";
        EXPECT_EQ(ListValue("InstallLocation"), Sz(installDir));
        for (const std::string& folder :
             silent ? std::vector{" /D=" + other, std::string()} : std::vector<std::string>{}) {
            EXPECT_EQ(
                SetupProcess(package + "\\SetUp.exe", appData, "/S" + folder).WaitForExit(kTimeout),
                0)
                << folder;
            installDir = other + "\\V-ZiruzOrav";
            EXPECT_EQ(ListValue("InstallLocation"), Sz(installDir)) << folder;
        }
        const std::string kept = installDir + "\\SetUp.exe";
        EXPECT_EQ(ListValue("DisplayName"), Sz(L"Vornik批打印软件 2026.04.02"));
        EXPECT_EQ(ListValue("QuietUninstallString"), Sz("\"" + kept + "\" /UNINSTALL /S"));
        ASSERT_NE(Take(), expected);

        if (silent) {
            EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 0);
            EXPECT_FALSE(WaitForMessageBox(0, 500).hwnd);
            EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
            EXPECT_NE(ReadFileText(logFile)->find("removed " + cad2010.folder + "\\itextsharp.dll"),
                      std::string::npos);
        } else {
            EXPECT_EQ(Uninstall("/LOG=" + logFile), 0); // its temporary copy goes on
            MessageBoxSeen box = WaitForMessageBox(0, kTimeout);
            EXPECT_EQ(box.caption, kSetupCaption);
            EXPECT_EQ(box.text, L"确实要从本机卸载Vornik批打印软件吗 ?");
            AnswerAndWait(box, IDYES);
            box = WaitForMessageBox(0, kTimeout);
            EXPECT_EQ(box.text, L"Vornik批打印软件已卸载完毕 !");
            Answer(box, IDOK);
        }
        const Snapshot after = Take();
        for (const auto& [name, value] : expected)
            EXPECT_EQ(after.count(name) ? after.at(name) : "(missing)", value) << name;
        for (const auto& [name, value] : after)
            EXPECT_TRUE(expected.count(name)) << "left behind: " << name;
        for (const std::string& folder : {target, dir / "Typed", dir / "Tools"})
            EXPECT_FALSE(Exists(folder)) << "left behind: " << folder;
        EXPECT_EQ(ReadFileText(appData + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));
        EXPECT_EQ(ReadFileText(usersFile), "the user's");
    }
}

TEST_F(UninstallE2E, RunningAutoCadRemovesNothingAndAUsersFileKeepsTheFolder) {
    for (const auto& [switches, code] :
         {std::pair("/UNINSTALL /S", 3), std::pair("/UNINSTALL /S /Q", 5)})
        EXPECT_EQ(SetupProcess(package + "\\SetUp.exe", appData, switches).WaitForExit(kTimeout),
                  code)
            << switches; // no record beside it; a bad switch
    // A temporary copy handed a value that is no number: an internal error, nothing removed.
    SetEnvironmentVariableA("VORNIK_UNINSTALL_FOLDER", package.c_str());
    SetEnvironmentVariableA("VORNIK_UNINSTALL_INSTALLER", "12x");
    EXPECT_EQ(SetupProcess(package + "\\SetUp.exe", appData, "/UNINSTALL /S").WaitForExit(kTimeout),
              8);
    SetEnvironmentVariableA("VORNIK_UNINSTALL_FOLDER", nullptr);
    SetEnvironmentVariableA("VORNIK_UNINSTALL_INSTALLER", nullptr);
    ASSERT_TRUE(StartSetup());
    InstallInto(target);
    WriteFileText(installDir + "\\notes.txt", "mine");
    const Snapshot installed = Take();
    auto acad = StartFakeAcad();
    EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 2);
    EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
    EXPECT_EQ(Take(), installed) << "nothing may be removed while AutoCAD runs";
    acad.reset();

    EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(installDir + "\\SetUp.exe"); }, kTimeout));
    EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
    EXPECT_EQ(TakeFolder(installDir), (Snapshot{{installDir + "\\notes.txt", "mine"}}));
    EXPECT_EQ(Applications(cad2010).count("VK_ZiruzOrav2010"), 0u);
    EXPECT_EQ(ListValue("DisplayName"), "(none)");
}

// A record anyone could have appended to with valid checksums, and a package file replaced by
// a link to a folder of someone else's: what no installation made stays, and so does what the
// link points to.
TEST_F(UninstallE2E, ForgedLinesAndLinksTouchNothingOutsideTheInstallation) {
    ASSERT_TRUE(StartSetup());
    InstallInto(target);
    const std::string outside = dir / "Outside", victim = outside + "\\victim.txt",
                      empty = dir / "Empty", cadFile = cad2014.folder + "\\acad.exe",
                      foreignKey = "SOFTWARE\\VornikTestForeign",
                      otherProfile = Utf8(cad2010.Variables(L"Other"));
    MakeFolders(outside);
    WriteFileText(victim, "theirs");
    WriteFileText(cadFile, "AutoCAD's");
    MakeFolders(empty);
    SetRegString(HKEY_LOCAL_MACHINE, foreignKey, "v", "theirs");
    AddProfile(cad2010, L"Other", L"D:\\Lisp");
    using namespace install;
    WriteFileText(installDir + "\\SetUp.record",
                  *ReadFileText(installDir + "\\SetUp.record") +
                      FileLine(core::FileKind::Package, victim, false) + FolderLine(empty) +
                      KeyLine(32, foreignKey) + FileLine(core::FileKind::Support, cadFile, false) +
                      TrustedPathLine(otherProfile, RecordedText{1, outside}, {1, "D:\\Lisp"}));
    const std::string link = installDir + "\\readme.txt";
    DeleteFileA(link.c_str());
    ASSERT_TRUE(MakeFolderLink(link, outside));
    // An earlier installation taken over, whose folder's parent is now a link to a folder of
    // someone else's that holds a folder and a file of the same names.
    const std::string theirs = dir / "Theirs", hop = dir / "Hop",
                      theirFile = theirs + "\\V-ZiruzOrav\\part.bin";
    MakeFolders(theirs + "\\V-ZiruzOrav");
    WriteFileText(theirFile, "theirs");
    ASSERT_TRUE(MakeFolderLink(hop, theirs));
    WriteFileText(installDir + "\\SetUp.record",
                  InstallFolderLine(hop + "\\V-ZiruzOrav") +
                      FileLine(core::FileKind::Package, hop + "\\V-ZiruzOrav\\part.bin", false) +
                      *ReadFileText(installDir + "\\SetUp.record"));

    EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 1);
    EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
    EXPECT_EQ(ReadFileText(victim), "theirs");
    EXPECT_EQ(ReadFileText(theirFile), "theirs");
    EXPECT_EQ(ReadFileText(cadFile), "AutoCAD's");
    EXPECT_TRUE(Exists(empty));
    EXPECT_EQ(TakeKey(HKEY_LOCAL_MACHINE, foreignKey).count("|v"), 1u);
    EXPECT_EQ(Trusted(cad2010, L"Other"), Sz(L"D:\\Lisp"));
    const std::string log = ReadFileText(logFile).value_or("");
    for (const std::string& what :
         {"file " + victim, "folder " + empty, "HKEY_LOCAL_MACHINE\\" + foreignKey,
          "file " + cadFile, "HKEY_CURRENT_USER\\" + otherProfile + " TRUSTEDPATHS"})
        EXPECT_NE(log.find("refused: " + what + " (not made by this installation)"),
                  std::string::npos)
            << what;
    // What the installation made goes all the same. Windows removes the link itself, Wine
    // no link to a folder (it reads it as the folder): the list entry stays for it.
    EXPECT_EQ(Applications(cad2010).count("VK_ZiruzOrav2010"), 0u);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, foreignKey.c_str());
}

} // namespace
