// What the end-to-end scenarios share: a package folder holding the real SetUp.exe and a
// Data folder of labelled files, AutoCAD installations prepared in the prefix's registry and
// on disk, and the steps a user takes in the dialog. A 32-bit AutoCAD registers in the
// registry's 32-bit view, a 64-bit one in the 64-bit view; on 32-bit Windows there is one
// view, which both names reach.
#pragma once

#include "core/mbcs_text.h"
#include "tests/win/setup_driver.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace e2e {

using namespace testing_support;
using core::UpperAscii;

inline const std::wstring kDialogCaption = L"V-批打印软件安装";
inline const std::wstring kSetupCaption = L"V-软件安装";
constexpr DWORD kTimeout = 20000;

// Control IDs of the setup dialog.
constexpr int kIdOk = 1, kIdCancel = 2, kIdFolder = 1000, kIdTitle = 1013, kIdProgress = 1014,
              kIdBrowse = 1015, kIdInstall = 1022, kIdDone = 1023, kIdEdition = 1024;
constexpr int kReleaseIds[21] = {1018, 1019, 1020, 1027, 1026, 1028, 1029, 1030, 1031, 1032, 1033,
                                 1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043};
inline int ReleaseId(int year) {
    return kReleaseIds[year - 2007];
}

inline std::string WindowsPath(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
inline std::wstring Wide(const std::string& ansi) {
    return fw::WideFromAnsi(ansi);
}

inline const char* const kPackageFiles[] = {"VK_ZiruzOrav2010.arx", "VK_ZiruzOrav2013.ARX",
                                            "Vornik.Ini",           "Vornik_EN.shx",
                                            "Vornik_HZ.shx",        "Vornik.prt5",
                                            "itextsharp.dll",       "ACAD2010P.dll",
                                            "ACAD2013P.dll",        "readme.txt"};
inline std::string Payload(const std::string& name) {
    return "payload of " + name;
}
inline std::wstring CopyFailure(const std::wstring& path) {
    return L"拷贝文件 " + path +
           L" 失败，可能原因如下：\n\n1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理者权限登陆系"
           L"统";
}

struct Product {
    int year;
    std::string releaseKey, productKey, folder;
    REGSAM view; // KEY_WOW64_32KEY or KEY_WOW64_64KEY
    std::string Key() const {
        return "SOFTWARE\\Autodesk\\AutoCAD\\" + releaseKey + "\\" + productKey + "\\";
    }
    std::wstring Variables(const std::wstring& profile) const {
        return Wide("Software\\Autodesk\\AutoCAD\\" + releaseKey + "\\" + productKey +
                    "\\Profiles\\") +
               profile + L"\\Variables";
    }
};

class InstallE2E : public testing::Test {
  protected:
    void SetUp() override {
        if (GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0)
            GTEST_SKIP() << "no X display: the end-to-end tests need one";
        ClearAutodeskKeys();
        MakeFolders(data);
        MakeFolders(appData);
        ASSERT_TRUE(CopyFileA(WindowsPath(SETUP_EXE_UNIX_PATH).c_str(),
                              (package + "\\SetUp.exe").c_str(), FALSE));
        for (const char* name : kPackageFiles)
            WriteFileText(data + "\\" + name, Payload(name));
    }
    void TearDown() override { ClearAutodeskKeys(); }

    static void ClearAutodeskKeys() {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Autodesk");
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            fw::unique_hkey key;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Autodesk", 0, KEY_ALL_ACCESS | view,
                              key.put()) == ERROR_SUCCESS) {
                RegDeleteTreeA(key.get(), nullptr);
                RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Autodesk", view, 0);
            }
        }
    }
    // A 32-bit AutoCAD, or (view KEY_WOW64_64KEY) a 64-bit one.
    Product AddAutoCad(int year, const std::string& releaseKey, const std::string& productKey,
                       REGSAM view = KEY_WOW64_32KEY) {
        const std::string name = "AutoCAD " + std::to_string(year);
        const bool x64 = view == KEY_WOW64_64KEY;
        Product p{year, releaseKey, productKey, dir / (name + (x64 ? " x64" : "")), view};
        MakeFolders(p.folder + "\\Fonts");
        SetRegString(HKEY_LOCAL_MACHINE, p.Key(), "AcadLocation", p.folder + "\\", view);
        SetRegString(HKEY_LOCAL_MACHINE, p.Key(), "ProductName",
                     name + " - \xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4", view);
        return p;
    }
    // A profile's trusted-path list: its type, and its data without the final terminator.
    static void AddProfile(const Product& p, const std::wstring& profile, const std::wstring& list,
                           DWORD type = REG_SZ) {
        SetRegText(HKEY_CURRENT_USER, p.Variables(profile), L"TRUSTEDPATHS", type, list + L'\0');
    }
    static std::optional<std::string> Trusted(const Product& p, const std::wstring& profile) {
        const Snapshot values = TakeKey(HKEY_CURRENT_USER, p.Variables(profile));
        const auto found = values.find("|TRUSTEDPATHS");
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }

    // Starts the package's SetUp.exe and waits for its dialog.
    bool StartSetup(const std::wstring& unixLocale = L"") {
        setup = std::make_unique<SetupProcess>(package + "\\SetUp.exe", appData, "", unixLocale);
        EXPECT_TRUE(setup->started());
        // Under another locale the window belongs to the loader's child: any process.
        dialog = WaitForWindow(unixLocale.empty() ? setup->pid() : 0, kDialogCaption, kTimeout);
        return dialog != nullptr;
    }
    // Holds an older copy of a package file in the install folder open, as a running program
    // would, so that its copy fails for real.
    fw::unique_file LockOldCopy(const std::string& name) {
        MakeFolders(installDir);
        WriteFileText(installDir + "\\" + name, "old");
        return fw::unique_file(CreateFileA((installDir + "\\" + name).c_str(), GENERIC_READ, 0,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    }
    // Stands in for a running AutoCAD until the result is destroyed: this test program, idle
    // under the name acad.exe.
    std::unique_ptr<SetupProcess> StartFakeAcad() {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        EXPECT_TRUE(CopyFileA(self, (dir / "acad.exe").c_str(), FALSE));
        return std::make_unique<SetupProcess>(dir / "acad.exe", appData, "--idle");
    }
    void ChooseFolder(const std::string& folder) { SetText(dialog, kIdFolder, Wide(folder)); }
    // Types the folder, presses Install and waits for the completion screen.
    void Install(const std::string& folder) {
        ChooseFolder(folder);
        Click(dialog, kIdInstall);
        ASSERT_TRUE(WaitUntil([&] { return IsShown(dialog, kIdOk); }, kTimeout))
            << "no completion screen; a message instead: "
            << Utf8(WaitForMessageBox(setup->pid(), 0).text);
    }
    void FinishWithOk() {
        Click(dialog, kIdOk);
        EXPECT_EQ(setup->WaitForExit(kTimeout), 0);
    }
    void InstallInto(const std::string& folder) {
        Install(folder);
        FinishWithOk();
    }
    // Presses Install into the target folder and waits for the installer's own message.
    MessageBoxSeen InstallUntilMessage() {
        ChooseFolder(target);
        Click(dialog, kIdInstall);
        MessageBoxSeen box = WaitForMessageBox(setup->pid(), kTimeout);
        EXPECT_EQ(box.caption, kSetupCaption);
        return box;
    }
    void AnswerAndWait(const MessageBoxSeen& box, int button) {
        Answer(box, button);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
    }

    // The product's demand-load entries: both of its own, with exactly these values.
    Snapshot Entries(const Product& p, int arxYear, int dllYear) const {
        const std::string year = std::to_string(p.year), arx = "VK_ZiruzOrav" + year,
                          dll = "Vornik" + year + "DLLP";
        return {
            {"", "key"},
            {arx, "key"},
            {arx + "|LOADCTRLS", Dword(2)},
            {arx + "|LOADER", Sz(installDir + "\\VK_ZiruzOrav" + std::to_string(arxYear) + ".ARX")},
            {dll, "key"},
            {dll + "|LOADCTRLS", Dword(2)},
            {dll + "|LOADER", Sz(p.folder + "\\ACAD" + std::to_string(dllYear) + "P.dll")},
            {dll + "|MANAGED", Dword(1)}};
    }
    static Snapshot Applications(const Product& p) {
        return TakeKey(HKEY_LOCAL_MACHINE, p.Key() + "Applications", p.view);
    }
    void ExpectEntries(const Product& p, int arxYear, int dllYear) {
        EXPECT_EQ(Applications(p), Entries(p, arxYear, dllYear)) << p.Key();
    }

    TempDir dir;
    const std::string package = dir / "pkg", data = package + "\\Data", target = dir / "Target",
                      appData = dir / "AppData";
    std::string installDir = target + "\\V-ZiruzOrav";
    std::unique_ptr<SetupProcess> setup;
    HWND dialog = nullptr;
};

} // namespace e2e
