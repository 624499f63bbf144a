// The whole program as a user meets it: the 32-bit SetUp.exe started from a package folder on
// 64-bit Windows, with AutoCAD installations in the registry and on disk, driven through its
// dialog and message boxes. Afterwards the registry values and files that AutoCAD would read
// are checked. This program is 32-bit too, so the AutoCAD it prepares lands in the registry's
// 32-bit view, where a 32-bit AutoCAD registers and where the product reads and writes.
#include "tests/e2e/setup_driver.h"
#include "tests/win/acad_integration_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;
using namespace e2e;

namespace {

const std::wstring kDialogCaption = L"V-批打印软件安装";
const std::wstring kSetupCaption = L"V-软件安装";
constexpr DWORD kTimeout = 20000;

// Control IDs of the setup dialog.
constexpr int kIdOk = 1, kIdCancel = 2, kIdFolder = 1000, kIdTitle = 1013, kIdProgress = 1014,
              kIdBrowse = 1015, kIdChoose = 1016, kIdPathLabel = 1017, kIdMenuPicture = 1021,
              kIdInstall = 1022, kIdDone = 1023, kIdEdition = 1024;
constexpr int kReleaseIds[21] = {1018, 1019, 1020, 1027, 1026, 1028, 1029, 1030, 1031, 1032, 1033,
                                 1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043};
int ReleaseId(int year) {
    return kReleaseIds[year - 2007];
}

std::string WindowsPath(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const char* const kPackageFiles[] = {"VK_ZiruzOrav2010.arx", "VK_ZiruzOrav2013.ARX",
                                     "Vornik.Ini",           "Vornik_EN.shx",
                                     "Vornik_HZ.shx",        "Vornik.prt5",
                                     "itextsharp.dll",       "ACAD2010P.dll",
                                     "ACAD2013P.dll",        "readme.txt"};
std::string Payload(const std::string& name) {
    return "payload of " + name;
}

struct Product {
    int year;
    std::string releaseKey, productKey, folder;
    std::string Key() const {
        return "SOFTWARE\\Autodesk\\AutoCAD\\" + releaseKey + "\\" + productKey + "\\";
    }
};

class InstallE2E : public testing::Test {
  protected:
    void SetUp() override {
        if (GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0)
            GTEST_SKIP() << "no X display: the end-to-end tests need one";
        ClearAutodeskKeys();
        package = dir / "pkg";
        data = package + "\\Data";
        target = dir / "Target";
        installDir = target + "\\V-ZiruzOrav";
        appData = dir / "AppData";
        MakeFolders(data);
        MakeFolders(appData);
        ASSERT_TRUE(CopyFileA(WindowsPath(SETUP_EXE_UNIX_PATH).c_str(),
                              (package + "\\SetUp.exe").c_str(), FALSE));
        for (const char* name : kPackageFiles)
            WriteFileText(data + "\\" + name, Payload(name));
    }
    void TearDown() override { ClearAutodeskKeys(); }

    static void ClearAutodeskKeys() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Autodesk"); // the 32-bit view
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Autodesk");
        HKEY key64 = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Autodesk", 0,
                          KEY_ALL_ACCESS | KEY_WOW64_64KEY, &key64) == ERROR_SUCCESS) {
            RegDeleteTreeA(key64, nullptr);
            RegCloseKey(key64);
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Autodesk", KEY_WOW64_64KEY, 0);
        }
    }
    // A 64-bit AutoCAD: registered in the 64-bit view only.
    Product AddAutoCad64(int year, const std::string& releaseKey, const std::string& productKey) {
        Product p{year, releaseKey, productKey, dir / ("AutoCAD64 " + std::to_string(year))};
        MakeFolders(p.folder + "\\Fonts");
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, p.Key().c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::string name = "AutoCAD " + std::to_string(year);
        RegSetValueExA(key, "AcadLocation", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(p.folder.c_str()),
                       static_cast<DWORD>(p.folder.size() + 1));
        RegSetValueExA(key, "ProductName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                       static_cast<DWORD>(name.size() + 1));
        RegCloseKey(key);
        return p;
    }
    static bool Exists64(const std::string& key) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                          &handle) != ERROR_SUCCESS)
            return false;
        RegCloseKey(handle);
        return true;
    }

    Product AddAutoCad(int year, const std::string& releaseKey, const std::string& productKey) {
        Product p{year, releaseKey, productKey, dir / ("AutoCAD " + std::to_string(year))};
        MakeFolders(p.folder + "\\Fonts");
        SetRegString(HKEY_LOCAL_MACHINE, p.Key(), "AcadLocation", p.folder + "\\");
        SetRegString(HKEY_LOCAL_MACHINE, p.Key(), "ProductName",
                     "AutoCAD " + std::to_string(year) + " - \xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4");
        return p;
    }
    static std::string ProfileVariables(const Product& p, const std::string& profile) {
        return "Software\\Autodesk\\AutoCAD\\" + p.releaseKey + "\\" + p.productKey +
               "\\Profiles\\" + profile + "\\Variables";
    }
    void AddProfile(const Product& p, const std::string& profile, const std::string& trusted) {
        SetRegString(HKEY_CURRENT_USER, ProfileVariables(p, profile), "TRUSTEDPATHS", trusted);
    }

    HWND StartSetup() {
        setup = std::make_unique<SetupProcess>(package + "\\SetUp.exe", appData);
        EXPECT_TRUE(setup->started()) << "CreateProcess error " << setup->startError();
        HWND dialog = WaitForWindow(setup->pid(), kDialogCaption, kTimeout);
        EXPECT_NE(dialog, nullptr) << "the setup dialog did not appear";
        return dialog;
    }
    void ChooseFolder(HWND dialog, const std::string& folder) {
        SetText(dialog, kIdFolder, std::wstring(folder.begin(), folder.end()));
    }
    // Presses Install and waits for the completion screen.
    void InstallAndWaitForCompletion(HWND dialog) {
        Click(dialog, kIdInstall);
        ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout))
            << "no completion screen";
    }
    // Chooses the target folder, presses Install and waits for the installer's own message.
    MessageBoxSeen InstallUntilMessage(HWND dialog) {
        ChooseFolder(dialog, target);
        Click(dialog, kIdInstall);
        MessageBoxSeen box = WaitForMessageBox(setup->pid(), kTimeout);
        EXPECT_NE(box.hwnd, nullptr) << "no message";
        EXPECT_EQ(box.caption, kSetupCaption);
        return box;
    }
    void FinishWithOk(HWND dialog) {
        Click(dialog, kIdOk);
        EXPECT_EQ(setup->WaitForExit(kTimeout), 0);
    }

    // Both entries of the product, each with exactly its values, types and data.
    void ExpectEntries(const Product& p, int arxYear, int dllYear) {
        const std::string apps = p.Key() + "Applications\\";
        ExpectExactValues(
            HKEY_LOCAL_MACHINE, apps + "VK_ZiruzOrav" + std::to_string(p.year),
            {{"LOADCTRLS", Dword(2)},
             {"LOADER", Sz(installDir + "\\VK_ZiruzOrav" + std::to_string(arxYear) + ".ARX")}});
        ExpectExactValues(HKEY_LOCAL_MACHINE, apps + "Vornik" + std::to_string(p.year) + "DLLP",
                          {{"LOADCTRLS", Dword(2)},
                           {"LOADER", Sz(p.folder + "\\ACAD" + std::to_string(dllYear) + "P.dll")},
                           {"MANAGED", Dword(1)}});
    }

    static void ExpectNoEntries(const Product& p) {
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, p.Key() + "Applications")) << p.Key();
    }
    std::optional<std::string> Trusted(const Product& p, const std::string& profile) {
        auto value = ReadRegValue(HKEY_CURRENT_USER, ProfileVariables(p, profile), "TRUSTEDPATHS");
        if (!value)
            return std::nullopt;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        return std::string(value->data.c_str());
    }

    TempDir dir;
    std::string package, data, target, installDir, appData;
    std::unique_ptr<SetupProcess> setup;
};

// The 32-bit product on 64-bit Windows reads and writes the 32-bit view only: there the scan's
// two base paths reach the same key, so the 32-bit 2010 is found twice (and served twice,
// with the same entries and files), while a 64-bit AutoCAD in the 64-bit view stays unseen.
TEST_F(InstallE2E, HappyPathThreeReleasesTwoProfiles) {
    const Product cad2008 = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    MakeFolders(cad2008.folder + "\\Drv");
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    const Product cad2012x64 = AddAutoCad64(2012, "R18.2", "ACAD-A001:804");
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
    for (const char* name :
         {"SetUp.exe", "Vornik_EN.shx", "Vornik_HZ.shx", "Vornik.prt5", "Vornik.Ini"})
        EXPECT_FALSE(FileExists(installDir + "\\" + name)) << name;
    EXPECT_EQ(ReadFileText(appData + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));

    // Demand-load entries.
    ExpectEntries(cad2008, 2008, 2007);
    ExpectEntries(cad2010, 2010, 2010);
    ExpectEntries(cad2014, 2013, 2013);
    EXPECT_FALSE(
        RegKeyExists(HKEY_LOCAL_MACHINE, cad2010.Key() + "Applications\\VK_ZiruzOrav2010_32"));
    EXPECT_FALSE(Exists64(cad2012x64.Key() + "Applications"));
    EXPECT_FALSE(Exists64(cad2010.Key())) << "the 32-bit AutoCAD's key stays in the 32-bit view";

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

TEST_F(InstallE2E, FailedRegistrationIsReportedBeforeTheCompletionScreen) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    // The product key vanishes after the scan: neither of its two entries can be written.
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, cad2014.Key().c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, cad2014.Key().substr(0, cad2014.Key().size() - 1).c_str());
    MessageBoxSeen box = InstallUntilMessage(dialog);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text,
              L"有 2 项AutoCAD注册信息或支持文件未能写入，可能原因如下：\n\n"
              L"1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理员身份运行SetUp.exe后重新安装");
    EXPECT_FALSE(IsShown(dialog, kIdOk)) << "the warning comes before the completion screen";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout));
    FinishWithOk(dialog);
    ExpectEntries(cad2010, 2010, 2010);
}

} // namespace
