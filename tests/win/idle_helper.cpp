// Stands in for a running AutoCAD: copied to a name such as acad.exe, it waits until killed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Sleep(INFINITE);
    return 0;
}
