// What the Windows and end-to-end tests share: scratch folders, message boxes answered by the
// test, and small readers and writers for registry values and files.
#pragma once

#include "framework/message_box.h"
#include "framework/unique_handle.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder below the temporary folder, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

  private:
    std::string m_path;
};

struct ShownMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// Answers every message box through answer() and keeps what was shown.
class MessageAnswers {
  public:
    using Answer = std::function<int(const ShownMessage&)>;
    explicit MessageAnswers(Answer answer = [](const ShownMessage&) { return IDOK; })
        : m_answer(std::move(answer)) {
        m_previous = fw::SetMessageBoxHandler(
            [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
                shown.push_back({owner, text, caption, type});
                return m_answer(shown.back());
            });
    }
    ~MessageAnswers() { fw::SetMessageBoxHandler(std::move(m_previous)); }
    MessageAnswers(const MessageAnswers&) = delete;
    MessageAnswers& operator=(const MessageAnswers&) = delete;

    std::vector<ShownMessage> shown;

  private:
    Answer m_answer;
    fw::MessageBoxHandler m_previous;
};

struct RegValue {
    DWORD type = REG_NONE;
    std::string data; // raw bytes, terminators included
};

// Writes below a (redirected) root; creates the key path as needed. view: 0, or
// KEY_WOW64_64KEY for what a 32-bit process does not see by default.
void SetRegString(HKEY root, const std::string& key, const std::string& name,
                  const std::string& value, REGSAM view = 0);
void SetRegRaw(HKEY root, const std::string& key, const std::string& name, DWORD type,
               const std::string& data, REGSAM view = 0);
bool RegKeyExists(HKEY root, const std::string& key, REGSAM view = 0);
std::optional<RegValue> ReadRegValue(HKEY root, const std::string& key, const std::string& name,
                                     REGSAM view = 0);
std::vector<std::string> ListRegValueNames(HKEY root, const std::string& key, REGSAM view = 0);
std::vector<std::string> ListRegSubKeys(HKEY root, const std::string& key, REGSAM view = 0);

void WriteFileText(const std::string& path, const std::string& content);
std::optional<std::string> ReadFileText(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void MakeFolders(const std::string& path); // every missing level
// The files of a folder (no "." or "..", no sub-folders) in the order the file system lists
// them, which is the order the package copy takes them in.
std::vector<std::string> ListFiles(const std::string& folder);

// The text of a wide string as UTF-8, for readable assertion messages.
std::string Utf8(const std::wstring& text);

} // namespace testing_support
