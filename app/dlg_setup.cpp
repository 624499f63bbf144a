#include "app/dlg_setup.h"

#include "app/release_boxes.h"
#include "app/setup_rules.h"
#include "core/build_constants.h"
#include "install/install_rules.h"
#include "install/served_releases.h"

namespace {

constexpr COLORREF kBackColour = RGB(170, 210, 150);
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kLabelColour = RGB(10, 70, 40);
constexpr const wchar_t* kLabelFace = L"宋体";

} // namespace

Dlg_Setup::Dlg_Setup(CAcadRegistry& registry)
    : fw::Dialog(IDD, nullptr), m_strInstallPath(install::kDefaultFolderText),
      m_registry(registry) {
    m_bRelease.fill(1);
    SetActsAsMainWindow(true);
}

// The fonts and the brush are released only after every control is gone.
Dlg_Setup::~Dlg_Setup() {
    DestroyModeless();
}

void Dlg_Setup::DoDataExchange(fw::DataExchange& dx) {
    for (int k = acad::kReleaseCount - 1; k >= 0; --k)
        fw::DDX_Control(dx, kReleaseBoxIds[k], m_chkRelease[k]);
    for (int k = 0; k < acad::kReleaseCount; ++k)
        fw::DDX_Check(dx, kReleaseBoxIds[k], m_bRelease[k]);
    fw::DDX_Text(dx, IDC_TITLE, m_strTitle);
    fw::DDX_Text(dx, IDC_EDITION, m_strEdition);
    fw::DDX_Control(dx, IDC_PROGRESS, m_progress);
    fw::DDX_Text(dx, IDC_INSTALL_PATH, m_strInstallPath);
}

BOOL Dlg_Setup::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    m_brushBack = fw::MakeSolidBrush(kBackColour);
    CreateLabelFonts();
    m_strTitle = app::FormatTitle(g_nVersion);
    m_strEdition = app::FormatEdition(g_nTargetBits);
    SetSmallIcon();
    ApplyReleaseBoxStart();
    UpdateData(FALSE);
    UpdateInstallButton();
    return TRUE;
}

void Dlg_Setup::CreateLabelFonts() {
    // The Chinese character set, not the ANSI one: where 宋体 is not known by that name (a
    // system under another locale), the font mapper then still picks a face that holds the
    // labels' Chinese characters instead of one that draws them as boxes.
    m_fontTitle = fw::MakeFont(kLabelFace, 14, 600, GB2312_CHARSET);
    m_fontEdition = fw::MakeFont(kLabelFace, 13, 400, GB2312_CHARSET);
    // Selecting the font in OnCtlColor is enough where a static control draws with the
    // colour message's font; controls that select their own font afterwards (Wine's do)
    // are given the same font here, so the labels look alike everywhere.
    SendDlgItemMessageW(hwnd(), IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.get()),
                        FALSE);
    SendDlgItemMessageW(hwnd(), IDC_EDITION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(m_fontEdition.get()), FALSE);
}

void Dlg_Setup::SetSmallIcon() {
    // The icon group holds a 16-pixel image; asking for the small size picks it instead of
    // shrinking the 32-pixel one. Shared icons are never destroyed by us.
    const HANDLE icon =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    if (icon)
        SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Dlg_Setup::ApplyReleaseBoxStart() {
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        const install::ReleaseBoxStart start =
            install::GetReleaseBoxStart(k, m_registry.IsInstalled(k), g_nTargetBits);
        if (!start.enabled)
            m_chkRelease[k].Enable(false);
        if (!start.visible)
            m_chkRelease[k].Show(false);
        if (!start.ticked)
            m_bRelease[k] = 0;
    }
}

void Dlg_Setup::UpdateInstallButton() {
    UpdateData(TRUE);
    // Without a folder nothing could be created, copied or registered.
    const bool canInstall = install::AnyReleaseTicked(m_bRelease) && !m_strInstallPath.empty();
    EnableWindow(GetDlgItem(IDC_INSTALL), canInstall ? TRUE : FALSE);
}

void Dlg_Setup::OnOK() {
    // OK exists only on the completion screen. Enter in the folder field also sends IDOK;
    // on the selection screen it must not end the installer before anything was installed.
    if (!IsWindowVisible(GetDlgItem(IDOK)))
        return;
    fw::Dialog::OnOK();
}

bool Dlg_Setup::OnCommand(int id, int code) {
    // Install needs a folder: its state follows the folder text as it is typed.
    if (id == IDC_INSTALL_PATH && code == EN_CHANGE) {
        if (!IsExchangingData())
            UpdateInstallButton();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (ReleaseOfBox(id) >= 0) {
        UpdateInstallButton();
        return true;
    }
    if (id == IDC_BROWSE) {
        OnBrowse();
        return true;
    }
    if (id == IDC_INSTALL) {
        OnInstall();
        return true;
    }
    return false;
}

HBRUSH Dlg_Setup::OnCtlColor(HDC dc, HWND window, UINT kind) {
    fw::Dialog::OnCtlColor(dc, window, kind); // sets the defaults; its brush is not ours
    SetTextColor(dc, kTextColour);
    const int id = GetDlgCtrlID(window);
    if (id != IDC_INSTALL_PATH)
        SetBkMode(dc, TRANSPARENT);
    if (id == IDC_TITLE || id == IDC_EDITION) {
        SelectObject(dc, id == IDC_TITLE ? m_fontTitle.get() : m_fontEdition.get());
        SetTextColor(dc, kLabelColour);
    }
    return m_brushBack.get();
}
