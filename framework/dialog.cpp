#include "framework/dialog.h"

#include "framework/message_box.h"
#include "framework/system_library.h"

#include <commctrl.h>

namespace fw {

namespace {

// Dialog templates may name common controls (the progress bar); their window classes must
// exist before the template is instantiated.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        // comctl32 is no KnownDLL: taken from System32, never from beside the program.
        using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const HMODULE comctl = LoadSystemLibrary(L"comctl32.dll");
        const FARPROC init = comctl ? GetProcAddress(comctl, "InitCommonControlsEx") : nullptr;
        return init && reinterpret_cast<Init>(reinterpret_cast<void*>(init))(&controls) != FALSE;
    }();
    (void)registered;
}

bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

Dialog::Dialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

Dialog::~Dialog() {
    DestroyModeless();
}

void Dialog::DestroyModeless() {
    if (m_hwnd && !m_modal)
        DestroyWindow(m_hwnd); // WM_NCDESTROY detaches the object
}

INT_PTR Dialog::DoModal() {
    RegisterCommonControls();
    m_modal = true;
    m_result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                               DialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return m_result;
}

HWND Dialog::Create() {
    RegisterCommonControls();
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                              DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL Dialog::UpdateData(BOOL saveAndValidate) {
    DataExchange dx{m_hwnd, saveAndValidate != FALSE};
    m_exchanging = true;
    DoDataExchange(dx);
    m_exchanging = false;
    return TRUE;
}

void Dialog::EndDialog(INT_PTR result) {
    m_result = result;
    if (m_modal)
        ::EndDialog(m_hwnd, result);
    else
        DestroyWindow(m_hwnd);
}

BOOL Dialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void Dialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(int, int) {
    return false;
}

HBRUSH Dialog::OnCtlColor(HDC dc, HWND window, UINT kind) {
    // The window's default handler sets the system's text and background colours in the
    // device context and answers the system brush.
    return reinterpret_cast<HBRUSH>(DefWindowProcW(m_hwnd, WM_CTLCOLORMSGBOX + kind,
                                                   reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(window)));
}

void Dialog::Detach() {
    if (m_actsAsMainWindow && GetMainWindow() == m_hwnd)
        SetMainWindow(nullptr);
    m_hwnd = nullptr;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hwnd = window;
        if (dialog->m_actsAsMainWindow)
            SetMainWindow(window);
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    // No exception may unwind through the system's code that called us: a handler that
    // fails ends the dialog instead.
    try {
        return dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        dialog->EndDialog(IDABORT);
        return TRUE;
    }
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsCtlColorMessage(message)) {
        // The colour messages answer the brush itself instead of a DWLP_MSGRESULT.
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    }
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDOK && code == BN_CLICKED)
            OnOK();
        else if (id == IDCANCEL && code == BN_CLICKED)
            OnCancel();
        else
            return OnCommand(id, code) ? TRUE : FALSE;
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
        Detach();
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace fw
