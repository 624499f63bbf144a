// Uninstalling as a user and a deployment system meet it: the kept SetUp.exe started with
// /UNINSTALL after an installation through the dialog; afterwards the registry and the
// folders are compared with a snapshot taken before the installation, types and bytes.
#include "tests/e2e/install_fixture.h"

#include <map>

using namespace e2e;

namespace {

const std::wstring kListKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vornik V-ZiruzOrav";
const std::wstring kTrustedBefore = L"%USERPROFILE%\\图块;D:\\Lisp"; // REG_EXPAND_SZ
constexpr DWORD kRrfSubkeyWow6464Key = 0x00010000; // RRF_SUBKEY_WOW6464KEY, not in MinGW
using Snapshot = std::map<std::string, std::string>;

void TakeKey(HKEY root, const std::wstring& path, REGSAM view, Snapshot& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return;
    const std::string label = std::to_string(view) + (root == HKEY_CURRENT_USER ? "U\\" : "M\\");
    out[label + Utf8(path)] = "key";
    std::vector<std::wstring> subKeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 65536;
        std::string data(size, '\0');
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
            break;
        out[label + Utf8(path) + "|" + Utf8(name)] =
            std::to_string(type) + ":" + data.substr(0, size);
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subKeys.push_back(path + L"\\" + name);
    }
    RegCloseKey(key);
    for (const auto& sub : subKeys)
        TakeKey(root, sub, view, out);
}

void TakeFolder(const std::string& folder, Snapshot& out) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = entry.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[path] = "folder";
            TakeFolder(path, out);
        } else {
            out[path] = ReadFileText(path).value_or("?");
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

std::optional<std::wstring> ListText(const wchar_t* name) {
    wchar_t text[1024];
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kListKey.c_str(), name,
                     RRF_RT_REG_SZ | kRrfSubkeyWow6464Key, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

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
        AddProfile(cad2014, "Drafting", "");
        const std::wstring variables =
            std::wstring(L"Software\\Autodesk\\AutoCAD\\R19.1\\ACAD-D001:804") +
            L"\\Profiles\\<<Unnamed Profile>>\\Variables";
        HKEY key = nullptr;
        RegCreateKeyW(HKEY_CURRENT_USER, variables.c_str(), &key);
        RegSetValueExW(key, L"TRUSTEDPATHS", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(kTrustedBefore.c_str()),
                       static_cast<DWORD>((kTrustedBefore.size() + 1) * 2));
        RegCloseKey(key);
        // A font of that name was there before: it stays, with the installed content.
        WriteFileText(cad2014.folder + "\\Fonts\\Vornik_EN.shx", "the user's font");
        logFile = dir / "uninstall.log";
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
            TakeKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Autodesk", view, s);
            TakeKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                    view, s);
            TakeKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Active Setup\\Installed Components",
                    view, s);
        }
        TakeKey(HKEY_CURRENT_USER, L"Software\\Autodesk", 0, s);
        TakeKey(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                s);
        for (const std::string& folder : {cad2010.folder, cad2014.folder, target})
            TakeFolder(folder, s);
        return s;
    }
    void InstallThroughDialog() {
        HWND dialog = StartSetup();
        ASSERT_NE(dialog, nullptr);
        InstallInto(dialog, target);
    }
    // The kept installer with /UNINSTALL and the switches; its exit code.
    long Uninstall(const std::string& switches) {
        SetupProcess run(installDir + "\\SetUp.exe", appData, "/UNINSTALL " + switches);
        EXPECT_TRUE(run.started());
        return run.WaitForExit(kTimeout);
    }
    // The last line of a silent run's log: its temporary copy has finished.
    bool LogEnds() {
        const auto log = ReadFileText(logFile);
        return log && log->find(" exit code ") != std::string::npos;
    }

    Product cad2010, cad2014;
    std::string logFile;
};

TEST_F(UninstallE2E, InstallThenUninstallLeavesTheMachineAsItWas) {
    struct Row {
        const char* name;
        bool silent;
        int installs;
    };
    for (const Row row :
         {Row{"interactive", false, 1}, Row{"silent after two installs", true, 2}}) {
        SCOPED_TRACE(row.name);
        Snapshot expected = Take();
        expected[cad2014.folder + "\\Fonts\\Vornik_EN.shx"] = Payload("Vornik_EN.shx");
        for (int i = 0; i < row.installs; ++i)
            InstallThroughDialog();
        EXPECT_EQ(ListText(L"DisplayName"), L"Vornik批打印软件 2026.04.02");
        EXPECT_EQ(ListText(L"DisplayVersion"), L"2026.04.02");
        const std::wstring kept =
            std::wstring(installDir.begin(), installDir.end()) + L"\\SetUp.exe";
        EXPECT_EQ(ListText(L"QuietUninstallString"), L"\"" + kept + L"\" /UNINSTALL /S");
        EXPECT_EQ(ListText(L"DisplayIcon"), kept);
        ASSERT_NE(Take(), expected);

        if (row.silent) {
            EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 0);
            EXPECT_TRUE(NoMessageBoxFor(0, 500));
            EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
            EXPECT_NE(ReadFileText(logFile)->find("removed " + cad2010.folder + "\\itextsharp.dll"),
                      std::string::npos);
        } else {
            auto run = std::make_unique<SetupProcess>(installDir + "\\SetUp.exe", appData,
                                                      "/UNINSTALL /LOG=" + logFile);
            EXPECT_EQ(run->WaitForExit(kTimeout), 0);
            run.reset();
            MessageBoxSeen box = WaitForMessageBox(0, kTimeout);
            EXPECT_EQ(box.caption, kSetupCaption);
            EXPECT_EQ(box.text, L"确实要从本机卸载Vornik批打印软件吗 ?");
            Answer(box, IDYES);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kTimeout));
            box = WaitForMessageBox(0, kTimeout);
            EXPECT_EQ(box.text, L"Vornik批打印软件已卸载完毕 !");
            Answer(box, IDOK);
        }
        const Snapshot after = Take();
        for (const auto& [name, value] : expected)
            EXPECT_EQ(after.count(name) ? after.at(name) : "(missing)", value) << name;
        for (const auto& [name, value] : after)
            EXPECT_TRUE(expected.count(name)) << "left behind: " << name;
        EXPECT_EQ(ReadFileText(appData + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));
    }
}

TEST_F(UninstallE2E, RunningAutoCadRemovesNothingAndAUsersFileKeepsTheFolder) {
    SetupProcess noRecord(package + "\\SetUp.exe", appData, "/UNINSTALL /S");
    EXPECT_EQ(noRecord.WaitForExit(kTimeout), 3);
    SetupProcess badSwitch(package + "\\SetUp.exe", appData, "/UNINSTALL /S /Q");
    EXPECT_EQ(badSwitch.WaitForExit(kTimeout), 5);

    InstallThroughDialog();
    WriteFileText(installDir + "\\notes.txt", "mine");
    const Snapshot installed = Take();
    const std::string fakeAcad = dir / "acad.exe";
    ASSERT_TRUE(CopyFileA(WindowsPath(IDLE_HELPER_UNIX_PATH).c_str(), fakeAcad.c_str(), FALSE));
    auto acad = std::make_unique<SetupProcess>(fakeAcad, appData);
    ASSERT_TRUE(acad->started());
    EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 2);
    EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
    EXPECT_EQ(Take(), installed) << "nothing may be removed while AutoCAD runs";
    acad.reset();

    EXPECT_EQ(Uninstall("/S /LOG=" + logFile), 0);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(installDir + "\\SetUp.exe"); }, kTimeout));
    EXPECT_TRUE(WaitUntil([&] { return LogEnds(); }, kTimeout));
    EXPECT_EQ(ListFiles(installDir), std::vector<std::string>{"notes.txt"});
    EXPECT_FALSE(
        RegKeyExists(HKEY_LOCAL_MACHINE, cad2010.Key() + "Applications\\VK_ZiruzOrav2010"));
    EXPECT_FALSE(ListText(L"DisplayName"));
}

} // namespace
