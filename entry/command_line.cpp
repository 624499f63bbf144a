#include "entry/command_line.h"

#include "acad/release_years.h"
#include "core/mbcs_text.h"

namespace entry {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsSwitchStart(wchar_t c) {
    return c == L'/' || c == L'-';
}

// "2010,2014": every item four digits naming a release of the table; nullopt otherwise.
std::optional<std::vector<int>> ParseYears(const std::wstring& text) {
    std::vector<int> years;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(L',', start);
        const std::wstring item = text.substr(start, comma - start);
        if (item.size() != 4)
            return std::nullopt;
        int year = 0;
        for (wchar_t c : item) {
            if (c < L'0' || c > L'9')
                return std::nullopt;
            year = year * 10 + (c - L'0');
        }
        if (year < acad::kFirstYear || year >= acad::kFirstYear + acad::kReleaseCount)
            return std::nullopt;
        years.push_back(year);
        if (comma == std::wstring::npos)
            return years;
        start = comma + 1;
    }
}

// One argument from pos: up to the next blank outside quotes, the quotes taken out (so that
// /LOG="C:\My Logs\a.log" works).
std::wstring NextToken(const std::wstring& text, size_t& pos) {
    std::wstring token;
    bool quoted = false;
    for (; pos < text.size() && (quoted || !IsBlank(text[pos])); ++pos) {
        if (text[pos] == L'"')
            quoted = !quoted;
        else
            token += text[pos];
    }
    return token;
}

CommandLine Usage(CommandLine command, std::wstring problem) {
    command.action = Action::Usage;
    command.problem = std::move(problem);
    return command;
}

} // namespace

std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        pos = commandLine.find(L'"', 1);
        pos = pos == std::wstring::npos ? commandLine.size() : pos + 1;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos]))
            ++pos;
    }
    return commandLine.substr(pos);
}

CommandLine ParseCommandLine(const std::wstring& arguments) {
    CommandLine command;
    bool help = false, userPart = false, uninstall = false;
    std::wstring yearsToken, folderToken;
    std::optional<std::wstring> problem; // the first switch not understood
    size_t pos = 0;
    for (;;) {
        while (pos < arguments.size() && IsBlank(arguments[pos]))
            ++pos;
        if (pos == arguments.size())
            break;
        // /D= ends the line: the folder may hold spaces and is taken as it stands.
        if (arguments.size() - pos >= 3 && IsSwitchStart(arguments[pos]) &&
            core::UpperAscii(arguments.substr(pos + 1, 2)) == L"D=") {
            std::wstring folder = arguments.substr(pos + 3);
            while (!folder.empty() && IsBlank(folder.back()))
                folder.pop_back();
            folderToken = arguments.substr(pos);
            if (folder.empty())
                problem = problem.value_or(folderToken);
            else
                command.folder = folder;
            break;
        }
        const std::wstring token = NextToken(arguments, pos);
        if (token.size() < 2 || !IsSwitchStart(token[0])) {
            problem = problem.value_or(token);
            continue;
        }
        const size_t equals = token.find(L'=');
        const std::wstring name = core::UpperAscii(token.substr(1, equals - 1));
        const std::wstring value = equals == std::wstring::npos ? L"" : token.substr(equals + 1);
        const bool hasValue = equals != std::wstring::npos;
        if (name == L"?" && !hasValue)
            help = true;
        else if (name == L"S" && !hasValue)
            command.silent = true;
        else if (name == L"USERPART" && !hasValue)
            userPart = true;
        else if (name == L"UNINSTALL" && !hasValue)
            uninstall = true;
        else if (name == L"LOG" && !value.empty())
            command.logPath = value;
        else if (const auto years = name == L"R" ? ParseYears(value) : std::nullopt) {
            command.years = years;
            yearsToken = token;
        } else
            problem = problem.value_or(token);
    }
    // The user's part runs at logon, where no one could close a box.
    if (userPart)
        command.silent = true;
    // Silent or not, and where the log goes, still hold for the usage text.
    if (problem || help)
        return Usage(command, problem.value_or(L""));
    // The switches that choose what to install make sense only for an installation.
    const std::wstring& installOnly = !yearsToken.empty() ? yearsToken : folderToken;
    if (uninstall) {
        if (userPart || !installOnly.empty())
            return Usage(command, userPart ? L"/USERPART" : installOnly);
        command.action = Action::Uninstall;
    } else if (userPart) {
        if (!installOnly.empty())
            return Usage(command, installOnly);
        command.action = Action::UserPart;
    } else if (command.silent) {
        command.action = Action::Install;
    } else if (!installOnly.empty()) {
        return Usage(command, installOnly);
    }
    return command;
}

} // namespace entry
