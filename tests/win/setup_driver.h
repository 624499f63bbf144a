// Drives a running SetUp.exe from outside, the way a user would: finds its windows, reads
// its controls, clicks and answers its message boxes. Clicks are posted, never sent, so that
// the driver never waits on a program that sits in a modal message box.
#pragma once

#include "framework/unique_handle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class SetupProcess {
  public:
    // Starts exePath in its folder with APPDATA set to appData. With a Unix locale (such as
    // "en_US.UTF-8") it runs under that system locale: the Wine loader is started as a Unix
    // program with the locale in its environment, since a program started from Windows keeps
    // the Unix locale. Its windows then belong to another pid.
    SetupProcess(const std::string& exePath, const std::string& appData,
                 const std::string& arguments = "", const std::wstring& unixLocale = L"");
    ~SetupProcess(); // kills the program if it still runs
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    DWORD pid() const { return m_pid; }
    bool started() const { return m_started; }
    // The exit code, or -1 when the program did not end within the time.
    long WaitForExit(DWORD timeoutMs);

  private:
    fw::unique_process m_process;
    DWORD m_pid = 0;
    bool m_started = false; // a Unix program (the loader) gives no process handle
};

// Waits until the condition holds or the time runs out; returns the last result.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

// The visible top-level windows of the program, or of every program for a pid of 0.
std::vector<HWND> VisibleWindowsOf(DWORD pid);
// The program's top-level window with this caption, or null after the time ran out.
HWND WaitForWindow(DWORD pid, const std::wstring& caption, DWORD timeoutMs);

struct MessageBoxSeen {
    HWND hwnd = nullptr;
    std::wstring caption, text;
};
// The next message box (a dialog of class #32770 with a text control 0xFFFF) of the program.
MessageBoxSeen WaitForMessageBox(DWORD pid, DWORD timeoutMs);

void Click(HWND dialog, int controlId);
void Answer(const MessageBoxSeen& box, int buttonId);
void SetText(HWND dialog, int controlId, const std::wstring& text);
std::wstring GetText(HWND window);
inline std::wstring GetText(HWND dialog, int controlId) {
    return GetText(GetDlgItem(dialog, controlId));
}
bool IsChecked(HWND dialog, int controlId);
inline bool IsShown(HWND dialog, int controlId) {
    return IsWindowVisible(GetDlgItem(dialog, controlId)) != FALSE;
}
inline bool IsEnabledControl(HWND dialog, int controlId) {
    return IsWindowEnabled(GetDlgItem(dialog, controlId)) != FALSE;
}

} // namespace e2e
