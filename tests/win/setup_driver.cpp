#include "tests/win/setup_driver.h"

#include "framework/text_convert.h"
#include "tests/win/test_support.h"

namespace e2e {

namespace {

// This process's environment with the locale replaced, as a block for CreateProcessW.
std::wstring EnvironmentWithLocale(const std::wstring& locale) {
    std::wstring block;
    const wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring line = entry;
        if (line.rfind(L"LC_ALL=", 0) && line.rfind(L"LANG=", 0) && line.rfind(L"LC_CTYPE=", 0))
            block += line + L'\0';
    }
    FreeEnvironmentStringsW(const_cast<wchar_t*>(strings));
    return block + L"LC_ALL=" + locale + L'\0' + L"LANG=" + locale + L'\0' + L'\0';
}

// A plain function, not a lambda: the 32-bit callback must be stdcall.
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if ((search->first == 0 || owner == search->first) && IsWindowVisible(hwnd))
        search->second.push_back(hwnd);
    return TRUE;
}

bool IsMessageBox(HWND hwnd) {
    wchar_t className[32] = L"";
    GetClassNameW(hwnd, className, 32);
    return std::wstring(className) == L"#32770" && GetDlgItem(hwnd, 0xFFFF) != nullptr;
}

} // namespace

SetupProcess::SetupProcess(const std::string& exePath, const std::string& appData,
                           const std::string& arguments, const std::wstring& unixLocale) {
    SetEnvironmentVariableA("APPDATA", appData.c_str());
    const std::wstring exe = fw::WideFromAnsi(exePath);
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    // Another locale takes Wine's own loader, started as a Unix program.
    const std::wstring loader = testing_support::On64BitWindows() ? L"wine64" : L"wine";
    const std::wstring program = unixLocale.empty() ? exe : L"Z:\\usr\\lib\\wine\\" + loader;
    std::wstring commandLine = (unixLocale.empty() ? L"\"" : loader + L" \"") + exe + L"\"" +
                               (arguments.empty() ? L"" : L" " + fw::WideFromAnsi(arguments));
    std::wstring environment = unixLocale.empty() ? L"" : EnvironmentWithLocale(unixLocale);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Wine now and then refuses a start right after the previous program has ended; a few
    // tries keep that from failing a test about something else.
    for (int attempt = 0; attempt < 5 && !m_started; ++attempt) {
        m_started = CreateProcessW(
            program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
            environment.empty() ? nullptr : &environment[0], folder.c_str(), &startup, &info);
        if (m_started) {
            m_process.reset(info.hProcess);
            if (info.hThread)
                CloseHandle(info.hThread);
            m_pid = info.dwProcessId;
        } else {
            Sleep(300);
        }
    }
}

SetupProcess::~SetupProcess() {
    if (m_process && WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.get(), 99);
        WaitForSingleObject(m_process.get(), 5000);
    }
}

long SetupProcess::WaitForExit(DWORD timeoutMs) {
    DWORD code = 0;
    if (!m_process || WaitForSingleObject(m_process.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_process.get(), &code))
        return -1;
    return static_cast<long>(code);
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    std::pair<DWORD, std::vector<HWND>> search{pid, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND WaitForWindow(DWORD pid, const std::wstring& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : VisibleWindowsOf(pid))
                if (GetText(hwnd) == caption && !IsMessageBox(hwnd))
                    found = hwnd;
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

MessageBoxSeen WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    MessageBoxSeen seen;
    WaitUntil(
        [&] {
            for (HWND hwnd : VisibleWindowsOf(pid))
                if (IsMessageBox(hwnd))
                    seen = {hwnd, GetText(hwnd), GetText(hwnd, 0xFFFF)};
            return seen.hwnd != nullptr;
        },
        timeoutMs);
    return seen;
}

void Click(HWND dialog, int controlId) {
    PostMessageW(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void Answer(const MessageBoxSeen& box, int buttonId) {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, buttonId)));
}

void SetText(HWND dialog, int controlId, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, controlId), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
}

std::wstring GetText(HWND window) {
    wchar_t buffer[1024] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 5000, &length);
    return std::wstring(buffer, length < 1024 ? length : 0);
}

bool IsChecked(HWND dialog, int controlId) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &state);
    return state == BST_CHECKED;
}

} // namespace e2e
