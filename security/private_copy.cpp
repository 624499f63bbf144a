#include "security/private_copy.h"

#include "security/folder_dacl.h"
#include "security/security_descriptor.h"

#include <windows.h>

namespace security {

namespace {

constexpr int kNameAttempts = 64;

// SYSTEM's own temporary folder (C:\Windows\SystemTemp) where Windows has GetTempPath2W,
// which users cannot write; the usual one for every other account and on older Windows.
std::wstring SystemTempFolder() {
    using TempPath = DWORD(WINAPI*)(DWORD, LPWSTR);
    TempPath getTempPath = GetTempPathW;
    if (const HMODULE kernel = GetModuleHandleW(L"kernel32.dll"))
        if (const FARPROC found = GetProcAddress(kernel, "GetTempPath2W"))
            getTempPath = reinterpret_cast<TempPath>(reinterpret_cast<void*>(found));
    wchar_t path[MAX_PATH + 1];
    const DWORD length = getTempPath(MAX_PATH + 1, path);
    return std::wstring(path, length > 0 && length <= MAX_PATH ? length : 0);
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

// A name hard to guess in advance, so that nobody can take every one we would try.
std::wstring CandidateName(int attempt) {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    wchar_t name[64];
    swprintf(name, 64, L"VornikUninstall-%lu-%08lx%02x", GetCurrentProcessId(),
             static_cast<unsigned long>(counter.LowPart), attempt);
    return name;
}

std::optional<std::wstring> MakePrivateFolder(const std::wstring& base) {
    const std::optional<std::wstring> runner = RunnerSid();
    if (base.empty() || !runner)
        return std::nullopt;
    std::optional<SecurityDescriptor> descriptor =
        SecurityDescriptor::FromSddl(ProtectedDaclSddl(PrivateFolderGrants(*runner)));
    if (!descriptor)
        return std::nullopt;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring folder = base + CandidateName(attempt);
        if (CreateDirectoryW(folder.c_str(), descriptor->Attributes()))
            return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<PrivateCopy> MakePrivateCopy(const std::wstring& source,
                                           const std::wstring& fileName) {
    const std::optional<std::wstring> folder = MakePrivateFolder(SystemTempFolder());
    if (!folder)
        return std::nullopt;
    PrivateCopy copy{*folder, *folder + L"\\" + fileName};
    if (!CopyFileExW(source.c_str(), copy.file.c_str(), nullptr, nullptr, nullptr,
                     COPY_FILE_FAIL_IF_EXISTS)) {
        RemoveDirectoryW(copy.folder.c_str());
        return std::nullopt;
    }
    return copy;
}

void RemovePrivateCopy(const PrivateCopy& copy) {
    DeleteFileW(copy.file.c_str());
    RemoveDirectoryW(copy.folder.c_str());
}

void RemoveAtNextStart(const std::wstring& runningFile) {
    // Windows works through the list in order: the folder is empty by the time it comes.
    MoveFileExW(runningFile.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MoveFileExW(FolderOf(runningFile).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

} // namespace security
