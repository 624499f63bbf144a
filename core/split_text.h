// Lists kept as one text: TRUSTEDPATHS' ';'-separated entries, the install record's
// tab-separated fields.
#pragma once

#include <string>
#include <vector>

namespace core {

// The parts of text between separators, in order: n separators give n + 1 parts, empty ones
// included, so that joining them with the separator gives the text back.
template <class Char>
std::vector<std::basic_string<Char>> SplitAt(const std::basic_string<Char>& text, Char separator) {
    std::vector<std::basic_string<Char>> parts;
    for (size_t begin = 0;;) {
        const size_t end = text.find(separator, begin);
        parts.push_back(
            text.substr(begin, end == std::basic_string<Char>::npos ? end : end - begin));
        if (end == std::basic_string<Char>::npos)
            return parts;
        begin = end + 1;
    }
}

} // namespace core
