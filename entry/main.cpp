#include "entry/wizard_app.h"
#include "report/exit_codes.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return fw::RunApp(theApp, unattended::kExitInternalError);
}
