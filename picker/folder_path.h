// The folder picker's path rules: which typed folder paths are accepted, when the user is
// asked, and how a missing folder is created level by level. The platform (existence test,
// folder creation, message box) comes in as FolderActions, so the rules run natively and
// can be fuzzed against an imagined disk.
#pragma once

#include <functional>
#include <string>

// Result codes of CheckFolderPath and AcceptFolderPath.
enum FolderPathResult {
    FolderPathDeclined = -1, // the user did not want the folder created (AcceptFolderPath only)
    FolderPathOk = 0,
    FolderPathInvalid = 1,    // syntax error, or the path names a file
    FolderPathNotCreated = 2, // a level is missing and could not be created
};

enum class FolderEntry { Missing, File, Folder };

// The picker's three messages (English, for every user).
enum class FolderMessage { Invalid, NotCreated, AskCreate };

struct FolderActions {
    // What the path names on disk now.
    std::function<FolderEntry(const std::string& path)> examine;
    // Tries to create one folder whose parent exists; its success is judged by examine.
    std::function<void(const std::string& path)> createFolder;
    // Shows a message; true when the user answered Yes to AskCreate.
    std::function<bool(FolderMessage message, const std::string& text)> tell;
};

// The text of a message about the whole path under test.
std::string FolderMessageText(FolderMessage message, const std::string& path);

// One path component: not empty, no leading or trailing tab, blank or dot, none of the ten
// characters " * / : < > ? \ | ;. Double-byte characters are taken whole.
bool IsValidFolderName(const std::string& name);

// Checks "X:\" followed by components separated by single backslashes, 259 bytes at most
// (a longer text is invalid, never cut to fit). With testOnly clear
// it also creates every missing level, from the drive root down, each right after its own
// component has passed. testOnly never touches actions.
FolderPathResult CheckFolderPath(const std::string& path, bool testOnly,
                                 const FolderActions& actions);

// What the OK button does with the typed path: the syntax check, the question before a
// missing folder is created, the creation, and the message for every failure.
FolderPathResult AcceptFolderPath(const std::string& path, const FolderActions& actions);
