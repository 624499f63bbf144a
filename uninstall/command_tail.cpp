#include "uninstall/command_tail.h"

namespace uninstall {

std::wstring ArgumentsAfterProgram(const std::wstring& commandLine) {
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        end = end == std::wstring::npos ? commandLine.size() : end;
    }
    const size_t begin = commandLine.find_first_not_of(L" \t", end);
    return begin == std::wstring::npos ? std::wstring() : commandLine.substr(begin);
}

} // namespace uninstall
