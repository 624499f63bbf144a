// Trusted paths: the install folder joins TRUSTEDPATHS in every profile of every AutoCAD
// product of every release found under HKEY_CURRENT_USER, ticked or not. Key names and the
// list go through the UTF-16 registry calls: a folder or profile named in a script that the
// ANSI code page lacks must come back as it was, not as '?'.
#include "acad/acad_registry.h"

#include "acad/registry_keys.h"
#include "acad/trusted_path_merge.h"
#include "core/install_events.h"
#include "framework/registry_text.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"

#include <optional>

namespace {

constexpr const wchar_t* kValueName = L"TRUSTEDPATHS";

// The names of the sub-keys of a key below HKEY_CURRENT_USER that can be opened; none when
// the key itself cannot be opened.
WideNameList SubKeysOf(const std::wstring& path) {
    WideNameList names;
    fw::unique_hkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        ListSubKeys(key.get(), names);
    return names;
}

// Every "...\<release>\<product>\Profiles" key path of the user.
WideNameList CollectProfileListKeys() {
    const std::wstring autocad = L"SOFTWARE\\Autodesk\\AutoCAD";
    WideNameList paths;
    for (const auto& release : SubKeysOf(autocad)) {
        for (const auto& product : SubKeysOf(autocad + L"\\" + release))
            paths.push_back(acad::ProfileListKeyPath(release, product));
    }
    return paths;
}

// Every "...\Profiles\<profile>\Variables" key path, whether the Variables key exists or not.
WideNameList CollectVariablesKeys(const WideNameList& profileListKeys) {
    WideNameList paths;
    for (const auto& profileList : profileListKeys) {
        for (const auto& profile : SubKeysOf(profileList))
            paths.push_back(acad::VariablesKeyPath(profileList, profile));
    }
    return paths;
}

// A profile's list as stored: its type (kept on writing) and its whole text.
struct StoredList {
    DWORD type;
    std::wstring text;
    bool present = true; // false: no such value (it counts as empty)
};

// nullopt when the value must be left alone: it cannot be read, or it is not one text (a
// REG_MULTI_SZ, a number). Only a missing value, or Variables key, counts as empty.
std::optional<StoredList> ReadTrustedPaths(const std::wstring& variablesKey) {
    fw::RegText value = fw::ReadRegText(HKEY_CURRENT_USER, variablesKey, kValueName);
    if (value.status == ERROR_FILE_NOT_FOUND)
        return StoredList{REG_SZ, {}, false};
    if (value.status != ERROR_SUCCESS)
        return std::nullopt;
    return StoredList{value.type, std::move(value.text)};
}

// The error of writing the value, or ERROR_SUCCESS.
LONG WriteTrustedPaths(const std::wstring& variablesKey, const StoredList& list) {
    fw::unique_hkey key;
    // A profile without a Variables key gets one.
    if (const LONG error = RegCreateKeyW(HKEY_CURRENT_USER, variablesKey.c_str(), key.put()))
        return error;
    const auto size = static_cast<DWORD>((list.text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), kValueName, 0, list.type,
                          reinterpret_cast<const BYTE*>(list.text.c_str()), size);
}

} // namespace

void ListSubKeys(HKEY key, WideNameList& names) {
    const DWORD count = acad::CountSubKeys(key);
    for (DWORD index = 0; index < count; ++index) {
        std::wstring name;
        if (!acad::ReadSubKeyName(key, index, name))
            continue;
        fw::unique_hkey subKey;
        if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, subKey.put()) == ERROR_SUCCESS)
            names.push_back(name);
    }
}

int CAcadRegistry::AddTrustedPath(const std::wstring& installFolder) {
    int failures = 0;
    for (const auto& variablesKey : CollectVariablesKeys(CollectProfileListKeys())) {
        const std::wstring shownKey = L"HKEY_CURRENT_USER\\" + variablesKey;
        const std::optional<StoredList> current = ReadTrustedPaths(variablesKey);
        if (!current) {
            core::InstallEvents::Failed(L"read " + shownKey + L" TRUSTEDPATHS", ERROR_INVALID_DATA);
            ++failures;
            continue;
        }
        // Written even when unchanged: the list comes back upper-cased.
        const StoredList merged{current->type,
                                acad::MergeTrustedPaths(current->text, installFolder)};
        if (const LONG error = WriteTrustedPaths(variablesKey, merged)) {
            core::InstallEvents::Failed(L"write " + shownKey + L" TRUSTEDPATHS",
                                        static_cast<unsigned long>(error));
            ++failures;
            continue;
        }
        core::InstallEvents::TrustedPathWritten(
            variablesKey,
            current->present ? std::optional<core::StoredText>({current->type, current->text})
                             : std::nullopt,
            merged.text, !acad::ListsTrustedFolder(current->text, installFolder));
    }
    return failures;
}
