// What the setup-dialog tests share: a release table prepared by hand (no scan), the real
// dialog created modelessly from template 141, and readers for what the user sees.
#pragma once

#include "acad/acad_registry.h"
#include "app/dlg_setup.h"
#include "app/release_boxes.h"
#include "core/build_constants.h"
#include "framework/data_exchange.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

namespace setup_testing {

struct BoxState {
    bool visible;
    bool enabled;
    int check;
};

class SetupDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        if (GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0)
            GTEST_SKIP() << "no X display: the dialog needs one (scripts/test.sh starts Xvfb)";
    }
    void TearDown() override {
        dialog.reset();
        g_nVersion = m_savedVersion;
        g_nTargetBits = m_savedBits;
    }

  public:
    // Files one AutoCAD installation under its release, as the scan would have.
    void Found(int year) {
        const int k = year - acad::kFirstYear;
        table.m_arrLocation[k].push_back("C:\\Program Files\\AutoCAD " + std::to_string(year));
        table.m_arrProductKey[k].push_back("SOFTWARE\\Autodesk\\AutoCAD\\R\\ACAD-" +
                                           std::to_string(year) + ":804\\");
    }

    // Creates and shows the real dialog; the test fails when it cannot be created.
    HWND Open() {
        dialog = std::make_unique<Dlg_Setup>(table);
        const HWND window = dialog->Create();
        if (window) {
            ShowWindow(window, SW_SHOW);
            UpdateWindow(window);
        }
        return window;
    }

    HWND Item(int id) const { return GetDlgItem(dialog->hwnd(), id); }
    HWND Box(int release) const { return Item(kReleaseBoxIds[static_cast<size_t>(release)]); }
    BoxState ReadBox(int release) const {
        const HWND box = Box(release);
        return {IsWindowVisible(box) != FALSE, IsWindowEnabled(box) != FALSE,
                static_cast<int>(SendMessageW(box, BM_GETCHECK, 0, 0))};
    }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::wstring Text(int id) const { return fw::GetWindowTextWide(Item(id)); }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

    CAcadRegistry table;
    std::unique_ptr<Dlg_Setup> dialog;

  private:
    int m_savedVersion = g_nVersion;
    int m_savedBits = g_nTargetBits;
};

inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

inline std::string YearName(int release) {
    return "AutoCAD " + std::to_string(acad::ReleaseYear(release));
}

} // namespace setup_testing
