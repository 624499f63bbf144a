#include "entry/wizard_app.h"

#include "app/dlg_setup.h"
#include "entry/command_dispatch.h"
#include "framework/text_convert.h"
#include "report/exit_codes.h"

// Defined together so that the application object is built first and the release table
// second, and destroyed in the reverse order.
CWizardApp theApp;
CAcadRegistry g_acadRegistry;

BOOL CWizardApp::InitInstance() {
    fw::UseSystemLeadByteRule();
    m_nExitCode = entry::RunCommandLine(g_acadRegistry, [] {
        // The dialog hosts no ActiveX control, so there is no control containment to enable.
        g_acadRegistry.ScanInstalledReleases();
        Dlg_Setup dialog(g_acadRegistry);
        // OK and Cancel are the dialog's own ends; IDABORT means one of its handlers failed,
        // and -1 or 0 that it never appeared.
        const INT_PTR result = dialog.DoModal();
        return result == IDOK || result == IDCANCEL ? report::kExitDone
                                                    : report::kExitInternalError;
    });
    return FALSE;
}
