#include "core/mbcs_text.h"

namespace core {

namespace {
LeadByteRule g_leadByteRule = IsCp936LeadByte;

bool IsAsciiLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}
unsigned char ToUpperAscii(unsigned char c) {
    return IsAsciiLower(c) ? c - 'a' + 'A' : c;
}
} // namespace

bool IsCp936LeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

void SetLeadByteRule(LeadByteRule rule) {
    g_leadByteRule = rule ? rule : IsCp936LeadByte;
}

size_t CharLength(const std::string& text, size_t pos) {
    if (pos + 1 < text.size() && g_leadByteRule(static_cast<unsigned char>(text[pos])))
        return 2;
    return 1;
}

size_t FindLastBackslash(const std::string& text) {
    size_t found = std::string::npos;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == '\\')
            found = pos;
    }
    return found;
}

size_t FindText(const std::string& text, const std::string& needle, size_t from) {
    if (needle.size() > text.size())
        return std::string::npos;
    for (size_t pos = 0; pos + needle.size() <= text.size(); pos += CharLength(text, pos)) {
        if (pos >= from && text.compare(pos, needle.size(), needle) == 0)
            return pos;
    }
    return std::string::npos;
}

void StripTrailingBackslash(std::string& text) {
    const size_t pos = FindLastBackslash(text);
    if (pos != std::string::npos && pos > 0 && pos + 1 == text.size())
        text.erase(pos);
}

void StripTrailingBackslash(std::wstring& text) {
    if (text.size() > 1 && text.back() == L'\\')
        text.pop_back();
}

std::wstring QueryableFolder(const std::wstring& folder) {
    return folder.size() == 2 && folder[1] == L':' ? folder + L"\\" : folder;
}

std::string UpperAscii(const std::string& text) {
    std::string result = text;
    for (size_t pos = 0; pos < result.size();) {
        const size_t len = CharLength(result, pos);
        if (len == 1)
            result[pos] = static_cast<char>(ToUpperAscii(static_cast<unsigned char>(result[pos])));
        pos += len;
    }
    return result;
}

std::wstring UpperAscii(const std::wstring& text) {
    std::wstring result = text;
    for (wchar_t& c : result) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return result;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

std::optional<std::string> SpellExactly(const std::wstring& text, const CodePage& codePage) {
    std::string spelled = codePage.fromWide(text);
    if (codePage.toWide(spelled) != text)
        return std::nullopt;
    return spelled;
}

} // namespace core
