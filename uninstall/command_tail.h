// The uninstaller starts its temporary copy with its own arguments: the command line without
// the program's name.
#pragma once

#include <string>

namespace uninstall {

// What follows the program's name (quoted, or up to the first blank), leading blanks cut.
std::wstring ArgumentsAfterProgram(const std::wstring& commandLine);

} // namespace uninstall
