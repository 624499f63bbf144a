#include "acad/trusted_path_merge.h"

#include "core/split_text.h"

namespace acad {

namespace {

// A value this short (empty, ".", "C:") cannot name a useful folder; it is replaced.
constexpr size_t kShortestKeptValue = 3;

std::wstring UpperAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

// One trailing backslash cut, unless it is the text's only character.
std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    return path;
}

} // namespace

bool ListsTrustedFolder(const std::wstring& list, const std::wstring& folder) {
    const std::wstring wanted = UpperAscii(folder);
    for (const std::wstring& entry : core::SplitAt(list, L';')) {
        if (UpperAscii(WithoutTrailingBackslash(entry)) == wanted)
            return true;
    }
    return false;
}

std::wstring MergeTrustedPaths(const std::wstring& current, const std::wstring& installDir) {
    if (current.size() < kShortestKeptValue)
        return installDir;
    std::wstring merged = UpperAscii(current);
    if (!ListsTrustedFolder(merged, installDir))
        merged += L";" + UpperAscii(installDir);
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
