#include "picker/folder_path.h"

#include "core/bounded_format.h"
#include "core/mbcs_text.h"

#include <cstring>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsEdgeForbidden(char c) {
    return c == '\t' || c == ' ' || c == '.';
}

bool IsForbiddenCharacter(char c) {
    return c != '\0' && std::strchr("\"*/:<>?\\|", c);
}

// Text handed over as a C string would end at its first NUL; so does ours.
std::string AsCString(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

// Where the component that starts at start ends: at the next backslash that is a character
// of its own (the OS reads the same bytes with the same code page), or at the end.
size_t ComponentEnd(const std::string& text, size_t start) {
    size_t pos = start;
    while (pos < text.size() && text[pos] != '\\')
        pos += core::CharLength(text, pos);
    return pos;
}

bool IsDriveRootStart(const std::string& text) {
    return text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\';
}

FolderMessage MessageFor(FolderPathResult result) {
    return result == FolderPathNotCreated ? FolderMessage::NotCreated : FolderMessage::Invalid;
}

FolderPathResult Report(FolderPathResult result, const std::string& path,
                        const FolderActions& actions) {
    const FolderMessage message = MessageFor(result);
    actions.tell(message, FolderMessageText(message, path));
    return result;
}

// Creates one level and judges by what is on disk afterwards: an existing folder is fine,
// a file of that name is not.
bool CreateLevel(const std::string& level, const FolderActions& actions) {
    actions.createFolder(level);
    return actions.examine(level) == FolderEntry::Folder;
}

} // namespace

std::string FolderMessageText(FolderMessage message, const std::string& path) {
    const std::string head = "The folder:\n\n" + path + "\n\n";
    switch (message) {
    case FolderMessage::Invalid:
        return head + "is invalid. Please reenter.";
    case FolderMessage::NotCreated:
        return head + "can not be created. Please double check.";
    case FolderMessage::AskCreate:
        return head + "does not exist. Do you want the folder to be created?";
    }
    return head;
}

bool IsValidFolderName(const std::string& name) {
    // ';' separates the entries of AutoCAD's trusted-folder list: "C:\a;b" would trust "C:\A"
    // instead of itself. Tested byte by byte: no code page's second byte is a ';', so only
    // malformed text could hide one inside a character, and it must not pass either.
    if (name.empty() || IsEdgeForbidden(name.front()) || name.find(';') != std::string::npos)
        return false;
    size_t last = 0;
    for (size_t pos = 0; pos < name.size(); pos += core::CharLength(name, pos)) {
        last = pos;
        if (core::CharLength(name, pos) == 1 && IsForbiddenCharacter(name[pos]))
            return false;
    }
    // The last character counts whole: the second byte of a double-byte one is no dot.
    return !(core::CharLength(name, last) == 1 && IsEdgeForbidden(name[last]));
}

FolderPathResult CheckFolderPath(const std::string& path, bool testOnly,
                                 const FolderActions& actions) {
    // The path must fit the 260-byte buffer it is checked in; a longer one is no folder
    // the system could create or open.
    const auto buffer = core::FormatPath("%s", AsCString(path).c_str());
    if (!buffer || !IsDriveRootStart(*buffer))
        return FolderPathInvalid;
    const std::string& text = *buffer;
    if (text.size() == 3) {
        if (testOnly)
            return FolderPathOk;
        return actions.examine(text) == FolderEntry::Folder ? FolderPathOk : FolderPathNotCreated;
    }
    size_t start = 3;
    for (;;) {
        const size_t end = ComponentEnd(text, start);
        if (!IsValidFolderName(text.substr(start, end - start)))
            return FolderPathInvalid;
        if (!testOnly && !CreateLevel(text.substr(0, end), actions))
            return FolderPathNotCreated;
        if (end == text.size())
            return FolderPathOk;
        start = end + 1;
        if (start == text.size()) // a trailing backslash
            return FolderPathInvalid;
    }
}

FolderPathResult AcceptFolderPath(const std::string& path, const FolderActions& actions) {
    const std::string text = AsCString(path);
    const FolderPathResult syntax = CheckFolderPath(text, true, actions);
    if (syntax != FolderPathOk)
        return Report(syntax, text, actions);
    switch (actions.examine(text)) {
    case FolderEntry::Folder:
        return FolderPathOk;
    case FolderEntry::File: // a file is not a folder: the installation would fail on it
        return Report(FolderPathInvalid, text, actions);
    case FolderEntry::Missing:
        break;
    }
    if (!actions.tell(FolderMessage::AskCreate, FolderMessageText(FolderMessage::AskCreate, text)))
        return FolderPathDeclined;
    const FolderPathResult created = CheckFolderPath(text, false, actions);
    if (created != FolderPathOk)
        return Report(created, text, actions);
    return FolderPathOk;
}
