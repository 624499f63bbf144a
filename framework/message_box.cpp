#include "framework/message_box.h"

#include "framework/own_path.h"

#include <utility>

namespace fw {

namespace {
MessageBoxHandler g_handler;
HWND g_mainWindow = nullptr;
} // namespace

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (g_handler)
        return g_handler(owner, text, caption, type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(g_handler, std::move(handler));
}

void SetMainWindow(HWND window) {
    g_mainWindow = window;
}

HWND GetMainWindow() {
    return g_mainWindow;
}

std::wstring GetAppTitle() {
    std::wstring name = OwnPath();
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

} // namespace fw
