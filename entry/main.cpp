#include "entry/wizard_app.h"
#include "report/exit_codes.h"
#include "security/dll_search.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    security::RestrictDllSearchToSystem32(); // before anything can load a DLL
    return fw::RunApp(theApp, report::kExitInternalError);
}
