// A DLL planted beside SetUp.exe under a system DLL's name: when it is loaded it leaves the
// file "planted-dll-loaded" beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t self[MAX_PATH] = L"";
        const std::wstring path(self, GetModuleFileNameW(instance, self, MAX_PATH));
        const std::wstring marker = path.substr(0, path.rfind(L'\\') + 1) + L"planted-dll-loaded";
        CloseHandle(
            CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}
