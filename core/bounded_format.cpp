#include "core/bounded_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace core {

namespace {
std::optional<std::string> FormatBounded(size_t bufferSize, const char* format, va_list args) {
    std::vector<char> buffer(bufferSize, '\0');
    const int needed = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    if (needed < 0 || static_cast<size_t>(needed) >= bufferSize)
        return std::nullopt;
    return std::string(buffer.data(), static_cast<size_t>(needed));
}
} // namespace

std::optional<std::string> FormatPath(const char* format, ...) {
    va_list args;
    va_start(args, format);
    auto result = FormatBounded(kPathBufferSize, format, args);
    va_end(args);
    return result;
}

} // namespace core
