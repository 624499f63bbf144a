// Trusted paths: the install folder joins TRUSTEDPATHS in every profile of every AutoCAD
// product of every release found under HKEY_CURRENT_USER, ticked or not.
#include "acad/acad_registry.h"

#include "acad/registry_keys.h"
#include "acad/trusted_path_merge.h"
#include "framework/unique_handle.h"

#include <cstring>
#include <vector>

namespace {

// A value that keeps growing between the size query and the read is given up after this
// many attempts and counts as absent.
constexpr int kReadAttempts = 4;

// The names of the sub-keys of a key below HKEY_CURRENT_USER that can be opened; none when
// the key itself cannot be opened.
CStringList SubKeysOf(const std::string& path) {
    CStringList names;
    fw::unique_hkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        ListSubKeys(key.get(), names);
    return names;
}

// Every "...\<release>\<product>\Profiles" key path of the user.
CStringList CollectProfileListKeys() {
    const std::string autocad = "SOFTWARE\\Autodesk\\AutoCAD";
    CStringList paths;
    for (const auto& release : SubKeysOf(autocad)) {
        for (const auto& product : SubKeysOf(autocad + "\\" + release))
            paths.push_back(acad::ProfileListKeyPath(release, product));
    }
    return paths;
}

// Every "...\Profiles\<profile>\Variables" key path, whether the Variables key exists or not.
CStringList CollectVariablesKeys(const CStringList& profileListKeys) {
    CStringList paths;
    for (const auto& profileList : profileListKeys) {
        for (const auto& profile : SubKeysOf(profileList))
            paths.push_back(acad::VariablesKeyPath(profileList, profile));
    }
    return paths;
}

// The whole text of a value up to its first NUL, however long; empty when the value is
// absent. A list longer than any fixed buffer must be extended, not mistaken for empty.
std::string ReadWholeText(HKEY key, const char* name) {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return {};
        std::vector<char> buffer(size + 1, '\0'); // one NUL more for a text stored without
        const LONG status = RegQueryValueExA(key, name, nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return {};
        return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }
    return {};
}

std::string ReadTrustedPaths(const std::string& variablesKey) {
    fw::unique_hkey key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, variablesKey.c_str(), key.put()) != ERROR_SUCCESS)
        return {};
    return ReadWholeText(key.get(), "TRUSTEDPATHS");
}

void WriteTrustedPaths(const std::string& variablesKey, const std::string& text) {
    fw::unique_hkey key;
    // A profile without a Variables key gets one.
    if (RegCreateKeyA(HKEY_CURRENT_USER, variablesKey.c_str(), key.put()) != ERROR_SUCCESS)
        return; // left alone, like every other failure of this step
    static_cast<void>(RegSetValueExA(key.get(), "TRUSTEDPATHS", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1)));
}

} // namespace

void ListSubKeys(HKEY key, CStringList& names) {
    const DWORD count = acad::CountSubKeys(key);
    for (DWORD index = 0; index < count; ++index) {
        std::string name;
        if (!acad::ReadSubKeyName(key, index, name))
            continue;
        fw::unique_hkey subKey;
        if (RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, subKey.put()) == ERROR_SUCCESS)
            names.push_back(name);
    }
}

void CAcadRegistry::AddTrustedPath() {
    const CStringList variablesKeys = CollectVariablesKeys(CollectProfileListKeys());
    for (const auto& variablesKey : variablesKeys) {
        const std::string current = ReadTrustedPaths(variablesKey);
        // Written even when unchanged: the list comes back upper-cased.
        WriteTrustedPaths(variablesKey, acad::MergeTrustedPaths(current, m_strInstallDir));
    }
}
