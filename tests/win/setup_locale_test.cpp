// Chinese users often run Windows under another system locale. The dialog's texts must read
// right there too: the test reads them back as UTF-16 in a process whose ANSI code page is
// not 936. Run under a Chinese locale, it starts itself again under an English one.
#include "tests/win/setup_dialog_support.h"

#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "picker/path_dialog.h"

#include <optional>
#include <string>
#include <vector>

using namespace setup_testing;
using testing_support::Utf8;

namespace {

constexpr const wchar_t* kChildMarker = L"SETUP_LOCALE_CHILD";

// The environment of this process with LC_ALL (and LANG) replaced, as a block for
// CreateProcessW. Wine takes the new process's code page from these.
std::wstring EnvironmentWithLocale(const std::wstring& locale) {
    std::wstring block;
    const wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring line = entry;
        if (line.rfind(L"LC_ALL=", 0) == 0 || line.rfind(L"LANG=", 0) == 0 ||
            line.rfind(L"LC_CTYPE=", 0) == 0)
            continue;
        block += line + L'\0';
    }
    FreeEnvironmentStringsW(const_cast<wchar_t*>(strings));
    block += L"LC_ALL=" + locale + L'\0';
    block += L"LANG=" + locale + L'\0';
    block += std::wstring(kChildMarker) + L"=1" + L'\0';
    return block + L'\0';
}

bool IsWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Runs this test program's SetupLocale cases in a new Wine process under locale and returns
// its XML report, or nothing after a minute. Wine takes a process's code page from its Unix
// locale, and a Wine program started from Windows inherits the Unix environment unchanged;
// so the Wine loader itself is started, which as a Unix program receives the environment
// block. Wine gives no handle to wait on for a Unix program: the report file tells the end.
std::optional<std::string> RunSelfUnderLocale(const std::wstring& locale,
                                              const testing_support::TempDir& folder) {
    const std::string report = folder / "report.xml";
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring loader = L"Z:\\usr\\lib\\wine\\wine64";
    std::wstring command = L"wine64 \"" + std::wstring(exe) +
                           L"\" --gtest_filter=SetupLocale.* --gtest_output=xml:" +
                           fw::WideFromAnsi(report);
    std::wstring environment = EnvironmentWithLocale(locale);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(loader.c_str(), &command[0], nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, &environment[0], nullptr, &startup, &process))
        return std::nullopt;
    fw::unique_process processHandle(process.hProcess);
    fw::unique_process threadHandle(process.hThread);
    for (int i = 0; i < 600; ++i) {
        const auto text = testing_support::ReadFileText(report);
        if (text && text->find("</testsuites>") != std::string::npos)
            return text;
        Sleep(100);
    }
    return std::nullopt;
}

bool IsChild() {
    return GetEnvironmentVariableW(kChildMarker, nullptr, 0) != 0;
}

std::wstring g_pickerTitle;

BOOL CALLBACK ReadTitleIfPicker(HWND window, LPARAM) {
    if (!GetDlgItem(window, kBrowseTreeId))
        return TRUE;
    g_pickerTitle = fw::GetWindowTextWide(GetDlgItem(window, kBrowseTitleId));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}

void CALLBACK ReadPickerTitleAndCancel(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), ReadTitleIfPicker, 0);
}

using SetupLocale = SetupDialogTest;

TEST_F(SetupLocale, TextsReadRightUnderANonChineseCodePage) {
    if (GetACP() == 936 && !IsChild()) {
        if (!IsWine())
            GTEST_SKIP() << "the system code page is 936; run the tests under another locale";
        testing_support::TempDir folder;
        const auto report = RunSelfUnderLocale(L"en_US.UTF-8", folder);
        ASSERT_TRUE(report) << "no report from the run under an English locale";
        EXPECT_NE(report->find("tests=\"1\" failures=\"0\" disabled=\"0\" skipped=\"0\""),
                  std::string::npos)
            << "the same checks under an English locale failed:\n"
            << *report;
        return;
    }
    if (IsChild()) {
        ASSERT_NE(GetACP(), 936u) << "the English locale did not reach the new process";
    }
    g_nTargetBits = 32;
    g_nVersion = 20260402;
    Found(2010);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Utf8(fw::GetWindowTextWide(dialog->hwnd())), "V-批打印软件安装");
    EXPECT_EQ(Utf8(Text(IDC_TITLE)), "批打印软件 V2026.04.02");
    EXPECT_EQ(Utf8(Text(IDC_EDITION)), "( 32位 AutoCAD版 )");
    EXPECT_EQ(Utf8(Text(IDC_COMPONENTS_LABEL)), "请选择安装组件：");
    EXPECT_EQ(Utf8(Text(IDC_PATH_LABEL)), "请选择安装路径：");
    EXPECT_EQ(Utf8(Text(IDC_INSTALL)), "安  装");
    EXPECT_EQ(Utf8(Text(IDCANCEL)), "取  消");
    EXPECT_EQ(Utf8(Text(IDC_BROWSE)), "浏览...");
    EXPECT_EQ(Utf8(Text(IDOK)), "安装完成");
    EXPECT_EQ(Utf8(Text(IDC_DONE_LABEL)), "安装完成！重启CAD，CAD菜单尾会有以下子菜单：");
    EXPECT_EQ(Utf8(Text(IDC_INSTALL_PATH)), "C:\\Vornik");
    // Browse: the picker's title over the tree, which the shell reads from an ANSI record.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadPickerTitleAndCancel);
    Click(IDC_BROWSE);
    KillTimer(nullptr, timer);
    EXPECT_EQ(Utf8(g_pickerTitle), "请选择安装目录：");
    // The two labels with fonts of their own can draw every character of their text.
    for (const int id : {IDC_TITLE, IDC_EDITION}) {
        const std::wstring text = Text(id);
        const HDC dc = GetDC(Item(id));
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)));
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, old);
        ReleaseDC(Item(id), dc);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0)
            << Utf8(text) << " lacks glyphs in its font";
    }
}

} // namespace
