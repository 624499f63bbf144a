#include "framework/own_path.h"

#include <windows.h>

namespace fw {

namespace {
// A path beyond MAX_PATH may reach this length (with the "\\?\" prefix).
constexpr DWORD kLongestPath = 32768;
} // namespace

std::wstring OwnPath() {
    // The buffer grows until the path fits: a full buffer means the path was cut.
    for (DWORD capacity = MAX_PATH + 1;; capacity *= 2) {
        std::wstring path(capacity, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), capacity);
        if (length == 0)
            return {};
        if (length < capacity) {
            path.resize(length);
            return path;
        }
        if (capacity >= kLongestPath)
            return {};
    }
}

std::wstring OwnFolder() {
    std::wstring folder = OwnPath();
    const size_t slash = folder.find_last_of(L'\\');
    folder.erase(slash == std::wstring::npos ? 0 : slash);
    return folder;
}

} // namespace fw
