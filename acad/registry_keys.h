// Small readers shared by the scan and the trusted-path walk.
#pragma once

#include <windows.h>

#include <string>

namespace acad {

// The number of sub-keys of key; 0 when it cannot be asked.
DWORD CountSubKeys(HKEY key);

// Reads the sub-key name at an index (a name has at most 255 characters); false when it
// cannot be read (the key may have changed since it was counted).
bool ReadSubKeyName(HKEY key, DWORD index, std::string& name);
// The same in UTF-16: every name can be read, whatever its script.
bool ReadSubKeyName(HKEY key, DWORD index, std::wstring& name);

} // namespace acad
