// A Win32 error as the logs show it.
#pragma once

#include <string>

namespace fw {

// "5: 拒绝访问。": the code with the system's text for it (in the user's language), without
// the text's line break; the code alone when the system has no text for it.
std::wstring ErrorText(unsigned long error);

} // namespace fw
