#include "uninstall/removal.h"

#include "core/mbcs_text.h"
#include "framework/error_text.h"
#include "framework/no_link_file.h"
#include "framework/registry_text.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "install/active_setup_entry.h"
#include "install/list_entry.h"
#include "uninstall/trusted_path_restore.h"

#include <windows.h>

namespace uninstall {

namespace {

constexpr const wchar_t* kTrustedPaths = L"TRUSTEDPATHS";
constexpr int kFolderAttempts = 20;
constexpr DWORD kFolderRetryMs = 100;

std::wstring W(const std::string& utf8) {
    return fw::WideFromUtf8(utf8);
}

bool Gone(LONG error) {
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The value as the installation read it; none when absent. error: why it could not be read
// (ERROR_INVALID_DATA: it is not a list any more, and is left alone).
std::optional<core::StoredText> ReadTrustedPaths(const std::wstring& keyPath, LONG& error) {
    fw::RegText value = fw::ReadRegText(HKEY_CURRENT_USER, keyPath, kTrustedPaths);
    error = value.status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : value.status;
    if (value.status != ERROR_SUCCESS)
        return std::nullopt;
    return core::StoredText{value.type, std::move(value.text)};
}

LONG ApplyRestore(const std::wstring& keyPath, const TrustedPathsRestore& restore) {
    if (restore.action == RestoreAction::Leave)
        return ERROR_SUCCESS;
    fw::unique_hkey key;
    if (const LONG error =
            RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, key.put()))
        return error;
    if (restore.action == RestoreAction::Delete)
        return RegDeleteValueW(key.get(), kTrustedPaths);
    const std::wstring& text = restore.value.text;
    return RegSetValueExW(key.get(), kTrustedPaths, 0, restore.value.type,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// A path with a link in any of its folders leads somewhere else than the record says:
// nothing there is ours to delete.
bool BehindLink(const std::wstring& path) {
    for (size_t end = path.find_last_of(L'\\'); end != std::wstring::npos && end > 0;
         end = path.find_last_of(L'\\', end - 1)) {
        if (fw::IsLink(GetFileAttributesW(core::QueryableFolder(path.substr(0, end)).c_str())))
            return true;
    }
    return false;
}

LONG DeleteOneFile(const std::wstring& path) {
    if (BehindLink(path))
        return static_cast<LONG>(fw::kStoppedOnLink);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return static_cast<LONG>(GetLastError());
    // A link put in the place of a file goes itself, never what it points to; its flags are
    // not touched either, since that would change the target's.
    if (fw::IsLink(attributes)) {
        const BOOL gone = attributes & FILE_ATTRIBUTE_DIRECTORY ? RemoveDirectoryW(path.c_str())
                                                                : DeleteFileW(path.c_str());
        return gone ? ERROR_SUCCESS : static_cast<LONG>(GetLastError());
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(path.c_str()) ? ERROR_SUCCESS : static_cast<LONG>(GetLastError());
}

LONG DeleteTree(HKEY root, const wchar_t* path) {
    const LONG error = RegDeleteTreeW(root, path);
    if (!Gone(error))
        return error;
    const LONG key = RegDeleteKeyW(root, path); // in case the key itself outlived its contents
    return Gone(key) ? ERROR_SUCCESS : key;
}

// Logs the outcome; a failure also becomes a line for the user. True when it is gone.
class Outcome {
  public:
    Outcome(const RemovalLog& log, std::vector<std::wstring>& notRemoved)
        : m_log(log), m_notRemoved(notRemoved) {}
    bool operator()(const std::wstring& what, LONG error) {
        if (Gone(error)) {
            m_log(L"removed " + what);
            return true;
        }
        m_log(L"could not remove " + what + L" (error " +
              fw::ErrorText(static_cast<unsigned long>(error)) + L")");
        m_notRemoved.push_back(what);
        return false;
    }

  private:
    const RemovalLog& m_log;
    std::vector<std::wstring>& m_notRemoved;
};

// A program that has just ended may hold its current folder for a moment longer. A folder
// that is a link goes itself (RemoveDirectoryW never follows one); one behind a link stays.
bool RemoveFolderSoon(const std::wstring& folder) {
    if (BehindLink(folder)) {
        SetLastError(fw::kStoppedOnLink);
        return false;
    }
    for (int attempt = 0;; ++attempt) {
        if (RemoveDirectoryW(folder.c_str()))
            return true;
        if (GetLastError() != ERROR_SHARING_VIOLATION || attempt == kFolderAttempts)
            return false;
        Sleep(kFolderRetryMs);
    }
}

} // namespace

RemovalResult RemoveRegisteredParts(const install::InstallRecord& record, const RemovalLog& log) {
    RemovalResult result;
    install::InstallRecord& remaining = result.remaining;
    remaining.installFolder = record.installFolder;
    remaining.earlierFolders = record.earlierFolders;
    remaining.folders = record.folders;
    remaining.listedUnder = record.listedUnder;
    Outcome outcome(log, result.notRemoved);

    for (const install::RecordedKey& key : record.keys) {
        const REGSAM view = key.view == 32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
        const LONG error = RegDeleteKeyExW(HKEY_LOCAL_MACHINE, W(key.path).c_str(), view, 0);
        if (!outcome(L"HKEY_LOCAL_MACHINE\\" + W(key.path), error))
            remaining.keys.push_back(key);
    }
    std::vector<std::wstring> folders{W(record.installFolder)};
    for (const std::string& earlier : record.earlierFolders)
        folders.push_back(W(earlier));
    for (const install::RecordedTrustedPath& profile : record.trustedPaths) {
        const std::wstring keyPath = W(profile.variablesKey);
        const auto wide = [](const install::RecordedText& t) {
            return core::StoredText{t.type, W(t.text)};
        };
        std::optional<core::StoredText> before;
        if (profile.before)
            before = wide(*profile.before);
        LONG error = ERROR_SUCCESS;
        const std::optional<core::StoredText> current = ReadTrustedPaths(keyPath, error);
        if (error == ERROR_SUCCESS)
            error = ApplyRestore(
                keyPath, RestoreTrustedPaths(current, before, wide(profile.written), folders));
        if (!outcome(L"HKEY_CURRENT_USER\\" + keyPath + L" TRUSTEDPATHS " + folders[0], error))
            remaining.trustedPaths.push_back(profile);
    }
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        outcome(std::wstring(root == HKEY_LOCAL_MACHINE ? L"HKEY_LOCAL_MACHINE\\"
                                                        : L"HKEY_CURRENT_USER\\") +
                    install::kActiveSetupKey,
                DeleteTree(root, install::kActiveSetupKey));

    const install::RemovalPlan plan = PlanRemoval(record);
    for (const install::RecordedFile& file : plan.files) {
        if (!outcome(W(file.path), DeleteOneFile(W(file.path))))
            remaining.files.push_back(file);
    }
    remaining.files.insert(remaining.files.end(), plan.keptFiles.begin(), plan.keptFiles.end());
    // While anything is left, the list entry stays: it is how the user starts the next try.
    if (result.notRemoved.empty() && !record.listedUnder.empty() &&
        outcome(L"the entry in the list of programs", install::RemoveListEntry(record.listedUnder)))
        remaining.listedUnder.clear();
    return result;
}

std::vector<std::wstring> RemoveFolderRemains(const install::InstallRecord& record,
                                              const std::wstring& recordPath,
                                              const RemovalLog& log) {
    std::vector<std::wstring> notRemoved;
    Outcome outcome(log, notRemoved);
    const install::RemovalPlan plan = PlanRemoval(record);
    for (const install::RecordedFile& file : plan.keptFiles)
        outcome(W(file.path), DeleteOneFile(W(file.path)));
    outcome(recordPath, DeleteOneFile(recordPath));
    for (const std::string& folder : plan.folders) {
        if (RemoveFolderSoon(W(folder)))
            log(L"removed " + W(folder));
        else if (GetLastError() == ERROR_DIR_NOT_EMPTY)
            log(L"kept " + W(folder) + L": it holds files that the installation did not create");
        else
            outcome(W(folder), static_cast<LONG>(GetLastError()));
    }
    return notRemoved;
}

} // namespace uninstall
