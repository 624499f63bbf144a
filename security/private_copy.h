// A copy of a program in a new folder of its own below the system's temporary folder, that
// only SYSTEM, Administrators and the account running it may enter: where users may create
// files (C:\Windows\Temp for SYSTEM), nobody can plant a DLL beside it or the file itself in
// advance.
#pragma once

#include <optional>
#include <string>

namespace security {

struct PrivateCopy {
    std::wstring folder;
    std::wstring file;
};

// Copies source as fileName into a newly made private folder; a name that exists is never
// reused, and the copy never writes over a file. nullopt when no copy could be made.
std::optional<PrivateCopy> MakePrivateCopy(const std::wstring& source,
                                           const std::wstring& fileName);

// Removes the copy and its folder now (a copy that never ran).
void RemovePrivateCopy(const PrivateCopy& copy);

// From the running copy: its file and then its folder go at the next start of Windows, as a
// running program cannot delete its own file.
void RemoveAtNextStart(const std::wstring& runningFile);

} // namespace security
