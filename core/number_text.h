// Numbers read from text another process wrote (the values the uninstaller hands to its
// temporary copy): checked, never thrown about.
#pragma once

#include <optional>
#include <string>

namespace core {

// The decimal number that is the whole text: digits only, at least one, no sign or blank,
// and small enough for the type; nullopt otherwise.
std::optional<unsigned long long> ParseDecimal(const std::wstring& text);

} // namespace core
