// What the end-to-end scenarios share: a package folder holding the real SetUp.exe and a
// Data folder of labelled files, AutoCAD installations prepared in the prefix's registry and
// on disk, and the steps a user takes in the dialog. This program is 32-bit, like the
// product, so the AutoCAD it prepares lands in the registry's 32-bit view, where a 32-bit
// AutoCAD registers and where the product reads and writes.
#pragma once

#include "framework/text_convert.h"
#include "tests/e2e/setup_driver.h"
#include "tests/win/acad_integration_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace e2e {

using namespace testing_support;

inline const std::wstring kDialogCaption = L"V-批打印软件安装";
inline const std::wstring kSetupCaption = L"V-软件安装";
constexpr DWORD kTimeout = 20000;

// Control IDs of the setup dialog.
constexpr int kIdOk = 1, kIdCancel = 2, kIdFolder = 1000, kIdTitle = 1013, kIdProgress = 1014,
              kIdBrowse = 1015, kIdChoose = 1016, kIdPathLabel = 1017, kIdMenuPicture = 1021,
              kIdInstall = 1022, kIdDone = 1023, kIdEdition = 1024;
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

inline const char* const kPackageFiles[] = {"VK_ZiruzOrav2010.arx", "VK_ZiruzOrav2013.ARX",
                                            "Vornik.Ini",           "Vornik_EN.shx",
                                            "Vornik_HZ.shx",        "Vornik.prt5",
                                            "itextsharp.dll",       "ACAD2010P.dll",
                                            "ACAD2013P.dll",        "readme.txt"};
inline std::string Payload(const std::string& name) {
    return "payload of " + name;
}

struct Product {
    int year;
    std::string releaseKey, productKey, folder;
    REGSAM view; // 0: the 32-bit view; KEY_WOW64_64KEY: the 64-bit one
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
    // An AutoCAD in the registry's 32-bit view, or (view KEY_WOW64_64KEY) a 64-bit one.
    Product AddAutoCad(int year, const std::string& releaseKey, const std::string& productKey,
                       REGSAM view = 0) {
        Product p{year, releaseKey, productKey,
                  dir / ("AutoCAD " + std::to_string(year) + (view ? " x64" : "")), view};
        MakeFolders(p.folder + "\\Fonts");
        SetRegString(HKEY_LOCAL_MACHINE, p.Key(), "AcadLocation", p.folder + "\\", view);
        SetRegString(HKEY_LOCAL_MACHINE, p.Key(), "ProductName",
                     "AutoCAD " + std::to_string(year) + " - \xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4",
                     view);
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
            << "no completion screen; a message instead: "
            << Utf8(WaitForMessageBox(setup->pid(), 0).text);
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
    // Installs into folder and ends the program from its completion screen.
    void InstallInto(HWND dialog, const std::string& folder) {
        ChooseFolder(dialog, folder);
        InstallAndWaitForCompletion(dialog);
        FinishWithOk(dialog);
    }

    // Both entries of the product, each with exactly its values, types and data.
    void ExpectEntries(const Product& p, int arxYear, int dllYear) {
        const std::string apps = p.Key() + "Applications\\";
        ExpectExactValues(
            HKEY_LOCAL_MACHINE, apps + "VK_ZiruzOrav" + std::to_string(p.year),
            {{"LOADCTRLS", Dword(2)},
             {"LOADER", Sz(installDir + "\\VK_ZiruzOrav" + std::to_string(arxYear) + ".ARX")}},
            p.view);
        ExpectExactValues(HKEY_LOCAL_MACHINE, apps + "Vornik" + std::to_string(p.year) + "DLLP",
                          {{"LOADCTRLS", Dword(2)},
                           {"LOADER", Sz(p.folder + "\\ACAD" + std::to_string(dllYear) + "P.dll")},
                           {"MANAGED", Dword(1)}},
                          p.view);
    }

    static void ExpectNoEntries(const Product& p) {
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, p.Key() + "Applications")) << p.Key();
    }
    // A profile's list exactly as the registry keeps it, in UTF-16: type and data with their
    // terminators, for profile names and lists in any script.
    using RawList = std::pair<DWORD, std::wstring>;
    static std::wstring VariablesW(const Product& p, const std::wstring& profile) {
        return fw::WideFromAnsi("Software\\Autodesk\\AutoCAD\\" + p.releaseKey + "\\" +
                                p.productKey + "\\Profiles\\") +
               profile + L"\\Variables";
    }
    void AddProfileRaw(const Product& p, const std::wstring& profile, const RawList& list) {
        fw::unique_hkey key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, VariablesW(p, profile).c_str(), key.put()), 0);
        RegSetValueExW(key.get(), L"TRUSTEDPATHS", 0, list.first,
                       reinterpret_cast<const BYTE*>(list.second.data()),
                       static_cast<DWORD>(list.second.size() * sizeof(wchar_t)));
    }
    std::optional<RawList> TrustedRaw(const Product& p, const std::wstring& profile) {
        fw::unique_hkey key;
        DWORD type = 0, size = 0;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, VariablesW(p, profile).c_str(), 0, KEY_READ,
                          key.put()) ||
            RegQueryValueExW(key.get(), L"TRUSTEDPATHS", nullptr, &type, nullptr, &size))
            return std::nullopt;
        std::wstring data(size / sizeof(wchar_t), L'\0');
        RegQueryValueExW(key.get(), L"TRUSTEDPATHS", nullptr, &type,
                         reinterpret_cast<BYTE*>(&data[0]), &size);
        return RawList{type, data};
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

} // namespace e2e
