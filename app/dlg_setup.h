// The setup dialog: the release check boxes, the install folder with Browse, Install and
// Cancel; later the progress bar and the completion screen.
#pragma once

#include "acad/acad_registry.h"
#include "acad/release_years.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "res/resource.h"

#include <string>

// Set at start; cleared once the user has been told to close AutoCAD, so that a second
// Install goes ahead without asking again.
extern bool g_bWarnAcadRunning;

class Dlg_Setup : public fw::Dialog {
  public:
    enum { IDD = IDD_SETUP };

    // The dialog reads the releases found in registry; the install commands write through it.
    explicit Dlg_Setup(CAcadRegistry& registry);
    ~Dlg_Setup() override;

    // Enables Install when at least one release is ticked (after reading the controls back).
    void UpdateInstallButton();
    void OnBrowse();
    void OnInstall();
    // True when the whole install sequence has run; false when the dialog has been ended, or
    // is back at the selection screen because the folder could not be made.
    bool RunInstall();

    // Bound to the controls by DoDataExchange; the install commands and tests use them.
    fw::Brush m_brushBack;
    fw::Button m_chkRelease[acad::kReleaseCount]; // by release index
    acad::ReleaseTicks m_bRelease;                // by release index, 0 or 1
    std::wstring m_strTitle;
    std::wstring m_strEdition;
    fw::ProgressBar m_progress;
    std::string m_strInstallPath; // 8-bit ANSI text: it becomes a path

  protected:
    void DoDataExchange(fw::DataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code) override;
    HBRUSH OnCtlColor(HDC dc, HWND window, UINT kind) override;

  private:
    void ShowFolderRow(bool show);
    void ShowCompletionScreen();
    void ShrinkToOkButton();
    void CreateLabelFonts();
    void SetSmallIcon();
    void ApplyReleaseBoxStart();

    CAcadRegistry& m_registry;
    // Created once per run of the dialog and released with it, never per colour message.
    fw::Font m_fontTitle;
    fw::Font m_fontEdition;
};
