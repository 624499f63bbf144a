#include "acad/write_failures.h"

#include "core/mbcs_text.h"

namespace acad {

std::string SameKeyText(const std::string& productKey, bool wowPathsJoined) {
    const std::string key = core::UpperAscii(productKey);
    const std::string wowBase = "SOFTWARE\\WOW6432NODE\\";
    if (wowPathsJoined && key.rfind(wowBase, 0) == 0)
        return "SOFTWARE\\" + key.substr(wowBase.size());
    return key;
}

void WriteFailures::AddEntry(const std::string& productKey, const std::string& entryKey) {
    std::string key = SameKeyText(productKey, m_wowPathsJoined);
    if (key.empty() || key.back() != '\\')
        key += '\\';
    m_entries.insert(key + core::UpperAscii(entryKey));
}

void WriteFailures::AddFile(const std::string& destination) {
    m_files.insert(core::UpperAscii(destination));
}

} // namespace acad
