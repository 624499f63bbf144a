#include "acad/trusted_path_merge.h"

#include "core/mbcs_text.h"

namespace acad {

namespace {

// A value this short (empty, ".", "C:") cannot name a useful folder; it is replaced.
constexpr size_t kShortestKeptValue = 3;

// Position of the first ';' at or after from that is a character of its own, or npos.
// (No second byte of a double-byte character in code page 936 is a ';', but the walk
// keeps the rule of every other path search.)
size_t FindSeparator(const std::string& text, size_t from) {
    for (size_t pos = from; pos < text.size(); pos += core::CharLength(text, pos)) {
        if (text[pos] == ';')
            return pos;
    }
    return std::string::npos;
}

std::string WithoutTrailingBackslash(std::string path) {
    core::StripTrailingBackslash(path);
    return path;
}

} // namespace

bool ListsTrustedFolder(const std::string& list, const std::string& folder) {
    size_t begin = 0;
    for (;;) {
        const size_t end = FindSeparator(list, begin);
        const std::string entry = list.substr(begin, end == std::string::npos ? end : end - begin);
        if (core::EqualsNoCase(WithoutTrailingBackslash(entry), folder))
            return true;
        if (end == std::string::npos)
            return false;
        begin = end + 1;
    }
}

std::string MergeTrustedPaths(const std::string& current, const std::string& installDir) {
    if (current.size() < kShortestKeptValue)
        return installDir;
    std::string merged = core::UpperAscii(current);
    if (!ListsTrustedFolder(merged, installDir))
        merged += ";" + core::UpperAscii(installDir);
    return merged;
}

std::string ProfileListKeyPath(const std::string& releaseName, const std::string& productName) {
    std::string path = "SOFTWARE\\Autodesk\\AutoCAD\\" + releaseName + "\\" + productName;
    core::StripTrailingBackslash(path);
    return path + "\\Profiles";
}

std::string VariablesKeyPath(const std::string& profileListKey, const std::string& profileName) {
    std::string path = profileListKey + "\\" + profileName;
    core::StripTrailingBackslash(path);
    return path + "\\Variables";
}

} // namespace acad
