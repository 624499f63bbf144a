// printf-style formatting into the fixed buffers that paths and the trusted-path text are
// built in. A text that does not fit is reported, never cut short: a truncated key name,
// value or path must not reach the registry or the file system.
#pragma once

#include <optional>
#include <string>

namespace core {

constexpr size_t kPathBufferSize = 260;       // file and registry paths, NUL included
constexpr size_t kLongTextBufferSize = 13000; // the TRUSTEDPATHS text, NUL included

// Formats into a 260-byte buffer; nullopt when the text needs more than 259 bytes.
std::optional<std::string> FormatPath(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

// Formats into a 13000-byte buffer; nullopt when the text needs more than 12999 bytes.
std::optional<std::string> FormatLongText(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

} // namespace core
