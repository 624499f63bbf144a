// Data exchange between a dialog's members and its controls, in both directions: a dialog
// lists its bindings once (DoDataExchange) and UpdateData runs them in that order.
#pragma once

#include "framework/controls.h"

#include <windows.h>

#include <string>

namespace fw {

struct DataExchange {
    HWND dialog = nullptr;
    // true: controls to members (read back what the user did); false: members to controls.
    bool saveAndValidate = false;
};

// Attaches the control's window to its wrapper (the same in both directions).
void DDX_Control(DataExchange& dx, int id, Window& control);
// Check state of a check box: 0 unticked, 1 ticked (2 indeterminate).
void DDX_Check(DataExchange& dx, int id, int& value);
// Window text as the user sees it (UTF-16).
void DDX_Text(DataExchange& dx, int id, std::wstring& value);
// Window text held as 8-bit text in the ANSI code page (a folder path), converted on the way.
void DDX_Text(DataExchange& dx, int id, std::string& value);

// The window text of any window as UTF-16.
std::wstring GetWindowTextWide(HWND window);

} // namespace fw
