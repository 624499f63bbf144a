// The whole program as a user meets it: the 32-bit SetUp.exe started from a package folder on
// 64-bit Windows, driven through its dialog and message boxes; afterwards the registry values
// and files that AutoCAD would read are checked.
#include "tests/win/install_fixture.h"

#include <commctrl.h>

using namespace e2e;

namespace {

// The 32-bit product on 64-bit Windows reads and writes the 32-bit view only: there the scan's
// two base paths reach the same key, so the 32-bit 2010 is found twice (and served twice,
// with the same entries and files), while a 64-bit AutoCAD in the 64-bit view stays unseen.
// A 32-bit Windows has one view and no 64-bit AutoCAD.
TEST_F(InstallE2E, HappyPathThreeReleasesTwoProfiles) {
    const Product cad2008 = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    MakeFolders(cad2008.folder + "\\Drv");
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    std::optional<Product> cad2012x64;
    if (On64BitWindows())
        cad2012x64 = AddAutoCad(2012, "R18.2", "ACAD-A001:804", KEY_WOW64_64KEY);
    AddProfile(cad2010, L"<<Unnamed Profile>>", L"C:\\Users\\Me\\Blocks;D:\\Lisp");
    AddProfile(cad2014, L"Drafting", L"");
    // A profile and folder the code page lacks, in a list that expands variables.
    AddProfile(cad2014, L"\ud55c\uad6d", L"%APPDATA%\\\ud55c", REG_EXPAND_SZ);

    ASSERT_TRUE(StartSetup());
    for (int year = 2007; year <= 2027; ++year) {
        const bool found = year == 2008 || year == 2010 || year == 2014;
        EXPECT_EQ(IsShown(dialog, ReleaseId(year)), year <= 2016) << year;
        EXPECT_EQ(IsEnabledControl(dialog, ReleaseId(year)), found) << year;
        EXPECT_EQ(IsChecked(dialog, ReleaseId(year)), found) << year;
    }
    EXPECT_EQ(GetText(dialog, kIdFolder), L"C:\\Vornik");
    Install(target + "\\");
    EXPECT_EQ(GetText(dialog, kIdOk), L"安装完成");
    for (int id : {kIdInstall, kIdCancel, kIdFolder, kIdProgress, ReleaseId(2010)})
        EXPECT_FALSE(IsShown(dialog, id)) << id;
    FinishWithOk();

    // The package without the fonts and the driver file; the installer and the settings file
    // are kept beside it for later runs.
    for (const std::string name : kPackageFiles) {
        const bool supportOnly = name.find(".shx") != name.npos || name == "Vornik.prt5";
        EXPECT_EQ(ReadFileText(installDir + "\\" + name).value_or("-"),
                  supportOnly ? "-" : Payload(name));
    }
    EXPECT_EQ(ReadFileText(installDir + "\\SetUp.exe"), ReadFileText(package + "\\SetUp.exe"));
    EXPECT_EQ(ReadFileText(appData + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));

    ExpectEntries(cad2008, 2008, 2007);
    ExpectEntries(cad2010, 2010, 2010);
    ExpectEntries(cad2014, 2013, 2013);
    if (cad2012x64) {
        EXPECT_TRUE(Applications(*cad2012x64).empty());
        EXPECT_TRUE(TakeKey(HKEY_LOCAL_MACHINE, cad2010.Key(), KEY_WOW64_64KEY).empty())
            << "the 32-bit AutoCAD's key stays in the 32-bit view";
    }

    // Trusted paths: extended and upper-cased, or replaced when empty; types kept.
    EXPECT_EQ(Trusted(cad2010, L"<<Unnamed Profile>>"),
              Sz("C:\\USERS\\ME\\BLOCKS;D:\\LISP;" + UpperAscii(installDir)));
    EXPECT_EQ(Trusted(cad2014, L"Drafting"), Sz(installDir));
    EXPECT_EQ(Trusted(cad2014, L"\ud55c\uad6d"),
              Text(REG_EXPAND_SZ, L"%APPDATA%\\\ud55c;" + Wide(UpperAscii(installDir)) + L'\0'));

    // Support files in each AutoCAD's own folders; the plot driver for 2008 only.
    for (const Product* p : {&cad2010, &cad2014}) {
        for (const char* name : {"Vornik_EN.shx", "Vornik_HZ.shx"})
            EXPECT_EQ(ReadFileText(p->folder + "\\Fonts\\" + name), Payload(name));
        EXPECT_EQ(ReadFileText(p->folder + "\\itextsharp.dll"), Payload("itextsharp.dll"));
        EXPECT_EQ(ReadFileText(p->folder + "\\ACAD2013P.dll"), Payload("ACAD2013P.dll"));
    }
    EXPECT_EQ(ReadFileText(cad2008.folder + "\\itextsharp.dll"), Payload("itextsharp.dll"));
    EXPECT_EQ(ReadFileText(cad2008.folder + "\\Drv\\pdfplot9.hdi"), Payload("Vornik.prt5"));
    EXPECT_FALSE(Exists(cad2010.folder + "\\Drv"));
}

TEST_F(InstallE2E, NothingIsInstalledWithoutAUsableFolderOrATick) {
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    ASSERT_TRUE(StartSetup());
    // Enter in the folder box must not end the installer before anything was installed.
    PostMessageW(GetDlgItem(dialog, kIdFolder), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(GetDlgItem(dialog, kIdFolder), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(setup->WaitForExit(1000), -1) << "Enter ended the installer";
    ChooseFolder("");
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledControl(dialog, kIdInstall); }, kTimeout))
        << "Install enabled with an empty folder";
    ChooseFolder(target);
    EXPECT_TRUE(WaitUntil([&] { return IsEnabledControl(dialog, kIdInstall); }, kTimeout));
    Click(dialog, ReleaseId(2010));
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledControl(dialog, kIdInstall); }, kTimeout))
        << "Install enabled without a tick";
    Click(dialog, kIdCancel);
    EXPECT_EQ(setup->WaitForExit(kTimeout), 0);
    EXPECT_FALSE(Exists(target));
}

// A running AutoCAD is reported once, and nothing is created then. The picker opens on the
// folder of the field, refuses an invalid folder and stays open, and creates a new one on
// request; the installation goes there, AutoCAD still running.
TEST_F(InstallE2E, RunningAutoCadIsReportedOnceThenBrowseCreatesTheFolder) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const auto acad = StartFakeAcad();
    ASSERT_TRUE(StartSetup());
    MessageBoxSeen box = InstallUntilMessage();
    EXPECT_EQ(box.text, L"请关闭AutoCAD后再进行安装 !");
    AnswerAndWait(box, IDOK);
    EXPECT_FALSE(Exists(target)) << "nothing may be created while AutoCAD runs";

    ChooseFolder(package);
    Click(dialog, kIdBrowse);
    HWND browse = WaitForWindow(setup->pid(), L"请选择安装目录：", kTimeout);
    ASSERT_NE(browse, nullptr) << "no folder picker";
    EXPECT_TRUE(WaitUntil([&] { return GetText(browse, 14148) == Wide(package); }, kTimeout))
        << "the picker does not show the field's folder: " << Utf8(GetText(browse, 14148));
    SetText(browse, 14148, L"");
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledControl(browse, IDOK); }, kTimeout));

    const std::string invalid = target + "\\a|b", chosen = target + "\\New Tools";
    SetText(browse, 14148, Wide(invalid));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabledControl(browse, IDOK); }, kTimeout));
    Click(browse, IDOK);
    box = WaitForMessageBox(setup->pid(), kTimeout);
    EXPECT_EQ(box.caption, L"SetUp");
    EXPECT_EQ(box.text, L"The folder:\n\n" + Wide(invalid) + L"\n\nis invalid. Please reenter.");
    AnswerAndWait(box, IDOK);
    EXPECT_TRUE(IsWindow(browse));
    SetText(browse, 14148, Wide(chosen));
    Click(browse, IDOK);
    box = WaitForMessageBox(setup->pid(), kTimeout);
    EXPECT_EQ(box.text, L"The folder:\n\n" + Wide(chosen) +
                            L"\n\ndoes not exist. Do you want the folder to be created?");
    Answer(box, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browse); }, kTimeout));
    EXPECT_EQ(GetText(dialog, kIdFolder), Wide(chosen));

    installDir = chosen + "\\V-ZiruzOrav";
    InstallInto(chosen);
    EXPECT_TRUE(Exists(installDir + "\\readme.txt"));
    ExpectEntries(cad2010, 2010, 2010);
}

// Retry while the file is still held asks again; Ignore goes on without it. A package file
// whose name the code page cannot spell cannot be copied either, and the message names it as
// it really is. The progress bar has moved one step per listing entry up to the held file.
TEST_F(InstallE2E, RetryAsksAgainAndIgnoreCompletesWithoutThatFile) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    fw::unique_file lock = LockOldCopy("readme.txt");
    fw::unique_file(CreateFileW((Wide(data) + L"\\\ud55c.arx").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(StartSetup());
    ChooseFolder(target);
    Click(dialog, kIdInstall);
    std::vector<std::wstring> failed;
    while (!IsShown(dialog, kIdOk)) {
        const MessageBoxSeen box = WaitForMessageBox(setup->pid(), kTimeout);
        if (!box.hwnd)
            break;
        failed.push_back(box.text);
        const bool firstForReadme = box.text.find(L"readme") != std::wstring::npos &&
                                    std::count(failed.begin(), failed.end(), box.text) == 1;
        if (firstForReadme) {
            WIN32_FIND_DATAA entry; // ".", "..", then the files in the copy's order
            fw::unique_find listing(FindFirstFileA((data + "\\*.*").c_str(), &entry));
            int steps = 1;
            while (std::string(entry.cFileName) != "readme.txt" &&
                   FindNextFileA(listing.get(), &entry))
                ++steps;
            DWORD_PTR position = 0;
            SendMessageTimeoutW(GetDlgItem(dialog, kIdProgress), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG,
                                5000, &position);
            EXPECT_EQ(position, static_cast<DWORD_PTR>(steps));
        }
        AnswerAndWait(box, firstForReadme ? IDRETRY : IDIGNORE);
    }
    const std::wstring readme = CopyFailure(Wide(installDir + "\\readme.txt"));
    std::vector<std::wstring> expected = {readme, readme,
                                          CopyFailure(Wide(installDir) + L"\\\ud55c.arx")};
    std::sort(failed.begin(), failed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(failed, expected);
    FinishWithOk();
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
    ASSERT_TRUE(StartSetup());
    InstallInto(target);
    // With the kept SetUp.exe and Vornik.Ini, and the install record.
    EXPECT_EQ(TakeFolder(installDir).size(), 6u + 3u + 120u);
    EXPECT_EQ(ReadFileText(installDir + "\\f119.dll"), "file 119");
    EXPECT_EQ(ReadFileText(readOnly[1]), Payload("VK_ZiruzOrav2010.arx"));
    for (const std::string& path : {readOnly[0], readOnly[1], installDir + "\\readme.txt"})
        EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << path;
}

// The scan offers only keys that hold a folder and a product name with a year after its
// start, at any depth, every product of a release; whatever else lies below AutoCAD's key
// is passed over. A release the user unticks gets no entries and no files, but its profiles
// trust the folder.
TEST_F(InstallE2E, OnlyRealInstallationsAreOfferedAndOnlyTickedOnesServed) {
    const Product chs = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product enu = AddAutoCad(2010, "R18.0", "ACAD-8001:409");
    const Product nested = AddAutoCad(2014, "R19.1", "Group\\ACAD-D001:804");
    const Product unticked = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    AddProfile(unticked, L"<<Unnamed Profile>>", L"X");
    const std::pair<const char*, std::string> values[] = {
        {"R17.2\\P|AcadLocation", "AutoCAD 2009"}, // not an absolute folder
        {"R17.2\\P|ProductName", "AutoCAD 2009"},
        {"R18.2\\P|AcadLocation", "C:\\" + std::string(517, 'x')}, // longer than 520 bytes
        {"R18.2\\P|ProductName", "AutoCAD 2012"},
        {"R19.0\\P|AcadLocation", "C:\\A"},
        {"R19.0\\P|ProductName", "2013 AutoCAD"}, // the year at the very start
        {"R20.0\\P|AcadLocation", "C:\\A"},       // the name in another key
        {"R20.0\\P\\Sub|ProductName", "AutoCAD 2015"},
        {"R20.1|ProductName", "AutoCAD 2016"}, // hides the product below it
        {"R20.1\\P|AcadLocation", "C:\\A"},
        {"R20.1\\P|ProductName", "AutoCAD 2016"},
    };
    for (const auto& [where, text] : values) {
        const std::string key = where;
        SetRegString(HKEY_LOCAL_MACHINE,
                     "SOFTWARE\\Autodesk\\AutoCAD\\" + key.substr(0, key.find('|')),
                     key.substr(key.find('|') + 1), text);
    }
    ASSERT_TRUE(StartSetup());
    for (int year = 2007; year <= 2016; ++year)
        EXPECT_EQ(IsEnabledControl(dialog, ReleaseId(year)),
                  year == 2008 || year == 2010 || year == 2014)
            << year;
    Click(dialog, ReleaseId(2008));
    ASSERT_TRUE(WaitUntil([&] { return !IsChecked(dialog, ReleaseId(2008)); }, kTimeout));
    InstallInto(target);
    ExpectEntries(chs, 2010, 2010);
    ExpectEntries(enu, 2010, 2010);
    ExpectEntries(nested, 2013, 2013);
    EXPECT_TRUE(Applications(unticked).empty());
    EXPECT_FALSE(Exists(unticked.folder + "\\itextsharp.dll"));
    EXPECT_EQ(Trusted(unticked, L"<<Unnamed Profile>>"), Sz(installDir));
}

// Each entry, list or file that could not be written counts once, also for the 2010 that the
// scan meets under both base paths: its two fonts fail (no Fonts folder) and count two, not
// four; the vanished 2014 key's two entries; a profile list that is no single text.
TEST_F(InstallE2E, FailedRegistrationIsReportedBeforeTheCompletionScreen) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    ASSERT_TRUE(RemoveDirectoryA((cad2010.folder + "\\Fonts").c_str()));
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    const std::wstring multi(L"d:\\a\0e:\\b\0", 9); // left as it is, and counted
    AddProfile(cad2010, L"Multi", multi, REG_MULTI_SZ);
    ASSERT_TRUE(StartSetup());
    // The product key vanishes after the scan: neither of its two entries can be written.
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, cad2014.Key().c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, cad2014.Key().substr(0, cad2014.Key().size() - 1).c_str());
    MessageBoxSeen box = InstallUntilMessage();
    EXPECT_EQ(box.text,
              L"有 5 项AutoCAD注册信息或支持文件未能写入，可能原因如下：\n\n"
              L"1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理员身份运行SetUp.exe后重新安装");
    EXPECT_FALSE(IsShown(dialog, kIdOk)) << "the warning comes before the completion screen";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout));
    FinishWithOk();
    ExpectEntries(cad2010, 2010, 2010);
    EXPECT_EQ(Trusted(cad2010, L"Multi"), Text(REG_MULTI_SZ, multi + L'\0'));
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
    ASSERT_TRUE(StartSetup());
    EXPECT_EQ(GetText(dialog, kIdEdition), L"( 64位 AutoCAD版 )");
    for (int year = 2007; year <= 2027; ++year) {
        const bool found = year == 2008 || year == 2009 || year == 2010 || year == 2018;
        EXPECT_TRUE(IsShown(dialog, ReleaseId(year))) << year;
        EXPECT_EQ(IsChecked(dialog, ReleaseId(year)), found) << year;
    }
    InstallInto(target);

    ExpectEntries(cad2008, 2008, 2007);
    ExpectEntries(cad2018, 2018, 2013);
    // With the older modules (their values in the native table).
    EXPECT_EQ(Applications(cad2009).count("VK_ZiruzOrav2008|LOADER"), 1u);
    EXPECT_EQ(Applications(cad2010).count("VK_ZiruzOrav2010_32|LOADER"), 1u);
    EXPECT_EQ(ReadFileText(cad2018.folder + "\\ACAD2013P.dll"), Payload("ACAD2013P.dll"));
}

// Under an English system locale (code page 1252) the texts still read right, the folder
// picker's title too, which the shell takes from an ANSI record. A typed folder that the code
// page cannot spell is refused rather than installed into a folder of '?'.
TEST_F(InstallE2E, TextsReadRightUnderAnEnglishCodePage) {
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    ASSERT_TRUE(StartSetup(L"en_US.UTF-8"));
    for (const auto& [id, text] :
         {std::pair(kIdTitle, L"批打印软件 V2026.04.02"),
          std::pair(kIdEdition, L"( 32位 AutoCAD版 )"), std::pair(kIdInstall, L"安  装"),
          std::pair(kIdDone, L"安装完成！重启CAD，CAD菜单尾会有以下子菜单：")})
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
    AnswerAndWait(box, IDOK);
    EXPECT_FALSE(Exists("C:\\??"));
    Click(dialog, kIdCancel);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kTimeout));
}

} // namespace
