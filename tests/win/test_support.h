// What the Windows tests share: scratch folders, files, and the registry read as snapshots
// (every key and value below a key, with types and data), compared exactly.
#pragma once

#include "framework/text_convert.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Whether this is 64-bit Windows: a 64-bit registry view, a 64-bit Wine loader.
inline bool On64BitWindows() {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

// A symbolic link to a folder. Wine's CreateSymbolicLinkW makes none, but Wine 10 shows a Unix
// symbolic link to a folder as one (to a file, as the file): then Unix's ln makes it.
bool MakeFolderLink(const std::string& link, const std::string& target);

// A fresh folder below the temporary folder, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

  private:
    std::string m_path;
};

inline std::string Utf8(const std::wstring& text) {
    return fw::Utf8FromWide(text);
}

// A registry value as a snapshot shows it: "<type>:<data>", the data of a text type in UTF-8
// with all its terminators, a REG_DWORD as its number.
inline std::string Text(DWORD type, const std::wstring& data) {
    return std::to_string(type) + ":" + Utf8(data);
}
inline std::string Sz(const std::string& ansi) {
    return Text(REG_SZ, fw::WideFromAnsi(ansi) + L'\0');
}
inline std::string Sz(const std::wstring& text) {
    return Text(REG_SZ, text + L'\0');
}
inline std::string Dword(DWORD number) {
    return std::to_string(REG_DWORD) + ":" + std::to_string(number);
}

// Path below the key (and "|value name") to "key" or the value; file paths to contents.
using Snapshot = std::map<std::string, std::string>;
// view: 0, or KEY_WOW64_64KEY for what a 32-bit process does not see by default. A missing
// key gives an empty snapshot.
Snapshot TakeKey(HKEY root, const std::wstring& path, REGSAM view = 0,
                 const std::string& prefix = "");
inline Snapshot TakeKey(HKEY root, const std::string& path, REGSAM view = 0) {
    return TakeKey(root, fw::WideFromAnsi(path), view);
}
Snapshot TakeFolder(const std::string& folder); // every file and folder below

// Writes a text value (data with its terminators), creating the key path as needed.
void SetRegText(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                const std::wstring& data, REGSAM view = 0);
inline void SetRegString(HKEY root, const std::string& key, const std::string& name,
                         const std::string& value, REGSAM view = 0) {
    SetRegText(root, fw::WideFromAnsi(key), fw::WideFromAnsi(name), REG_SZ,
               fw::WideFromAnsi(value) + L'\0', view);
}

void WriteFileText(const std::string& path, const std::string& content);
std::optional<std::string> ReadFileText(const std::string& path);
bool Exists(const std::string& path);      // a file or a folder
void MakeFolders(const std::string& path); // every missing level

} // namespace testing_support
