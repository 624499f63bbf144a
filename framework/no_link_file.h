// Writing into folders that someone else may have prepared: a junction or symbolic link
// there must not turn our write into a write of whatever it points to, which for an
// administrator's run could be any file of the machine.
#pragma once

#include "framework/unique_handle.h"

#include <windows.h>

#include <string>

namespace fw {

// ERROR_STOPPED_ON_SYMLINK, "The create operation stopped after reaching a symbolic link",
// which MinGW's headers lack: what a write that found a link reports.
constexpr DWORD kStoppedOnLink = 681;

// Attributes (GetFileAttributes, a listing) of a junction, a symbolic link or another
// reparse point.
inline bool IsLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Opens path for writing, creating it when missing and emptying it when truncate, as
// CREATE_ALWAYS would, but never through a link: then nothing is opened and the last error
// is kStoppedOnLink.
unique_file OpenWithoutFollowing(const std::wstring& path, DWORD access, DWORD share,
                                 bool truncate);

} // namespace fw
