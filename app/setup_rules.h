// What the setup dialog shows at start, decided without any window: the title and edition
// texts.
#pragma once

#include <string>

namespace app {

// "批打印软件 V2026.04.02" for 20260402 (major * 10000 + minor * 100 + patch); minor and
// patch take two digits.
std::wstring FormatTitle(int version);

// "( 32位 AutoCAD版 )" for 32: the AutoCAD edition this build serves.
std::wstring FormatEdition(int targetBits);

} // namespace app
