#include "entry/wizard_app.h"

#include "app/dlg_setup.h"
#include "entry/command_dispatch.h"
#include "framework/text_convert.h"

// Defined together so that the application object is built first and the release table
// second, and destroyed in the reverse order.
CWizardApp theApp;
CAcadRegistry g_acadRegistry;

BOOL CWizardApp::InitInstance() {
    fw::UseSystemLeadByteRule();
    m_nExitCode = unattended::RunCommandLine(g_acadRegistry, [] {
        // The dialog hosts no ActiveX control, so there is no control containment to enable.
        g_acadRegistry.ScanInstalledReleases();
        Dlg_Setup dialog(g_acadRegistry);
        dialog.DoModal();
    });
    return FALSE;
}
