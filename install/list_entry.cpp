#include "install/list_entry.h"

#include "core/build_constants.h"
#include "framework/registry_text.h"
#include "framework/registry_values.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "install/list_entry_text.h"

#include <windows.h>

namespace install {

namespace {

// The list of programs reads both registry views on Windows; Wine's reads only the native
// one. The entry goes there (on 32-bit Windows the flag changes nothing).
constexpr REGSAM kListView = KEY_WOW64_64KEY;

// The entry holds values only, so deleting the key takes them with it.
LONG DeleteEntry(HKEY root) {
    const LONG error = RegDeleteKeyExW(root, kListKey, kListView, 0);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// The bytes of the files directly in the folder: the package and the kept installer.
unsigned long long FolderBytes(const std::wstring& folder) {
    unsigned long long bytes = 0;
    WIN32_FIND_DATAW entry = {};
    const fw::unique_find listing(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!listing)
        return 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            bytes +=
                (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    } while (FindNextFileW(listing.get(), &entry));
    return bytes;
}

LONG WriteEntry(HKEY root, const std::wstring& folder) {
    fw::unique_hkey key;
    if (const LONG error = RegCreateKeyExW(root, kListKey, 0, nullptr, 0, KEY_WRITE | kListView,
                                           nullptr, key.put(), nullptr))
        return error;
    const std::wstring installer = folder + L"\\SetUp.exe";
    LONG error = fw::SetRegText(key.get(), L"DisplayName", DisplayName(g_nVersion));
    for (const auto& [name, text] :
         {std::pair{L"DisplayVersion", DisplayVersion(g_nVersion)},
          std::pair{L"Publisher", std::wstring(L"Vornik")}, std::pair{L"InstallLocation", folder},
          std::pair{L"DisplayIcon", installer},
          std::pair{L"UninstallString", UninstallCommand(installer, false)},
          std::pair{L"QuietUninstallString", UninstallCommand(installer, true)}})
        error = error ? error : fw::SetRegText(key.get(), name, text);
    error = error ? error : fw::SetRegNumber(key.get(), L"NoModify", 1);
    error = error ? error : fw::SetRegNumber(key.get(), L"NoRepair", 1);
    return error ? error
                 : fw::SetRegNumber(key.get(), L"EstimatedSize",
                                    EstimatedSizeKb(FolderBytes(folder)));
}

} // namespace

bool RegisterUninstaller(const std::string& installFolder, InstallRecordWriter& record) {
    // Recorded before it is written: an entry the record does not name could not be removed.
    const std::wstring folder = fw::WideFromAnsi(installFolder);
    record.Listed("HKLM");
    if (WriteEntry(HKEY_LOCAL_MACHINE, folder) == ERROR_SUCCESS)
        return true;
    // A half-written machine-wide entry would list the program without a way to remove it.
    DeleteEntry(HKEY_LOCAL_MACHINE);
    record.Listed("HKCU");
    const LONG userError = WriteEntry(HKEY_CURRENT_USER, folder);
    if (userError == ERROR_SUCCESS)
        return true;
    core::InstallEvents::Failed(L"write HKEY_CURRENT_USER\\" + std::wstring(kListKey),
                                static_cast<unsigned long>(userError));
    return false;
}

std::optional<std::string> ListedInstallFolder(bool machineWide) {
    fw::unique_hkey key;
    if (RegOpenKeyExW(machineWide ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kListKey, 0,
                      KEY_READ | kListView, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    const fw::RegText location = fw::ReadRegText(key.get(), L"", L"InstallLocation");
    if (location.status != ERROR_SUCCESS)
        return std::nullopt;
    return fw::ExactAnsiFromWide(location.text);
}

long RemoveListEntry(const std::string& root) {
    return DeleteEntry(root == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
}

} // namespace install
