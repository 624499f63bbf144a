// Stands in for a running AutoCAD in the tests: copied to a name such as acad.exe, it only
// waits until the test ends it (or gives up by itself, should the test not get to it).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Sleep(60 * 1000);
    return 0;
}
