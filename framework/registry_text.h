// Reading a registry text value as it is stored. A stored text may lack its terminator or
// carry several, and may hold NULs inside: the trailing ones are cut, the inner ones kept, so
// that nothing after them is lost when the text is written back.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

struct RegText {
    // ERROR_SUCCESS: type and text hold the value. ERROR_FILE_NOT_FOUND: no such key or
    // value. ERROR_INVALID_DATA: the value is not one text (another type, or an odd number of
    // bytes). Any other: the key or the value could not be read.
    LONG status = ERROR_SUCCESS;
    DWORD type = REG_SZ; // REG_SZ or REG_EXPAND_SZ, kept for writing the text back
    std::wstring text;
};

// The value name of root\keyPath: its size queried, then read; a value that keeps growing in
// between is given up after a few attempts (ERROR_MORE_DATA).
RegText ReadRegText(HKEY root, const std::wstring& keyPath, const wchar_t* name);

} // namespace fw
