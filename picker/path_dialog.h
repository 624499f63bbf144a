// The Browse command's folder picker: the shell's folder-browse dialog with an edit box
// added above the folder tree. The box shows the selected folder and can be typed in; OK
// takes the box's text, not the tree's selection, through AcceptFolderPath.
#pragma once

#include "framework/controls.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

// Controls of the shell's browse dialog that the picker uses.
constexpr int kBrowseTreeId = 14145;       // the folder tree (only its place is read)
constexpr int kBrowseTitleId = 14146;      // the title above the tree
constexpr int kBrowseStatusTextId = 14147; // hidden: the edit box takes its room
constexpr int kPathEditId = 14148;         // the edit box the picker adds

// The edit box spans the tree's width; its top lies 27 pixels and its bottom 4 pixels above
// the tree's top.
constexpr int kPathEditTopAboveTree = 27;
constexpr int kPathEditBottomAboveTree = 4;

class CPathDialog;

// The subclass of the shell's browse window: the OK button and the edits of the path box
// reach the picker before the shell.
class CPathDialogSub : public fw::Window {
  public:
    explicit CPathDialogSub(CPathDialog* dialog) : m_pDialog(dialog) {}
    ~CPathDialogSub();
    CPathDialogSub(const CPathDialogSub&) = delete;
    CPathDialogSub& operator=(const CPathDialogSub&) = delete;

    bool SubclassWindow(HWND hwnd);
    void UnsubclassWindow();

    // EN_CHANGE of the edit box, typed or set: OK is enabled exactly while it holds text.
    void OnPathEdited();
    // BN_CLICKED of OK (or Enter): the typed path is checked, perhaps created, and accepted.
    void OnOkButton();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WPARAM wParam);

    CPathDialog* m_pDialog;
    WNDPROC m_pfnSuper = nullptr;
};

class CPathDialog {
  public:
    // caption: the window's title-bar text; title: the text the shell shows above the tree;
    // initialFolder: ANSI path selected at start (none: the current directory); parent: its
    // top-level window owns the dialog (none: the application's main window). Caption, title
    // and initial folder are not copied and must outlive the dialog.
    CPathDialog(const wchar_t* caption, const wchar_t* title, const char* initialFolder,
                HWND parent);
    virtual ~CPathDialog() = default;
    CPathDialog(const CPathDialog&) = delete;
    CPathDialog& operator=(const CPathDialog&) = delete;

    // 1 when the user confirmed a path with OK (the folder then exists), -1 for Cancel, the
    // close box, or when the shell's allocator is not available.
    virtual int DoModal();
    // The accepted ANSI path; meaningful after DoModal returned 1.
    std::string GetFolderPath() const { return m_strPath; }

  private:
    friend class CPathDialogSub;
    friend int CALLBACK BrowseCallback(HWND browse, UINT message, LPARAM param, LPARAM data);

    void OnInitialized(HWND browse);
    void OnSelectionChanged(HWND browse, LPCITEMIDLIST item);
    void CreatePathEdit();
    void SelectInitialFolder();
    void SelectFolder(const char* path);
    HWND PathEdit() const { return GetDlgItem(m_hBrowse, kPathEditId); }
    void ReadPathEdit();
    void EnableOk(bool enable) const;

    const wchar_t* m_pszCaption;
    const wchar_t* m_pszTitle;
    const char* m_pszInitialFolder;
    std::string m_strTitle; // the shell's ANSI record needs its own copy
    std::string m_strPath;  // the edit box's text as last read
    BROWSEINFOA m_bi;
    HWND m_hBrowse = nullptr;
    HWND m_hOwner;
    bool m_bSuccess = false;
    CPathDialogSub m_sub;
};

// Called by SHBrowseForFolderA with the browse window; data is the CPathDialog. Always 0.
int CALLBACK BrowseCallback(HWND browse, UINT message, LPARAM param, LPARAM data);
