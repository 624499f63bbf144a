// Presses the buttons of a running SetUp.exe for the demo run when no one sits at the
// display:  demo_driver install FOLDER  (types the folder, presses Install, waits for the
// completion screen)  |  demo_driver finish  (presses OK).
#include "tests/win/setup_driver.h"

#include <cstdio>
#include <cstring>

using namespace e2e;

namespace {
constexpr int kIdOk = 1, kIdFolder = 1000, kIdInstall = 1022;
constexpr DWORD kTimeout = 60000;
} // namespace

int main(int argc, char** argv) {
    HWND dialog = WaitForWindow(0, L"V-批打印软件安装", kTimeout);
    if (!dialog) {
        std::fprintf(stderr, "demo_driver: the setup dialog is not there\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(dialog, &pid);
    if (argc == 3 && std::strcmp(argv[1], "install") == 0) {
        const std::string folder = argv[2];
        SetText(dialog, kIdFolder, std::wstring(folder.begin(), folder.end()));
        Click(dialog, kIdInstall);
        const bool done = WaitUntil(
            [&] { return IsShown(dialog, kIdOk) || WaitForMessageBox(pid, 0).hwnd; }, kTimeout);
        MessageBoxSeen box = WaitForMessageBox(pid, 0);
        if (box.hwnd) {
            std::fprintf(stderr, "demo_driver: the installer shows a message; answer it\n");
            return 2;
        }
        return done ? 0 : 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "finish") == 0) {
        Click(dialog, kIdOk);
        return 0;
    }
    std::fprintf(stderr, "usage: demo_driver install FOLDER | demo_driver finish\n");
    return 1;
}
