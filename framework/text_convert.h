// The user sees text through the wide-character functions, so that the Chinese texts read
// right whatever the system's ANSI code page; paths stay 8-bit ANSI text and are converted
// only to be shown.
#pragma once

#include <optional>
#include <string>

namespace fw {

// 8-bit text in the system's ANSI code page (paths, registry data) to UTF-16.
std::wstring WideFromAnsi(const std::string& text);
// UTF-16 to the system's ANSI code page (text typed by the user that becomes a path). A
// character the code page lacks becomes '?', never a look-alike that names another folder.
std::string AnsiFromWide(const std::wstring& text);
// The same, or nullopt when the code page cannot spell the text exactly.
std::optional<std::string> ExactAnsiFromWide(const std::wstring& text);
// UTF-16 to UTF-8 (logs and records, whatever the code page) and back.
std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);
// ANSI text (paths, registry names) to UTF-8.
std::string Utf8FromAnsi(const std::string& text);
// Installs the system's lead-byte rule for the multi-byte path functions.
void UseSystemLeadByteRule();

} // namespace fw
