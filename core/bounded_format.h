// printf-style formatting into the fixed buffer that paths are built in. A text that does not fit
// is reported, never cut short: a truncated key name, value or path must not reach the registry or
// the file system.
#pragma once

#include <optional>
#include <string>

namespace core {

constexpr size_t kPathBufferSize = 260; // file and registry paths, NUL included

// Formats into a 260-byte buffer; nullopt when the text needs more than 259 bytes.
std::optional<std::string> FormatPath(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

} // namespace core
