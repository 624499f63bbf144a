#include "framework/registry_text.h"

#include "framework/unique_handle.h"

namespace fw {

namespace {

constexpr int kReadAttempts = 4;

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

RegText Failed(LONG status) {
    RegText failed;
    failed.status = status;
    return failed;
}

} // namespace

RegText ReadRegText(HKEY root, const std::wstring& keyPath, const wchar_t* name) {
    unique_hkey key;
    if (const LONG status = RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key.put()))
        return Failed(status);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = REG_NONE, size = 0;
        LONG status = RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return Failed(status);
        if (!IsText(type) || size % sizeof(wchar_t) != 0)
            return Failed(ERROR_INVALID_DATA);
        std::wstring text(size / sizeof(wchar_t), L'\0');
        status = RegQueryValueExW(key.get(), name, nullptr, &type,
                                  reinterpret_cast<BYTE*>(text.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue; // it grew in between
        if (status != ERROR_SUCCESS)
            return Failed(status);
        if (!IsText(type))
            return Failed(ERROR_INVALID_DATA);
        text.resize(size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return RegText{ERROR_SUCCESS, type, std::move(text)};
    }
    return Failed(ERROR_MORE_DATA);
}

} // namespace fw
