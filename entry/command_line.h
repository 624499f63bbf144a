// The command line of SetUp.exe, read as the usual installer convention has it: switches
// start with '/' or '-' and are case-insensitive; /D= comes last and takes the rest of the
// line, spaces included, without quotes. Nothing here asks Windows anything.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace entry {

enum class Action {
    Dialog,    // no switch, or only /LOG=: the setup dialog as always
    Install,   // /S: the installation without any window
    UserPart,  // /USERPART: one user's part, run by Active Setup at logon
    Uninstall, // /UNINSTALL [/S]
    Usage,     // /? or anything not understood: the usage text and exit code 5
};

struct CommandLine {
    Action action = Action::Dialog;
    bool silent = false;                   // /S, or /USERPART: no window at all
    std::optional<std::vector<int>> years; // /R=2010,2014
    std::optional<std::wstring> logPath;   // /LOG=file
    std::optional<std::wstring> folder;    // /D=folder
    std::wstring problem;                  // Usage: the switch not understood (empty for /?)
};

// What follows the program's name in a whole command line (GetCommandLineW): the name ends
// at its closing quote, or unquoted at the first space or tab.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// The command given by the arguments. /R= and /D= belong to /S; /UNINSTALL takes /S and
// /LOG= only; a year outside 2007..2027 or not written as four digits is not understood.
CommandLine ParseCommandLine(const std::wstring& arguments);

} // namespace entry
