// The application object: scans for AutoCAD, then runs the setup dialog; the process ends
// when the dialog closes.
#pragma once

#include "acad/acad_registry.h"
#include "framework/app.h"

#include <windows.h>

class CWizardApp : public fw::App {
  public:
    // Always FALSE: the process ends when the dialog has closed, without a message loop.
    BOOL InitInstance() override;
};

extern CWizardApp theApp;
extern CAcadRegistry g_acadRegistry;
