// The two buttons of the setup dialog that do work: Browse picks the folder, Install runs
// the whole installation and turns the dialog into its completion screen.
#include "app/dlg_setup.h"

#include "app/release_boxes.h"
#include "deploy/acad_running.h"
#include "deploy/setup_messages.h"
#include "install/install_rules.h"
#include "install/install_sequence.h"
#include "picker/folder_actions.h"
#include "picker/path_dialog.h"

bool g_bWarnAcadRunning = true;

namespace {
constexpr int kProgressHigh = 50;
constexpr const wchar_t* kCloseAutoCadMessage = L"请关闭AutoCAD后再进行安装 !";
constexpr const wchar_t* kChooseFolderText = L"请选择安装目录：";
} // namespace

void Dlg_Setup::OnBrowse() {
    UpdateData(TRUE); // the folder may have been typed
    CPathDialog picker(kChooseFolderText, kChooseFolderText, m_strInstallPath.c_str(), nullptr);
    if (picker.DoModal() == 1) {
        m_strInstallPath = picker.GetFolderPath();
        UpdateData(FALSE);
    }
    UpdateInstallButton();
}

void Dlg_Setup::OnInstall() {
    if (g_bWarnAcadRunning && IsAcadRunning()) {
        ShowSetupMessage(kCloseAutoCadMessage);
        g_bWarnAcadRunning = false;
        return;
    }
    UpdateData(TRUE);
    // Install is disabled while the folder is empty; a command that arrives anyway does
    // nothing rather than install into the current drive's root.
    if (m_strInstallPath.empty())
        return;
    // A relative, cut or ';'-holding folder would put the add-in, and AutoCAD's trust, where
    // the user never chose: nothing is created until the text passes the picker's rules.
    if (!install::IsInstallableFolderText(m_strInstallPath)) {
        MakeFolderActions(hwnd()).tell(FolderMessage::Invalid,
                                       FolderMessageText(FolderMessage::Invalid, m_strInstallPath));
        return;
    }
    if (!RunInstall())
        return; // the dialog is ending, or waits for another folder
    ShowCompletionScreen();
    UpdateData(FALSE);
    ShrinkToOkButton();
}

bool Dlg_Setup::RunInstall() {
    ShowFolderRow(false);
    m_progress.SetRange(0, kProgressHigh);
    m_progress.SetStep(1);
    m_progress.SetPos(0);

    const std::string installFolder = install::MakeInstallFolder(m_strInstallPath);
    const install::InstallOutcome outcome =
        install::Install(m_registry, installFolder, m_bRelease, m_progress);
    if (outcome.folderRefused) { // the user has been told, and may choose another folder
        ShowFolderRow(true);
        return false;
    }
    if (outcome.folderMissing) {
        // Nothing was made: the user may choose another folder, or another drive.
        ShowFolderRow(true);
        MakeFolderActions(hwnd()).tell(FolderMessage::NotCreated,
                                       FolderMessageText(FolderMessage::NotCreated, installFolder));
        return false;
    }
    m_strInstallPath = installFolder;
    if (!outcome.copied) {
        OnCancel(); // the user has been told; nothing was registered
        return false;
    }
    m_progress.SetPos(kProgressHigh);
    // Without the rights to HKEY_LOCAL_MACHINE or AutoCAD's folders the add-in would never
    // load; the user is told so before the completion screen claims success.
    if (outcome.failures > 0)
        ShowSetupMessage(install::WriteFailureWarning(outcome.failures));
    return true;
}

// The folder row during selection; the progress bar takes its place while installing.
void Dlg_Setup::ShowFolderRow(bool show) {
    for (int id : {IDC_PATH_LABEL, IDC_INSTALL_PATH, IDC_BROWSE})
        ShowWindow(GetDlgItem(id), show ? SW_SHOW : SW_HIDE);
    m_progress.Show(!show);
}

void Dlg_Setup::ShowCompletionScreen() {
    ShowWindow(GetDlgItem(IDC_DONE_LABEL), SW_SHOW);
    ShowWindow(GetDlgItem(IDC_MENU_PICTURE), SW_SHOW);
    ShowWindow(GetDlgItem(IDC_COMPONENTS_LABEL), SW_HIDE);
    m_progress.Show(false);
    ShowWindow(GetDlgItem(IDOK), SW_SHOW);
    ShowWindow(GetDlgItem(IDC_INSTALL), SW_HIDE);
    ShowWindow(GetDlgItem(IDCANCEL), SW_HIDE);
    for (const fw::Button& box : m_chkRelease)
        box.Show(false);
}

// OK takes the bottom margin that Cancel had: the dialog loses the distance between the
// bottoms of the two buttons, and the Install/Cancel row falls outside it.
void Dlg_Setup::ShrinkToOkButton() {
    RECT window, ok, cancel;
    ::GetWindowRect(hwnd(), &window);
    ::GetWindowRect(GetDlgItem(IDOK), &ok);
    ::GetWindowRect(GetDlgItem(IDCANCEL), &cancel);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&ok), 2);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&cancel), 2);
    const LONG bottom = window.bottom + ok.bottom - cancel.bottom;
    MoveWindow(hwnd(), window.left, window.top, window.right - window.left, bottom - window.top,
               TRUE);
}
