// Every message box of the program goes through ShowMessage, so that tests can answer the
// boxes the program asks while everything else runs for real.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

using MessageBoxHandler = std::function<int(HWND owner, const std::wstring& text,
                                            const std::wstring& caption, UINT type)>;

// Shows a modal message box (MessageBoxW) and returns the button pressed.
int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// Replaces the real box by a handler; an empty handler restores the real box. Returns the
// handler that was installed before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The application's main window (the setup dialog while it runs): the owner of the boxes
// that lower layers show.
void SetMainWindow(HWND window);
HWND GetMainWindow();

// The executable's name without folder and extension ("SetUp"): the caption of the
// framework's standard message box.
std::wstring GetAppTitle();

} // namespace fw
