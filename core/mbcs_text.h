// Text operations on 8-bit paths held in the ANSI code page. A double-byte character's
// second byte (0x40..0xFE in code page 936) may equal '\\' or an ASCII letter, so every
// search walks the text character by character instead of byte by byte. Where UTF-16 paths
// (registry keys, TRUSTEDPATHS, the command line) follow the same rule, its UTF-16 form
// stands beside the 8-bit one; there every unit that is '\\' or a letter is one.
#pragma once

#include <optional>
#include <string>

namespace core {

using LeadByteRule = bool (*)(unsigned char);

// Code page 936 (GBK): lead bytes 0x81..0xFE.
bool IsCp936LeadByte(unsigned char c);

// The rule used by every function below. The program installs the system's rule at start;
// native tests install IsCp936LeadByte. Until one is installed, code page 936 is assumed.
void SetLeadByteRule(LeadByteRule rule);

// Length in bytes of the character that starts at text[pos]: 2 for a lead byte followed by
// a byte (a lead byte at the very end counts as one byte), else 1.
size_t CharLength(const std::string& text, size_t pos);

// Position of the last backslash that is a character of its own, or npos.
size_t FindLastBackslash(const std::string& text);

// Position of the first occurrence of needle that starts on a character boundary at or
// after from, or npos.
size_t FindText(const std::string& text, const std::string& needle, size_t from = 0);

// Removes one trailing backslash unless it is the text's first character.
void StripTrailingBackslash(std::string& text);
void StripTrailingBackslash(std::wstring& text);

// The folder as a file-system call must be given it: "D:" alone names the current folder of
// drive D, "D:\" its root.
std::wstring QueryableFolder(const std::wstring& folder);

// Upper-cases ASCII letters only; the bytes of double-byte characters are left alone, and
// so is every other letter, so that a path keeps its spelling.
std::string UpperAscii(const std::string& text);
std::wstring UpperAscii(const std::wstring& text);

// ASCII letters compared without regard to case, everything else byte for byte.
bool EqualsNoCase(const std::string& a, const std::string& b);

// A code page's two conversions, given by the caller (the system's ANSI code page in the
// program, a stand-in in tests).
struct CodePage {
    std::string (*fromWide)(const std::wstring& text);
    std::wstring (*toWide)(const std::string& text);
};

// The text spelled in the code page, or nullopt when the code page cannot spell it: a
// character it lacks would come out as '?' or as a look-alike, and the path would name
// another file or none. Decided by converting there and back.
std::optional<std::string> SpellExactly(const std::wstring& text, const CodePage& codePage);

} // namespace core
