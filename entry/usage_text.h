// The usage text: what SetUp.exe understands on its command line, and its exit codes.
#pragma once

#include <string>

namespace entry {

// The text in Chinese; problem (the switch not understood, may be empty) leads it.
std::wstring UsageText(const std::wstring& problem);

} // namespace entry
