#include "acad/trusted_path_merge.h"

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
    for (size_t begin = 0;;) {
        const size_t end = list.find(L';', begin);
        const std::wstring entry =
            list.substr(begin, end == std::wstring::npos ? end : end - begin);
        if (UpperAscii(WithoutTrailingBackslash(entry)) == wanted)
            return true;
        if (end == std::wstring::npos)
            return false;
        begin = end + 1;
    }
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
