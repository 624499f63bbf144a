// Text for whoever started the program from a console (or redirected its output): SetUp.exe
// is a GUI program and has no console of its own.
#pragma once

#include <string>

namespace entry {

// Writes text to the parent's console, or to the inherited standard output when that is a
// file or a pipe (as UTF-8). Without either, nothing happens.
void WriteToParentConsole(const std::wstring& text);

} // namespace entry
