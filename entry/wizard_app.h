// The application object: scans for AutoCAD, then runs the setup dialog; the process ends
// when the dialog closes. A command line asks for an unattended run instead.
#pragma once

#include "acad/acad_registry.h"
#include "framework/app.h"

#include <windows.h>

class CWizardApp : public fw::App {
  public:
    // Always FALSE: the process ends when the dialog has closed, without a message loop.
    BOOL InitInstance() override;
    // 0 for the dialog; an unattended run's exit code (report::ExitCode) otherwise.
    int ExitInstance() override { return m_nExitCode; }

  private:
    int m_nExitCode = 0;
};

extern CWizardApp theApp;
extern CAcadRegistry g_acadRegistry;
