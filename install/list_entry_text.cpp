#include "install/list_entry_text.h"

#include <cwchar>

namespace install {

std::wstring DisplayVersion(int version) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d.%02d.%02d", version / 10000, version / 100 % 100, version % 100);
    return text;
}

std::wstring DisplayName(int version) {
    return L"Vornik批打印软件 " + DisplayVersion(version);
}

std::wstring UninstallCommand(const std::wstring& keptInstaller, bool quiet) {
    return L"\"" + keptInstaller + L"\" /UNINSTALL" + (quiet ? L" /S" : L"");
}

unsigned long EstimatedSizeKb(unsigned long long bytes) {
    return static_cast<unsigned long>((bytes + 1023) / 1024);
}

} // namespace install
