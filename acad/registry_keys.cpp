#include "acad/registry_keys.h"

#include <cstring>
#include <cwchar>

namespace acad {

namespace {
constexpr DWORD kNameBufferSize = 256;
} // namespace

DWORD CountSubKeys(HKEY key) {
    DWORD count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return count;
}

bool ReadSubKeyName(HKEY key, DWORD index, std::string& name) {
    char buffer[kNameBufferSize] = "";
    DWORD size = kNameBufferSize;
    if (RegEnumKeyExA(key, index, buffer, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    name.assign(buffer, strnlen(buffer, kNameBufferSize));
    return true;
}

bool ReadSubKeyName(HKEY key, DWORD index, std::wstring& name) {
    wchar_t buffer[kNameBufferSize] = L"";
    DWORD size = kNameBufferSize;
    if (RegEnumKeyExW(key, index, buffer, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    name.assign(buffer, wcsnlen(buffer, kNameBufferSize));
    return true;
}

} // namespace acad
