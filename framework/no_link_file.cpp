#include "framework/no_link_file.h"

namespace fw {

namespace {
// Closed before the error is set, so that the caller reads this error.
unique_file Refuse(unique_file& file, DWORD error) {
    file.reset();
    SetLastError(error);
    return unique_file();
}
} // namespace

unique_file OpenWithoutFollowing(const std::wstring& path, DWORD access, DWORD share,
                                 bool truncate) {
    unique_file file;
    // The name is looked at first, so that a link is refused even where the open below would
    // follow it; the opened object again, since a link may be put there in between.
    if (IsLink(GetFileAttributesW(path.c_str())))
        return Refuse(file, kStoppedOnLink);
    file.reset(CreateFileW(path.c_str(), access, share, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
        return file;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        return Refuse(file, GetLastError());
    if (IsLink(info.dwFileAttributes))
        return Refuse(file, kStoppedOnLink);
    if (truncate && !SetEndOfFile(file.get()))
        return Refuse(file, GetLastError());
    return file;
}

} // namespace fw
