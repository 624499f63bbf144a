#include "acad/trusted_path_merge.h"

#include "core/mbcs_text.h"
#include "core/split_text.h"

namespace acad {

namespace {

// A value this short (empty, ".", "C:") cannot name a useful folder; it is replaced.
constexpr size_t kShortestKeptValue = 3;

// The core rule, for a text built in place.
std::wstring WithoutTrailingBackslash(std::wstring path) {
    core::StripTrailingBackslash(path);
    return path;
}

} // namespace

bool ListsTrustedFolder(const std::wstring& list, const std::wstring& folder) {
    const std::wstring wanted = core::UpperAscii(folder);
    for (const std::wstring& entry : core::SplitAt(list, L';')) {
        if (core::UpperAscii(WithoutTrailingBackslash(entry)) == wanted)
            return true;
    }
    return false;
}

std::wstring MergeTrustedPaths(const std::wstring& current, const std::wstring& installDir) {
    if (current.size() < kShortestKeptValue)
        return installDir;
    std::wstring merged = core::UpperAscii(current);
    if (!ListsTrustedFolder(merged, installDir))
        merged += L";" + core::UpperAscii(installDir);
    return merged;
}

std::wstring ProfileListKeyPath(const std::wstring& releaseName, const std::wstring& productName) {
    return WithoutTrailingBackslash(L"SOFTWARE\\Autodesk\\AutoCAD\\" + releaseName + L"\\" +
                                    productName) +
           L"\\Profiles";
}

std::wstring VariablesKeyPath(const std::wstring& profileListKey, const std::wstring& profileName) {
    return WithoutTrailingBackslash(profileListKey + L"\\" + profileName) + L"\\Variables";
}

} // namespace acad
