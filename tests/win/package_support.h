// What the package tests share: a scratch package beside a stand-in executable folder, a
// real progress bar, APPDATA pointed at a scratch folder, and message boxes answered by the
// test.
#pragma once

#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "framework/controls.h"
#include "framework/message_box.h"
#include "framework/text_convert.h"
#include "tests/win/test_support.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace package_testing {

using namespace testing_support;

// Sets APPDATA of this process for one test and puts the old value (or its absence) back.
class AppDataScope {
  public:
    explicit AppDataScope(const char* value) {
        char old[32768];
        const DWORD length = GetEnvironmentVariableA("APPDATA", old, sizeof old);
        if (length > 0 && length < sizeof old)
            m_old = std::string(old, length);
        SetEnvironmentVariableA("APPDATA", value);
    }
    ~AppDataScope() { SetEnvironmentVariableA("APPDATA", m_old ? m_old->c_str() : nullptr); }
    AppDataScope(const AppDataScope&) = delete;
    AppDataScope& operator=(const AppDataScope&) = delete;

  private:
    std::optional<std::string> m_old;
};

// A real progress-bar control with room for many steps, as the install dialog would pass it.
class ProgressBarWindow {
  public:
    ProgressBarWindow() {
        InitCommonControls();
        m_bar.Attach(CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr));
        m_bar.SetRange(0, 10000);
        m_bar.SetStep(1);
        m_bar.SetPos(0);
    }
    ~ProgressBarWindow() { DestroyWindow(m_bar.hwnd()); }
    ProgressBarWindow(const ProgressBarWindow&) = delete;
    ProgressBarWindow& operator=(const ProgressBarWindow&) = delete;
    fw::ProgressBar& bar() { return m_bar; }
    HWND hwnd() const { return m_bar.hwnd(); }

  private:
    fw::ProgressBar m_bar;
};

// A package beside a stand-in executable folder, an install folder whose parent exists (the
// install command creates the target folder), and a scratch APPDATA.
class PackageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MakeFolders(targetFolder);
        MakeFolders(appData);
        OverrideExecutableFolder(fw::WideFromAnsi(exeFolder));
    }
    void TearDown() override { OverrideExecutableFolder(std::nullopt); }

    std::string DataFolder() const { return exeFolder + "\\Data"; }
    void MakeDataFolder() const { MakeFolders(DataFolder()); }
    // A package file whose content is its own name, so every copy can be told apart.
    void AddFile(const std::string& name) const {
        WriteFileText(DataFolder() + "\\" + name, "content of " + name);
    }
    std::string Installed(const std::string& name) const { return installFolder + "\\" + name; }
    std::string SettingsFile(const std::string& name) const {
        return appData + "\\Vornik\\" + name;
    }
    bool Copy() {
        const InstallTarget target{installFolder, progress.bar()};
        return CopyPackage(target);
    }
    int Steps() { return progress.bar().GetPos(); }

    TempDir root;
    const std::string exeFolder = root / "pkg";
    const std::string targetFolder = root / "Vornik";
    const std::string installFolder = targetFolder + "\\V-ZiruzOrav";
    const std::string appData = root / "Roaming";
    AppDataScope appDataScope{appData.c_str()};
    ProgressBarWindow progress;
};

} // namespace package_testing
