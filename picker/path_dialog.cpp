#include "picker/path_dialog.h"

#include "core/bounded_format.h"
#include "framework/data_exchange.h"
#include "framework/message_box.h"
#include "framework/text_convert.h"
#include "picker/folder_actions.h"
#include "picker/folder_path.h"

namespace {

constexpr const wchar_t* kSubclassProperty = L"SetUp.CPathDialogSub";

// The shell's allocator, released when the dialog is done with it.
class ShellAllocator {
  public:
    ShellAllocator() {
        if (FAILED(SHGetMalloc(&m_malloc)))
            m_malloc = nullptr;
    }
    ~ShellAllocator() {
        if (m_malloc)
            m_malloc->Release();
    }
    ShellAllocator(const ShellAllocator&) = delete;
    ShellAllocator& operator=(const ShellAllocator&) = delete;
    explicit operator bool() const { return m_malloc != nullptr; }
    void Free(void* block) const { m_malloc->Free(block); }

  private:
    IMalloc* m_malloc = nullptr;
};

// The shell's dialog needs COM on this thread; the caller may already have started it.
class ComApartment {
  public:
    ComApartment() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_started)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool m_started;
};

// A popup cannot be owned by a child window: the owner is the top-level window above it.
HWND GetSafeOwner(HWND parent) {
    HWND window = parent ? parent : fw::GetMainWindow();
    while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
        window = GetParent(window);
    return window;
}

} // namespace

// ---- CPathDialogSub ----

CPathDialogSub::~CPathDialogSub() {
    UnsubclassWindow();
}

bool CPathDialogSub::SubclassWindow(HWND hwnd) {
    UnsubclassWindow();
    if (!SetPropW(hwnd, kSubclassProperty, this))
        return false;
    m_hwnd = hwnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    return true;
}

void CPathDialogSub::UnsubclassWindow() {
    if (!m_hwnd)
        return;
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    RemovePropW(m_hwnd, kSubclassProperty);
    m_hwnd = nullptr;
    m_pfnSuper = nullptr;
}

LRESULT CALLBACK CPathDialogSub::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CPathDialogSub*>(GetPropW(hwnd, kSubclassProperty));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC super = self->m_pfnSuper;
    if (message == WM_NCDESTROY) {
        self->UnsubclassWindow();
    } else if (message == WM_COMMAND) {
        try {
            if (self->HandleCommand(wParam))
                return 0;
        } catch (...) {
            // Nothing may cross the window procedure; the dialog simply stays open.
            return 0;
        }
    }
    return CallWindowProcW(super, hwnd, message, wParam, lParam);
}

bool CPathDialogSub::HandleCommand(WPARAM wParam) {
    if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
        OnOkButton();
        return true;
    }
    if (LOWORD(wParam) == kPathEditId && HIWORD(wParam) == EN_CHANGE) {
        OnPathEdited();
        return true;
    }
    return false;
}

void CPathDialogSub::OnPathEdited() {
    m_pDialog->ReadPathEdit();
    m_pDialog->EnableOk(!m_pDialog->m_strPath.empty());
}

void CPathDialogSub::OnOkButton() {
    m_pDialog->ReadPathEdit();
    if (AcceptFolderPath(m_pDialog->m_strPath, MakeFolderActions(m_hwnd)) == FolderPathOk) {
        m_pDialog->m_bSuccess = true;
        EndDialog(m_hwnd, 1);
        return;
    }
    SetFocus(m_pDialog->PathEdit());
}

// ---- CPathDialog ----

CPathDialog::CPathDialog(const wchar_t* caption, const wchar_t* title, const char* initialFolder,
                         HWND parent)
    : m_pszCaption(caption), m_pszTitle(title), m_pszInitialFolder(initialFolder),
      m_strTitle(title ? fw::AnsiFromWide(title) : std::string()), m_bi(),
      m_hOwner(GetSafeOwner(parent)), m_sub(this) {
    m_bi.hwndOwner = m_hOwner;
    m_bi.pidlRoot = nullptr; // the tree starts at the desktop
    m_bi.lpszTitle = title ? m_strTitle.c_str() : nullptr;
    m_bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    m_bi.lpfn = BrowseCallback;
}

int CPathDialog::DoModal() {
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
    const ComApartment apartment;
    const ShellAllocator allocator;
    if (!allocator)
        return -1;
    m_bSuccess = false;
    char displayName[core::kPathBufferSize] = "";
    m_bi.pszDisplayName = displayName;
    LPITEMIDLIST list = SHBrowseForFolderA(&m_bi);
    m_bi.pszDisplayName = nullptr;
    m_hBrowse = nullptr;
    // The returned item list is the tree's selection; the picker's result is the edit box.
    if (list)
        allocator.Free(list);
    return m_bSuccess ? 1 : -1;
}

void CPathDialog::OnInitialized(HWND browse) {
    m_hBrowse = browse;
    if (m_pszCaption)
        SetWindowTextW(browse, m_pszCaption);
    // The shell took the title from the ANSI record, through the system's code page: under
    // any but 936 the Chinese title would read as question marks.
    if (m_pszTitle)
        SetDlgItemTextW(browse, kBrowseTitleId, m_pszTitle);
    m_sub.SubclassWindow(browse);
    ShowWindow(GetDlgItem(browse, kBrowseStatusTextId), SW_HIDE);
    CreatePathEdit();
    SelectInitialFolder();
    // An empty box (the initial folder may not exist yet) leaves nothing for OK to accept.
    m_sub.OnPathEdited();
}

void CPathDialog::CreatePathEdit() {
    RECT tree = {};
    GetWindowRect(GetDlgItem(m_hBrowse, kBrowseTreeId), &tree);
    POINT topLeft = {tree.left, tree.top - kPathEditTopAboveTree};
    POINT bottomRight = {tree.right, tree.top - kPathEditBottomAboveTree};
    ScreenToClient(m_hBrowse, &topLeft);
    ScreenToClient(m_hBrowse, &bottomRight);
    HWND edit = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
        topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y, m_hBrowse,
        reinterpret_cast<HMENU>(INT_PTR{kPathEditId}), GetModuleHandleW(nullptr), nullptr);
    ShowWindow(edit, SW_SHOW);
    const LRESULT font = SendMessageW(m_hBrowse, WM_GETFONT, 0, 0);
    SendMessageW(edit, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
}

void CPathDialog::SelectInitialFolder() {
    if (m_pszInitialFolder) {
        SelectFolder(m_pszInitialFolder);
        return;
    }
    char current[core::kPathBufferSize] = "";
    const DWORD length = GetCurrentDirectoryA(core::kPathBufferSize, current);
    if (length == 0 || length >= core::kPathBufferSize)
        return; // no current directory that fits a path buffer: nothing is selected
    SelectFolder(current);
}

void CPathDialog::SelectFolder(const char* path) {
    SendMessageA(m_hBrowse, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
    // The shell's walk down the tree now and then misses an existing folder on its first
    // attempt (seen under Wine, about one time in twenty); the second walk finds it.
    HWND tree = GetDlgItem(m_hBrowse, kBrowseTreeId);
    if (!SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0))
        SendMessageA(m_hBrowse, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
}

void CPathDialog::OnSelectionChanged(HWND browse, LPCITEMIDLIST item) {
    char path[core::kPathBufferSize] = "";
    // Only a path with a drive letter can be a target: not a network place, not a virtual
    // folder such as the computer itself.
    const bool usable = item && SHGetPathFromIDListA(item, path) && path[1] == ':';
    if (!usable)
        path[0] = '\0';
    SendMessageW(browse, BFFM_ENABLEOK, 0, usable ? TRUE : FALSE);
    // Before the dialog has initialised there is no edit box yet.
    if (HWND edit = GetDlgItem(browse, kPathEditId))
        SetWindowTextW(edit, fw::WideFromAnsi(path).c_str());
}

void CPathDialog::ReadPathEdit() {
    // The user may type any character; the path is ANSI text (a character the code page
    // lacks becomes '?', which the rules reject). Nothing is cut: a text too long for a path
    // is rejected as a whole rather than a shorter folder created.
    m_strPath = fw::AnsiFromWide(fw::GetWindowTextWide(PathEdit()));
}

void CPathDialog::EnableOk(bool enable) const {
    SendMessageW(m_hBrowse, BFFM_ENABLEOK, 0, enable ? TRUE : FALSE);
}

int CALLBACK BrowseCallback(HWND browse, UINT message, LPARAM param, LPARAM data) {
    auto* dialog = reinterpret_cast<CPathDialog*>(data);
    if (!dialog)
        return 0;
    try {
        if (message == BFFM_INITIALIZED)
            dialog->OnInitialized(browse);
        else if (message == BFFM_SELCHANGED)
            dialog->OnSelectionChanged(browse, reinterpret_cast<LPCITEMIDLIST>(param));
    } catch (...) {
        // Nothing may cross into the shell; the dialog goes on with what it has.
    }
    return 0;
}
