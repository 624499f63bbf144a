#include "framework/text_convert.h"

#include "core/mbcs_text.h"

#include <windows.h>

namespace fw {

namespace {

std::wstring Widen(UINT codePage, const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &result[0], length);
    return result;
}

std::string Narrow(UINT codePage, DWORD flags, const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, &result[0], length, nullptr, nullptr);
    return result;
}

} // namespace

std::wstring WideFromAnsi(const std::string& text) {
    return Widen(CP_ACP, text);
}

std::string AnsiFromWide(const std::wstring& text) {
    return Narrow(CP_ACP, WC_NO_BEST_FIT_CHARS, text);
}

std::optional<std::string> ExactAnsiFromWide(const std::wstring& text) {
    return core::SpellExactly(text, {AnsiFromWide, WideFromAnsi});
}

std::string Utf8FromWide(const std::wstring& text) {
    return Narrow(CP_UTF8, 0, text);
}

std::wstring WideFromUtf8(const std::string& text) {
    return Widen(CP_UTF8, text);
}

std::string Utf8FromAnsi(const std::string& text) {
    return Utf8FromWide(WideFromAnsi(text));
}

namespace {
bool IsSystemLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}
} // namespace

void UseSystemLeadByteRule() {
    core::SetLeadByteRule(IsSystemLeadByte);
}

} // namespace fw
