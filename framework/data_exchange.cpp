#include "framework/data_exchange.h"

#include "framework/text_convert.h"

namespace fw {

void DDX_Control(DataExchange& dx, int id, Window& control) {
    // Attached anew on every exchange: a dialog object run a second time has new windows.
    control.Attach(GetDlgItem(dx.dialog, id));
}

void DDX_Check(DataExchange& dx, int id, int& value) {
    const HWND box = GetDlgItem(dx.dialog, id);
    if (dx.saveAndValidate)
        value = static_cast<int>(SendMessageW(box, BM_GETCHECK, 0, 0));
    else
        SendMessageW(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Text(DataExchange& dx, int id, std::wstring& value) {
    const HWND control = GetDlgItem(dx.dialog, id);
    if (dx.saveAndValidate)
        value = GetWindowTextWide(control);
    else
        SetWindowTextW(control, value.c_str());
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
    std::wstring text = WideFromAnsi(value);
    DDX_Text(dx, id, text);
    if (dx.saveAndValidate)
        value = AnsiFromWide(text);
}

std::wstring GetWindowTextWide(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace fw
