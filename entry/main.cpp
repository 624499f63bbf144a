#include "entry/wizard_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return fw::RunApp(theApp);
}
