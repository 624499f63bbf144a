// A file read or written in one piece, as the install record is.
#pragma once

#include <optional>
#include <string>

namespace fw {

// The file's bytes, or nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Replaces the file with these bytes; false when any of them did not reach it, or when the
// path is a link (what it points to is left alone).
bool WriteWholeFile(const std::wstring& path, const std::string& content);

} // namespace fw
