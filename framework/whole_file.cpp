#include "framework/whole_file.h"

#include "framework/no_link_file.h"
#include "framework/unique_handle.h"

#include <windows.h>

namespace fw {

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const unique_file file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string content;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        content.append(chunk, read);
    return content;
}

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
    const unique_file file = OpenWithoutFollowing(path, GENERIC_WRITE, 0, true);
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                     nullptr) &&
           written == content.size();
}

} // namespace fw
