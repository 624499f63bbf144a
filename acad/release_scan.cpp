// The start-up scan: every key at or below a release sub-key of AutoCAD's key that holds both
// AcadLocation and ProductName is a product; the year comes out of the product name.
#include "acad/acad_registry.h"

#include "acad/registry_keys.h"
#include "core/bounded_format.h"
#include "core/mbcs_text.h"
#include "framework/unique_handle.h"

#include <cstring>

namespace {

constexpr DWORD kValueBufferSize = 520;
// Registry links can form cycles; the registry itself nests keys at most 512 deep.
constexpr int kMaxWalkDepth = 512;

using acad::CountSubKeys;
using acad::ReadSubKeyName;

} // namespace

void CAcadRegistry::ScanInstalledReleases() {
    ScanWow6432Node();
    ScanBase("SOFTWARE\\Autodesk\\AutoCAD", "SOFTWARE\\Autodesk\\AutoCAD\\%s\\",
             acad::kReleaseCount);
}

void CAcadRegistry::ScanWow6432Node() {
    ScanBase("SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD",
             "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\%s\\", acad::kWow6432NodeYears);
}

void CAcadRegistry::ScanBase(const char* baseKey, const char* baseFormat, int yearCount) {
    fw::unique_hkey root;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, nullptr, root.put()) != ERROR_SUCCESS)
        return;
    fw::unique_hkey base;
    if (RegOpenKeyExA(root.get(), baseKey, 0, KEY_READ, base.put()) != ERROR_SUCCESS)
        return;
    const DWORD count = CountSubKeys(base.get());
    for (DWORD index = 0; index < count; ++index) {
        std::string name;
        if (ReadSubKeyName(base.get(), index, name))
            ScanReleaseKey(base.get(), name, baseFormat, yearCount);
    }
}

void CAcadRegistry::ScanReleaseKey(HKEY baseKey, const std::string& releaseName,
                                   const char* baseFormat, int yearCount) {
    // A release path too long for its buffer cannot name a key we could open again later.
    const auto basePath = core::FormatPath(baseFormat, releaseName.c_str());
    if (!basePath)
        return;
    fw::unique_hkey release;
    if (RegOpenKeyExA(baseKey, releaseName.c_str(), 0, KEY_READ, release.put()) != ERROR_SUCCESS)
        return;

    m_arrFoundKey.clear();
    m_arrFoundValue.clear();
    m_strValueName = "AcadLocation";
    CollectValue(release.get(), "", "", *basePath);
    const CStringList locationKeys = m_arrFoundKey;
    const CStringList locations = m_arrFoundValue;

    m_arrFoundKey.clear();
    m_arrFoundValue.clear();
    m_strValueName = "ProductName";
    CollectValue(release.get(), "", "", *basePath);
    const CStringList nameKeys = m_arrFoundKey;
    const CStringList productNames = m_arrFoundValue;

    for (size_t i = 0; i < locationKeys.size(); ++i) {
        // A key without a usable folder is no installation, whatever its name says.
        if (!acad::IsAbsoluteFolder(locations[i]))
            continue;
        std::string folder = locations[i];
        core::StripTrailingBackslash(folder);
        for (size_t j = 0; j < nameKeys.size(); ++j) {
            if (locationKeys[i] != nameKeys[j])
                continue;
            if (const auto k = acad::ClassifyProductName(productNames[j], yearCount)) {
                m_arrProductKey[*k].push_back(locationKeys[i]);
                m_arrLocation[*k].push_back(folder);
            }
        }
    }
}

void CAcadRegistry::CollectValue(HKEY parentKey, const std::string& subKeyName,
                                 std::string relativePath, std::string basePath, int depth) {
    fw::unique_hkey key;
    if (RegOpenKeyExA(parentKey, subKeyName.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return;

    char data[kValueBufferSize];
    memset(data, 0, sizeof data);
    DWORD size = kValueBufferSize;
    if (RegQueryValueExA(key.get(), m_strValueName.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        m_arrFoundKey.push_back(basePath + relativePath);
        m_arrFoundValue.emplace_back(data, strnlen(data, kValueBufferSize));
        return;
    }

    if (depth >= kMaxWalkDepth)
        return;
    const DWORD count = CountSubKeys(key.get());
    for (DWORD index = 0; index < count; ++index) {
        std::string name;
        if (ReadSubKeyName(key.get(), index, name))
            CollectValue(key.get(), name, relativePath + name + "\\", basePath, depth + 1);
    }
}
