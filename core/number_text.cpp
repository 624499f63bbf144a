#include "core/number_text.h"

#include <limits>

namespace core {

std::optional<unsigned long long> ParseDecimal(const std::wstring& text) {
    constexpr unsigned long long kMax = std::numeric_limits<unsigned long long>::max();
    if (text.empty())
        return std::nullopt;
    unsigned long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - L'0');
        if (value > (kMax - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace core
