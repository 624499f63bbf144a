#include "tests/win/test_support.h"

#include "framework/unique_handle.h"
#include "framework/whole_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace testing_support {

namespace {

// Wide, so that files named in any script are removed too.
void DeleteFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    fw::unique_find find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    while (find) {
        const std::wstring name = data.cFileName, path = folder + L"\\" + name;
        if (name != L"." && name != L"..") {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolderTree(path);
            else
                DeleteFileW(path.c_str());
        }
        if (!FindNextFileW(find.get(), &data))
            find.reset();
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

TempDir::TempDir() {
    static int counter = 0;
    char base[MAX_PATH + 1] = "";
    m_path = std::string(base, GetTempPathA(MAX_PATH, base)) + "setup-test-" +
             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
             std::to_string(++counter);
    MakeFolders(m_path);
}

TempDir::~TempDir() {
    DeleteFolderTree(fw::WideFromAnsi(m_path));
}

namespace {
bool IsLink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
} // namespace

bool MakeFolderLink(const std::string& link, const std::string& target) {
    const std::wstring wideLink = fw::WideFromAnsi(link), wideTarget = fw::WideFromAnsi(target);
    const DWORD targetAttributes = GetFileAttributesW(wideTarget.c_str());
    const DWORD flags =
        (targetAttributes & FILE_ATTRIBUTE_DIRECTORY ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (CreateSymbolicLinkW(wideLink.c_str(), wideTarget.c_str(), flags) && IsLink(wideLink))
        return true;
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!toUnix)
        return false;
    std::wstring commandLine = L"ln -s";
    for (const std::wstring& path : {wideTarget, wideLink}) {
        char* unixPath = toUnix(path.c_str());
        if (!unixPath)
            return false;
        commandLine += L" \"" + fw::WideFromUtf8(unixPath) + L"\"";
        HeapFree(GetProcessHeap(), 0, unixPath);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\bin\\ln", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return false;
    for (HANDLE handle : {info.hProcess, info.hThread})
        if (handle)
            CloseHandle(handle);
    // A Unix program gives no handle to wait for: its link shows when it has run.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(20))
        if (IsLink(wideLink))
            return true;
    return false;
}

Snapshot TakeKey(HKEY root, const std::wstring& path, REGSAM view, const std::string& prefix) {
    Snapshot out;
    fw::unique_hkey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS)
        return out;
    out[prefix] = "key";
    std::vector<wchar_t> name(16384);
    std::string data(65536, '\0');
    for (DWORD i = 0, length = 16384, type = 0, size = 65536;
         RegEnumValueW(key.get(), i, name.data(), &length, nullptr, &type,
                       reinterpret_cast<BYTE*>(&data[0]), &size) == ERROR_SUCCESS;
         ++i, length = 16384, size = 65536) {
        const std::string value = prefix + "|" + Utf8(name.data());
        if (type == REG_DWORD && size == 4)
            out[value] = Dword(*reinterpret_cast<const DWORD*>(data.data()));
        else if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)
            out[value] = Text(type, std::wstring(reinterpret_cast<const wchar_t*>(data.data()),
                                                 size / sizeof(wchar_t)));
        else
            out[value] = std::to_string(type) + ":" + data.substr(0, size);
    }
    for (DWORD i = 0, length = 16384; RegEnumKeyExW(key.get(), i, name.data(), &length, nullptr,
                                                    nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 16384)
        out.merge(TakeKey(root, path + L"\\" + name.data(), view,
                          prefix + (prefix.empty() ? "" : "\\") + Utf8(name.data())));
    return out;
}

Snapshot TakeFolder(const std::string& folder) {
    Snapshot out;
    WIN32_FIND_DATAA entry;
    fw::unique_find find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    while (find) {
        const std::string name = entry.cFileName, path = folder + "\\" + name;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            out[path] = ReadFileText(path).value_or("?");
        } else if (name != "." && name != "..") {
            out[path] = "folder";
            out.merge(TakeFolder(path));
        }
        if (!FindNextFileA(find.get(), &entry))
            find.reset();
    }
    return out;
}

void SetRegText(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                const std::wstring& data, REGSAM view) {
    fw::unique_hkey handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                        handle.put(), nullptr) != ERROR_SUCCESS ||
        RegSetValueExW(handle.get(), name.c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size() * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set test value " + Utf8(key + L"\\" + name));
}

void WriteFileText(const std::string& path, const std::string& content) {
    if (!fw::WriteWholeFile(fw::WideFromAnsi(path), content))
        throw std::runtime_error("cannot write test file " + path);
}

std::optional<std::string> ReadFileText(const std::string& path) {
    return fw::ReadWholeFile(fw::WideFromAnsi(path));
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::string& path) {
    for (size_t pos = path.find('\\', 3); pos != std::string::npos; pos = path.find('\\', pos + 1))
        CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

} // namespace testing_support

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--idle")
        Sleep(INFINITE); // a stand-in for a running program
    fw::UseSystemLeadByteRule();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
