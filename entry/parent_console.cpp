#include "entry/parent_console.h"

#include "framework/text_convert.h"
#include "framework/unique_handle.h"

#include <windows.h>

namespace entry {

namespace {

void WriteConsoleText(HANDLE console, const std::wstring& text) {
    DWORD written = 0;
    WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// A console wants CR LF; a file or a pipe gets the same lines.
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring lines;
    for (wchar_t c : text) {
        if (c == L'\n')
            lines += L'\r';
        lines += c;
    }
    return lines;
}

} // namespace

void WriteToParentConsole(const std::wstring& text) {
    const std::wstring lines = WithCrLf(L"\n" + text + L"\n");
    // A deployment tool that captures the output hands us a file or a pipe; write to that.
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (output && output != INVALID_HANDLE_VALUE && !GetConsoleMode(output, &mode)) {
        const std::string utf8 = fw::Utf8FromWide(lines);
        DWORD written = 0;
        WriteFile(output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return; // started without a console: the log is where the text goes
    const fw::unique_file console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    if (console)
        WriteConsoleText(console.get(), lines);
    FreeConsole();
}

} // namespace entry
