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
    // A profile and folder the code page lacks, in a list that expands variables.
    AddProfileRaw(cad2014, L"\ud55c\uad6d",
                  {REG_EXPAND_SZ, std::wstring(L"%APPDATA%\\\ud55c\0", 11)});

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    for (int year = 2007; year <= 2016; ++year) {
        const bool found = year == 2008 || year == 2010 || year == 2014;
        EXPECT_TRUE(IsShown(dialog, ReleaseId(year))) << year;
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
    // The settings file is kept beside the package, with the installer, for later runs.
    for (const char* name : {"VK_ZiruzOrav2010.arx", "VK_ZiruzOrav2013.ARX", "itextsharp.dll",
                             "ACAD2010P.dll", "ACAD2013P.dll", "readme.txt", "Vornik.Ini"})
        EXPECT_EQ(ReadFileText(installDir + "\\" + name), Payload(name)) << name;
    EXPECT_EQ(ReadFileText(installDir + "\\SetUp.exe"), ReadFileText(package + "\\SetUp.exe"));
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
    EXPECT_EQ(TrustedRaw(cad2014, L"\ud55c\uad6d"),
              RawList(REG_EXPAND_SZ, L"%APPDATA%\\\ud55c;" +
                                         fw::WideFromAnsi(CharUpperA(&std::string(installDir)[0])) +
                                         L'\0'));

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
    InstallInto(dialog, target);

    ExpectEntries(cad2010, 2010, 2010);
    ExpectNoEntries(cad2014);
    EXPECT_FALSE(FileExists(cad2014.folder + "\\itextsharp.dll"));
    EXPECT_TRUE(FileExists(cad2010.folder + "\\itextsharp.dll"));
    EXPECT_EQ(Trusted(cad2014, "<<Unnamed Profile>>"), installDir);
}

TEST_F(InstallE2E, NothingIsInstalledWithoutAUsableFolderOrATick) {
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
    // A folder that is relative, holds the trusted-path separator or leaves no room for the
    // add-in's longest path is refused before anything is created.
    const std::string tooLong = target + "\\" + std::string(224 - target.size() - 1, 'x');
    for (const std::string& refused : {std::string("Vornik"), target + ";b", tooLong}) {
        ChooseFolder(dialog, refused);
        Click(dialog, kIdInstall);
        const MessageBoxSeen box = WaitForMessageBox(setup->pid(), kTimeout);
        EXPECT_EQ(Utf8(box.text), "The folder:\n\n" + refused + "\n\nis invalid. Please reenter.");
        EXPECT_EQ(box.caption, L"SetUp");
        Answer(box, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
        EXPECT_TRUE(IsShown(dialog, kIdInstall)) << refused;
    }
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

// Retry while the file is still held asks again; Ignore goes on without it. A package file
// whose name the code page cannot spell cannot be copied either, and the message names it as
// it really is.
TEST_F(LockedDestination, RetryAsksAgainAndIgnoreCompletesWithoutThatFile) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    LockInstalledFile("readme.txt");
    fw::unique_file(CreateFileW((fw::WideFromAnsi(data) + L"\\\ud55c.arx").c_str(), GENERIC_WRITE,
                                0, nullptr, CREATE_NEW, 0, nullptr));
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    ChooseFolder(dialog, target);
    Click(dialog, kIdInstall);
    std::vector<std::wstring> failed;
    while (!IsShown(dialog, kIdOk)) {
        const MessageBoxSeen box = WaitForMessageBox(setup->pid(), kTimeout);
        if (!box.hwnd)
            break;
        failed.push_back(box.text);
        const bool firstForReadme = box.text.find(L"readme") != std::wstring::npos &&
                                    std::count(failed.begin(), failed.end(), box.text) == 1;
        Answer(box, firstForReadme ? IDRETRY : IDIGNORE);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
    }
    const auto failure = [](const std::wstring& path) {
        return L"拷贝文件 " + path +
               L" 失败，可能原因如下：\n\n1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理者权限登陆"
               L"系统";
    };
    const std::wstring readme = fw::WideFromAnsi(installDir + "\\readme.txt");
    std::sort(failed.begin(), failed.end());
    std::vector<std::wstring> expected = {failure(readme), failure(readme),
                                          failure(fw::WideFromAnsi(installDir) + L"\\\ud55c.arx")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(failed, expected);
    FinishWithOk(dialog);
    lock.reset();
    EXPECT_EQ(ReadFileText(installDir + "\\readme.txt"), "old");
    EXPECT_EQ(ReadFileText(installDir + "\\ACAD2013P.dll"), Payload("ACAD2013P.dll"));
    ExpectEntries(cad2010, 2010, 2010);
}

// More files than any listing limit, a sub-folder, a read-only package file and a read-only
// older copy in the install folder: every file is copied, nothing of the sub-folder, and
// both sides end writable.
TEST_F(InstallE2E, EveryPackageFileIsCopiedAndEndsWritable) {
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    for (int i = 0; i < 120; ++i)
        WriteFileText(data + "\\f" + std::to_string(i) + ".dll", "file " + std::to_string(i));
    MakeFolders(data + "\\Sub");
    WriteFileText(data + "\\Sub\\inner.arx", "inner");
    const std::string readOnly[] = {data + "\\readme.txt", installDir + "\\VK_ZiruzOrav2010.arx"};
    MakeFolders(installDir);
    WriteFileText(readOnly[1], "old");
    for (const std::string& path : readOnly)
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    InstallInto(dialog, target);
    // With the kept SetUp.exe and Vornik.Ini, and the install record.
    EXPECT_EQ(ListFiles(installDir).size(), 6u + 3u + 120u);
    EXPECT_EQ(ReadFileText(installDir + "\\f119.dll"), "file 119");
    EXPECT_EQ(ReadFileText(readOnly[1]), Payload("VK_ZiruzOrav2010.arx"));
    EXPECT_FALSE(FolderExists(installDir + "\\Sub"));
    for (const std::string& path : {readOnly[0], readOnly[1], installDir + "\\readme.txt"})
        EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << path;
}

// The scan offers only keys that hold a folder and a product name with a year after its
// start, at any depth, every product of a release; whatever else lies below AutoCAD's key
// is passed over.
TEST_F(InstallE2E, OnlyRealInstallationsAreOffered) {
    const Product chs = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product enu = AddAutoCad(2010, "R18.0", "ACAD-8001:409");
    const Product nested = AddAutoCad(2014, "R19.1", "Group\\ACAD-D001:804");
    const std::string base = "SOFTWARE\\Autodesk\\AutoCAD\\";
    const auto value = [&](const std::string& key, const char* name, const std::string& text) {
        SetRegString(HKEY_LOCAL_MACHINE, base + key, name, text);
    };
    value("R17.2\\P", "AcadLocation", "AutoCAD 2009"); // not an absolute folder
    value("R17.2\\P", "ProductName", "AutoCAD 2009");
    value("R18.2\\P", "AcadLocation", "C:\\" + std::string(517, 'x')); // longer than 520 bytes
    value("R18.2\\P", "ProductName", "AutoCAD 2012");
    value("R19.0\\P", "AcadLocation", "C:\\A");
    value("R19.0\\P", "ProductName", "2013 AutoCAD"); // the year at the very start
    value("R20.0\\P", "AcadLocation", "C:\\A");       // the name in another key
    value("R20.0\\P\\Sub", "ProductName", "AutoCAD 2015");
    value("R20.1", "ProductName", "AutoCAD 2016"); // hides the product below it
    value("R20.1\\P", "AcadLocation", "C:\\A");
    value("R20.1\\P", "ProductName", "AutoCAD 2016");
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    for (int year = 2007; year <= 2016; ++year)
        EXPECT_EQ(IsEnabledControl(dialog, ReleaseId(year)), year == 2010 || year == 2014) << year;
    InstallInto(dialog, target);
    ExpectEntries(chs, 2010, 2010);
    ExpectEntries(enu, 2010, 2010);
    ExpectEntries(nested, 2013, 2013);
}

// Each entry, list or file that could not be written counts once, also for the 2010 that the
// scan meets under both base paths: its two fonts fail (no Fonts folder) and count two, not
// four; the vanished 2014 key's two entries; a profile list that is no single text.
TEST_F(InstallE2E, FailedRegistrationIsReportedBeforeTheCompletionScreen) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    ASSERT_TRUE(RemoveDirectoryA((cad2010.folder + "\\Fonts").c_str()));
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    // A list that is no single text is left as it is, and counted.
    const RawList multi{REG_MULTI_SZ, std::wstring(L"d:\\a\0e:\\b\0\0", 10)};
    AddProfileRaw(cad2010, L"Multi", multi);
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    // The product key vanishes after the scan: neither of its two entries can be written.
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, cad2014.Key().c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, cad2014.Key().substr(0, cad2014.Key().size() - 1).c_str());
    MessageBoxSeen box = InstallUntilMessage(dialog);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text,
              L"有 5 项AutoCAD注册信息或支持文件未能写入，可能原因如下：\n\n"
              L"1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理员身份运行SetUp.exe后重新安装");
    EXPECT_FALSE(IsShown(dialog, kIdOk)) << "the warning comes before the completion screen";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout));
    FinishWithOk(dialog);
    ExpectEntries(cad2010, 2010, 2010);
    EXPECT_EQ(TrustedRaw(cad2010, L"Multi"), multi);
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
    InstallInto(dialog, target);

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

// Under an English system locale (code page 1252) every text still reads right, the folder
// picker's title too, which the shell takes from an ANSI record. A typed folder that the code
// page cannot spell is refused rather than installed into a folder of '?'.
TEST_F(InstallE2E, TextsReadRightUnderAnEnglishCodePage) {
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    setup = std::make_unique<SetupProcess>(package + "\\SetUp.exe", appData, "", L"en_US.UTF-8");
    ASSERT_TRUE(setup->started()) << "CreateProcess error " << setup->startError();
    HWND dialog = WaitForWindow(0, kDialogCaption, kTimeout);
    ASSERT_NE(dialog, nullptr);
    const std::pair<int, const wchar_t*> texts[] = {
        {kIdTitle, L"批打印软件 V2026.04.02"},
        {kIdEdition, L"( 32位 AutoCAD版 )"},
        {kIdChoose, L"请选择安装组件："},
        {kIdPathLabel, L"请选择安装路径："},
        {kIdInstall, L"安  装"},
        {kIdCancel, L"取  消"},
        {kIdBrowse, L"浏览..."},
        {kIdOk, L"安装完成"},
        {kIdDone, L"安装完成！重启CAD，CAD菜单尾会有以下子菜单："},
        {kIdFolder, L"C:\\Vornik"},
    };
    for (const auto& [id, text] : texts)
        EXPECT_EQ(Utf8(GetText(dialog, id)), Utf8(text)) << id;
    Click(dialog, kIdBrowse);
    HWND browse = WaitForWindow(0, L"请选择安装目录：", kTimeout);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(Utf8(GetText(browse, 14146)), Utf8(L"请选择安装目录："));
    Click(browse, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browse); }, kTimeout));

    SetText(dialog, kIdFolder, L"C:\\中文");
    Click(dialog, kIdInstall);
    const MessageBoxSeen box = WaitForMessageBox(0, kTimeout);
    EXPECT_EQ(box.text, L"The folder:\n\nC:\\??\n\nis invalid. Please reenter.")
        << "the English code page did not reach the program";
    Answer(box, IDOK);
    EXPECT_FALSE(FolderExists("C:\\??"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
    Click(dialog, kIdCancel);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kTimeout));
}

} // namespace
