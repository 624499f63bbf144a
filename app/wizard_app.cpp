#include "app/wizard_app.h"

#include "app/dlg_setup.h"
#include "framework/text_convert.h"
#include "unattended/exit_codes.h"
#include "uninstall/uninstall_command.h"

#include <shellapi.h>

#include <cwchar>
#include <optional>

// Defined together so that the application object is built first and the release table
// second, and destroyed in the reverse order.
CWizardApp theApp;
CAcadRegistry g_acadRegistry;

namespace {
// TEMPORARY, until the unattended install's command-line parser is merged, which replaces
// it: "/UNINSTALL [/S] [/LOG=file]" runs the uninstaller; nullopt for any other command line.
std::optional<int> UninstallCommandLine() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        return std::nullopt;
    std::optional<int> code;
    if (count >= 2 && lstrcmpiW(args[1], L"/UNINSTALL") == 0) {
        bool silent = false, bad = false;
        std::optional<std::wstring> log;
        for (int i = 2; i < count; ++i) {
            if (lstrcmpiW(args[i], L"/S") == 0)
                silent = true;
            else if (_wcsnicmp(args[i], L"/LOG=", 5) == 0 && args[i][5] != L'\0')
                log = args[i] + 5;
            else
                bad = true;
        }
        code = bad ? unattended::kExitBadCommandLine : uninstall::RunUninstall(silent, log);
    }
    LocalFree(args);
    return code;
}
} // namespace

BOOL CWizardApp::InitInstance() {
    fw::UseSystemLeadByteRule();
    if (const std::optional<int> code = UninstallCommandLine())
        ExitProcess(static_cast<UINT>(*code)); // TEMPORARY: the merged parser passes it on
    // The dialog hosts no ActiveX control, so there is no control containment to enable.
    g_acadRegistry.ScanInstalledReleases();
    Dlg_Setup dialog(g_acadRegistry);
    dialog.DoModal();
    return FALSE;
}
