#include "app/wizard_app.h"

#include "framework/text_convert.h"

// Defined together so that the application object is built first and the release table
// second, and destroyed in the reverse order.
CWizardApp theApp;
CAcadRegistry g_acadRegistry;

BOOL CWizardApp::InitInstance() {
    fw::UseSystemLeadByteRule();
    g_acadRegistry.ScanInstalledReleases();
    return FALSE;
}
