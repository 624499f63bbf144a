#include "tests/win/test_support.h"

#include "framework/text_convert.h"

#include <stdexcept>

namespace testing_support {

namespace {

fw::unique_hkey CreateKey(HKEY root, const std::string& key, REGSAM view = 0) {
    fw::unique_hkey handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                        handle.put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create test key " + key);
    return handle;
}

// Wide, so that files named in any script are removed too.
void DeleteFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    fw::unique_find find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolderTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find.get(), &data));
    }
    find.reset();
    RemoveDirectoryW(folder.c_str());
}

int g_counter = 0;

std::string UniqueSuffix() {
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
           std::to_string(++g_counter);
}

} // namespace

TempDir::TempDir() {
    char base[MAX_PATH + 1] = "";
    GetTempPathA(MAX_PATH, base);
    std::string folder = base;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    m_path = folder + "\\setup-test-" + UniqueSuffix();
    MakeFolders(m_path);
}

TempDir::~TempDir() {
    DeleteFolderTree(fw::WideFromAnsi(m_path));
}

void SetRegRaw(HKEY root, const std::string& key, const std::string& name, DWORD type,
               const std::string& data, REGSAM view) {
    auto handle = CreateKey(root, key, view);
    if (RegSetValueExA(handle.get(), name.c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set test value " + key + "\\" + name);
}

void SetRegString(HKEY root, const std::string& key, const std::string& name,
                  const std::string& value, REGSAM view) {
    SetRegRaw(root, key, name, REG_SZ, std::string(value.c_str(), value.size() + 1), view);
}

bool RegKeyExists(HKEY root, const std::string& key, REGSAM view) {
    fw::unique_hkey handle;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, handle.put()) == ERROR_SUCCESS;
}

std::optional<RegValue> ReadRegValue(HKEY root, const std::string& key, const std::string& name,
                                     REGSAM view) {
    fw::unique_hkey handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, handle.put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    RegValue value;
    value.type = type;
    value.data.resize(size);
    if (RegQueryValueExA(handle.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value.data[0]), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

namespace {

// The names that enumerate(key, index, name buffer, size in and out) gives, in order.
template <typename Enumerate>
std::vector<std::string> ListNames(HKEY root, const std::string& key, REGSAM view,
                                   Enumerate enumerate) {
    std::vector<std::string> names;
    fw::unique_hkey handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, handle.put()) != ERROR_SUCCESS)
        return names;
    char name[16384];
    for (DWORD index = 0, size = sizeof name;
         enumerate(handle.get(), index, name, &size) == ERROR_SUCCESS; ++index, size = sizeof name)
        names.emplace_back(name, size);
    return names;
}

} // namespace

std::vector<std::string> ListRegValueNames(HKEY root, const std::string& key, REGSAM view) {
    return ListNames(root, key, view, [](HKEY handle, DWORD index, char* name, DWORD* size) {
        return RegEnumValueA(handle, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> ListRegSubKeys(HKEY root, const std::string& key, REGSAM view) {
    return ListNames(root, key, view, [](HKEY handle, DWORD index, char* name, DWORD* size) {
        return RegEnumKeyExA(handle, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

void WriteFileText(const std::string& path, const std::string& content) {
    fw::unique_file file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw std::runtime_error("cannot write test file " + path);
    DWORD written = 0;
    WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::optional<std::string> ReadFileText(const std::string& path) {
    fw::unique_file file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    return content;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolders(const std::string& path) {
    for (size_t pos = path.find('\\', 3); pos != std::string::npos; pos = path.find('\\', pos + 1))
        CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

std::vector<std::string> ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    fw::unique_find find(FindFirstFileA((folder + "\\*.*").c_str(), &data));
    if (!find)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileA(find.get(), &data));
    return names;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], length,
                        nullptr, nullptr);
    return result;
}

} // namespace testing_support
