// The whole program as a user meets it: the 32-bit SetUp.exe started from a package folder on
// 64-bit Windows, driven through its dialog and message boxes; afterwards the registry values
// and files that AutoCAD would read are checked.
#include "tests/e2e/install_fixture.h"

using namespace e2e;

namespace {

// The 32-bit product on 64-bit Windows reads and writes the 32-bit view only: there the scan's
// two base paths reach the same key, so the 32-bit 2010 is found twice (and served twice,
// with the same entries and files), while a 64-bit AutoCAD in the 64-bit view stays unseen.
TEST_F(InstallE2E, HappyPathThreeReleasesTwoProfiles) {
    const Product cad2008 = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    MakeFolders(cad2008.folder + "\\Drv");
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    const Product cad2012x64 = AddAutoCad(2012, "R18.2", "ACAD-A001:804", KEY_WOW64_64KEY);
    AddProfile(cad2010, "<<Unnamed Profile>>", "C:\\Users\\Me\\Blocks;D:\\Lisp");
    AddProfile(cad2014, "Drafting", "");

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    for (int year = 2007; year <= 2016; ++year) {
        const bool found = year == 2008 || year == 2010 || year == 2014;
        EXPECT_EQ(IsEnabledControl(dialog, ReleaseId(year)), found) << year;
        EXPECT_EQ(IsChecked(dialog, ReleaseId(year)), found) << year;
    }
    for (int year = 2017; year <= 2027; ++year)
        EXPECT_FALSE(IsShown(dialog, ReleaseId(year))) << year;
    EXPECT_EQ(GetText(dialog, kIdFolder), L"C:\\Vornik");
    EXPECT_EQ(GetText(dialog, kIdTitle), L"批打印软件 V2026.04.02");
    EXPECT_EQ(GetText(dialog, kIdEdition), L"( 32位 AutoCAD版 )");
    EXPECT_TRUE(IsEnabledControl(dialog, kIdInstall));

    RECT before, ok, cancel;
    GetWindowRect(dialog, &before);
    GetWindowRect(GetDlgItem(dialog, kIdOk), &ok);
    GetWindowRect(GetDlgItem(dialog, kIdCancel), &cancel);

    ChooseFolder(dialog, target + "\\");
    InstallAndWaitForCompletion(dialog);

    // The completion screen.
    EXPECT_EQ(GetText(dialog, kIdOk), L"安装完成");
    for (int id : {kIdOk, kIdDone, kIdMenuPicture, kIdTitle, kIdEdition})
        EXPECT_TRUE(IsShown(dialog, id)) << id;
    for (int id :
         {kIdInstall, kIdCancel, kIdChoose, kIdPathLabel, kIdFolder, kIdBrowse, kIdProgress})
        EXPECT_FALSE(IsShown(dialog, id)) << id;
    for (int id : kReleaseIds)
        EXPECT_FALSE(IsShown(dialog, id)) << id;
    RECT after;
    GetWindowRect(dialog, &after);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    // 48 dialog units: the distance between the bottoms of OK and Cancel.
    const long lost = (before.bottom - after.bottom);
    EXPECT_EQ(lost, cancel.bottom - ok.bottom);
    EXPECT_NEAR(lost, (cancel.bottom - cancel.top) * 48 / 14, 3);
    FinishWithOk(dialog);

    // The package, without the installer, the fonts and the driver file.
    for (const char* name : {"VK_ZiruzOrav2010.arx", "VK_ZiruzOrav2013.ARX", "itextsharp.dll",
                             "ACAD2010P.dll", "ACAD2013P.dll", "readme.txt"})
        EXPECT_EQ(ReadFileText(installDir + "\\" + name), Payload(name)) << name;
    // SetUp.exe and Vornik.Ini are kept there for the uninstaller and each user's part.
    for (const char* name : {"Vornik_EN.shx", "Vornik_HZ.shx", "Vornik.prt5"})
        EXPECT_FALSE(FileExists(installDir + "\\" + name)) << name;
    EXPECT_EQ(ReadFileText(appData + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));

    // Demand-load entries.
    ExpectEntries(cad2008, 2008, 2007);
    ExpectEntries(cad2010, 2010, 2010);
    ExpectEntries(cad2014, 2013, 2013);
    EXPECT_FALSE(
        RegKeyExists(HKEY_LOCAL_MACHINE, cad2010.Key() + "Applications\\VK_ZiruzOrav2010_32"));
    EXPECT_FALSE(
        RegKeyExists(HKEY_LOCAL_MACHINE, cad2012x64.Key() + "Applications", KEY_WOW64_64KEY));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, cad2010.Key(), KEY_WOW64_64KEY))
        << "the 32-bit AutoCAD's key stays in the 32-bit view";

    // Trusted paths: extended and upper-cased, or replaced when empty.
    EXPECT_EQ(Trusted(cad2010, "<<Unnamed Profile>>"),
              "C:\\USERS\\ME\\BLOCKS;D:\\LISP;" +
                  std::string(CharUpperA(&std::string(installDir)[0])));
    EXPECT_EQ(Trusted(cad2014, "Drafting"), installDir);

    // Support files in each AutoCAD's own folders.
    for (const Product* p : {&cad2010, &cad2014}) {
        EXPECT_EQ(ReadFileText(p->folder + "\\Fonts\\Vornik_EN.shx"), Payload("Vornik_EN.shx"));
        EXPECT_EQ(ReadFileText(p->folder + "\\Fonts\\Vornik_HZ.shx"), Payload("Vornik_HZ.shx"));
        EXPECT_EQ(ReadFileText(p->folder + "\\itextsharp.dll"), Payload("itextsharp.dll"));
        EXPECT_EQ(ReadFileText(p->folder + "\\ACAD2013P.dll"), Payload("ACAD2013P.dll"));
        EXPECT_FALSE(FileExists(p->folder + "\\ACAD2011P.dll"));
    }
    // The plot driver goes to AutoCAD 2008 only.
    EXPECT_EQ(ReadFileText(cad2008.folder + "\\Drv\\pdfplot9.hdi"), Payload("Vornik.prt5"));
    EXPECT_EQ(ReadFileText(cad2008.folder + "\\itextsharp.dll"), Payload("itextsharp.dll"));
    EXPECT_FALSE(FolderExists(cad2010.folder + "\\Drv"));
}

TEST_F(InstallE2E, UntickedReleaseGetsNoEntriesButItsProfilesTrustTheFolder) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    AddProfile(cad2014, "<<Unnamed Profile>>", "X");

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, ReleaseId(2014));
    ASSERT_TRUE(WaitUntil([&] { return !IsChecked(dialog, ReleaseId(2014)); }, kTimeout));
    EXPECT_TRUE(IsEnabledControl(dialog, kIdInstall));
    ChooseFolder(dialog, target);
    InstallAndWaitForCompletion(dialog);
    FinishWithOk(dialog);

    ExpectEntries(cad2010, 2010, 2010);
    ExpectNoEntries(cad2014);
    EXPECT_FALSE(FileExists(cad2014.folder + "\\itextsharp.dll"));
    EXPECT_TRUE(FileExists(cad2010.folder + "\\itextsharp.dll"));
    EXPECT_EQ(Trusted(cad2014, "<<Unnamed Profile>>"), installDir);
}

TEST_F(InstallE2E, InstallStaysDisabledWithoutFolderOrTick) {
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    // Enter in the folder box must not end the installer before anything was installed.
    PostMessageW(GetDlgItem(dialog, kIdFolder), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(GetDlgItem(dialog, kIdFolder), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(setup->WaitForExit(1000), -1) << "Enter ended the installer";
    ChooseFolder(dialog, "");
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledControl(dialog, kIdInstall); }, kTimeout))
        << "Install enabled with an empty folder";
    ChooseFolder(dialog, target);
    EXPECT_TRUE(WaitUntil([&] { return IsEnabledControl(dialog, kIdInstall); }, kTimeout));
    Click(dialog, ReleaseId(2010));
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledControl(dialog, kIdInstall); }, kTimeout))
        << "Install enabled without a tick";
    Click(dialog, kIdCancel);
    EXPECT_EQ(setup->WaitForExit(kTimeout), 0);
    EXPECT_FALSE(FolderExists(target));
}

TEST_F(InstallE2E, RunningAutoCadIsReportedOnceThenInstallGoesAhead) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const std::string fakeAcad = dir / "acad.exe";
    ASSERT_TRUE(CopyFileA(WindowsPath(IDLE_HELPER_UNIX_PATH).c_str(), fakeAcad.c_str(), FALSE));
    SetupProcess acad(fakeAcad, appData);
    ASSERT_TRUE(acad.started());

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    MessageBoxSeen box = InstallUntilMessage(dialog);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, L"请关闭AutoCAD后再进行安装 !");
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
    EXPECT_FALSE(FolderExists(target)) << "nothing may be created while AutoCAD runs";
    EXPECT_TRUE(IsShown(dialog, kIdInstall));

    InstallAndWaitForCompletion(dialog); // AutoCAD still runs: no second warning
    FinishWithOk(dialog);
    ExpectEntries(cad2010, 2010, 2010);
}

TEST_F(InstallE2E, MissingPackageEndsTheProgramWithoutRegistering) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    for (const char* name : kPackageFiles)
        DeleteFileA((data + "\\" + name).c_str());
    RemoveDirectoryA(data.c_str());

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    MessageBoxSeen box = InstallUntilMessage(dialog);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, L"未找到安装所需的Data文件夹 !\n\n可能安装文件下载后没有解压，\n\n"
                        L"请解压后再执行SetUp.exe !");
    Answer(box, IDOK);
    EXPECT_EQ(setup->WaitForExit(kTimeout), static_cast<long>(0));
    ExpectNoEntries(cad2010);
    EXPECT_FALSE(FileExists(cad2010.folder + "\\itextsharp.dll"));
}

// The picker opens on the folder of the field, takes typed text, refuses an invalid folder
// and stays open, and creates a new one on request.
TEST_F(InstallE2E, BrowseCreatesTheTypedFolderAndInstallsThere) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    ChooseFolder(dialog, package);
    Click(dialog, kIdBrowse);
    HWND browse = WaitForWindow(setup->pid(), L"请选择安装目录：", kTimeout);
    ASSERT_NE(browse, nullptr) << "no folder picker";
    const auto wide = [](const std::string& text) {
        return std::wstring(text.begin(), text.end());
    };
    EXPECT_TRUE(WaitUntil([&] { return GetText(browse, 14148) == wide(package); }, kTimeout))
        << "the picker does not show the field's folder: " << Utf8(GetText(browse, 14148));
    SetText(browse, 14148, L"");
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledControl(browse, IDOK); }, kTimeout));

    const std::string invalid = target + "\\a|b";
    SetText(browse, 14148, wide(invalid));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabledControl(browse, IDOK); }, kTimeout));
    Click(browse, IDOK);
    MessageBoxSeen box = WaitForMessageBox(setup->pid(), kTimeout);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, L"SetUp");
    EXPECT_EQ(box.text, L"The folder:\n\n" + wide(invalid) + L"\n\nis invalid. Please reenter.");
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
    EXPECT_TRUE(IsWindow(browse));

    const std::string chosen = target + "\\New Tools";
    SetText(browse, 14148, wide(chosen));
    Click(browse, IDOK);
    box = WaitForMessageBox(setup->pid(), kTimeout);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, L"The folder:\n\n" + wide(chosen) +
                            L"\n\ndoes not exist. Do you want the folder to be created?");
    Answer(box, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browse); }, kTimeout));
    EXPECT_TRUE(FolderExists(chosen));
    EXPECT_EQ(GetText(dialog, kIdFolder), wide(chosen));

    installDir = chosen + "\\V-ZiruzOrav";
    InstallAndWaitForCompletion(dialog);
    FinishWithOk(dialog);
    EXPECT_TRUE(FileExists(installDir + "\\readme.txt"));
    ExpectEntries(cad2010, 2010, 2010);
}

class LockedDestination : public InstallE2E {
  protected:
    // Holds the installed copy of one package file open so that its copy fails for real.
    void LockInstalledFile(const std::string& name) {
        MakeFolders(installDir);
        WriteFileText(installDir + "\\" + name, "old");
        lock.reset(CreateFileA((installDir + "\\" + name).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
    }
    MessageBoxSeen InstallUntilCopyFails(HWND dialog, const std::string& name) {
        MessageBoxSeen box = InstallUntilMessage(dialog);
        const std::string path = installDir + "\\" + name;
        EXPECT_EQ(box.text, L"拷贝文件 " + std::wstring(path.begin(), path.end()) +
                                L" 失败，可能原因如下：\n\n1、AutoCAD未关闭\n\n"
                                L"2、系统权限未开放，请以管理者权限登陆系统");
        return box;
    }
    fw::unique_file lock;
};

TEST_F(LockedDestination, AbortEndsTheProgramAndKeepsEarlierFiles) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const std::string locked = "itextsharp.dll";
    LockInstalledFile(locked);
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    MessageBoxSeen box = InstallUntilCopyFails(dialog, locked);
    ASSERT_NE(box.hwnd, nullptr);
    Answer(box, IDABORT);
    EXPECT_EQ(setup->WaitForExit(kTimeout), 0);

    ExpectNoEntries(cad2010);
    EXPECT_FALSE(FileExists(cad2010.folder + "\\itextsharp.dll"));
    const auto order = ListFiles(data);
    for (const std::string& name : order) {
        if (name == locked)
            break;
        const bool staysOut =
            name.find(".shx") != std::string::npos || name == "Vornik.prt5" || name == "Vornik.Ini";
        if (!staysOut) {
            EXPECT_TRUE(FileExists(installDir + "\\" + name)) << name << " copied before";
        }
    }
}

TEST_F(LockedDestination, IgnoreCompletesWithoutThatFile) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    LockInstalledFile("readme.txt");
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    MessageBoxSeen box = InstallUntilCopyFails(dialog, "readme.txt");
    ASSERT_NE(box.hwnd, nullptr);
    Answer(box, IDIGNORE);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout));
    FinishWithOk(dialog);
    lock.reset();

    EXPECT_EQ(ReadFileText(installDir + "\\readme.txt"), "old");
    EXPECT_EQ(ReadFileText(installDir + "\\ACAD2013P.dll"), Payload("ACAD2013P.dll"));
    ExpectEntries(cad2010, 2010, 2010);
}

// Each entry or file that could not be written counts once, also for the 2010 that the scan
// meets under both base paths: its two fonts fail (no Fonts folder) and count two, not four.
TEST_F(InstallE2E, FailedRegistrationIsReportedBeforeTheCompletionScreen) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    ASSERT_TRUE(RemoveDirectoryA((cad2010.folder + "\\Fonts").c_str()));
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    // The product key vanishes after the scan: neither of its two entries can be written.
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, cad2014.Key().c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, cad2014.Key().substr(0, cad2014.Key().size() - 1).c_str());
    MessageBoxSeen box = InstallUntilMessage(dialog);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text,
              L"有 4 项AutoCAD注册信息或支持文件未能写入，可能原因如下：\n\n"
              L"1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理员身份运行SetUp.exe后重新安装");
    EXPECT_FALSE(IsShown(dialog, kIdOk)) << "the warning comes before the completion screen";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout));
    FinishWithOk(dialog);
    ExpectEntries(cad2010, 2010, 2010);
}

// The 64-bit edition is a 64-bit program: it finds 64-bit AutoCAD in the 64-bit view, still
// reaches a 32-bit 2007-2010 through the Wow6432Node base path, shows every release and adds
// the older modules of 2009 and 2010.
TEST_F(InstallE2E, SixtyFourBitEditionServesBothViews) {
    ASSERT_TRUE(CopyFileA(WindowsPath(SETUP_EDITION64_UNIX_PATH).c_str(),
                          (package + "\\SetUp.exe").c_str(), FALSE))
        << "the 64-bit edition is missing: scripts/build.sh builds it";
    const Product cad2008 = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    MakeFolders(cad2008.folder + "\\Drv");
    const Product cad2009 = AddAutoCad(2009, "R17.2", "ACAD-7001:804", KEY_WOW64_64KEY);
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804", KEY_WOW64_64KEY);
    const Product cad2018 = AddAutoCad(2018, "R22.0", "ACAD-1001:804", KEY_WOW64_64KEY);
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetText(dialog, kIdEdition), L"( 64位 AutoCAD版 )");
    for (int year = 2007; year <= 2027; ++year) {
        const bool found = year == 2008 || year == 2009 || year == 2010 || year == 2018;
        EXPECT_TRUE(IsShown(dialog, ReleaseId(year))) << year;
        EXPECT_EQ(IsChecked(dialog, ReleaseId(year)), found) << year;
    }
    ChooseFolder(dialog, target);
    InstallAndWaitForCompletion(dialog);
    FinishWithOk(dialog);

    ExpectEntries(cad2008, 2008, 2007);
    ExpectEntries(cad2009, 2009, 2009);
    ExpectEntries(cad2010, 2010, 2010);
    ExpectEntries(cad2018, 2018, 2013);
    const auto older = [&](const Product& p, const std::string& name) {
        ExpectExactValues(
            HKEY_LOCAL_MACHINE, p.Key() + "Applications\\" + name,
            {{"LOADCTRLS", Dword(2)}, {"LOADER", Sz(installDir + "\\" + name + ".ARX")}}, p.view);
    };
    older(cad2009, "VK_ZiruzOrav2008");
    older(cad2010, "VK_ZiruzOrav2010_32");
    EXPECT_EQ(ListRegSubKeys(HKEY_LOCAL_MACHINE, cad2008.Key() + "Applications").size(), 2u);
    EXPECT_EQ(ReadFileText(cad2018.folder + "\\ACAD2013P.dll"), Payload("ACAD2013P.dll"));
}

} // namespace
