// The failures of one installation's registration and support-file copies, each counted
// once: the same entry below the same product key, or the same destination file, met again
// is the same failure. The scan files a product key found through both base paths twice, and
// its folder with it; without this the warning would name twice the failures there are.
#pragma once

#include <set>
#include <string>

namespace acad {

// The key that a product-key path reaches, as text to compare: letters upper-cased, and in a
// process whose view joins them (a 32-bit process) "SOFTWARE\Wow6432Node\..." taken as
// "SOFTWARE\...", since the 32-bit view reaches the same key through both paths.
std::string SameKeyText(const std::string& productKey, bool wowPathsJoined);

class WriteFailures {
  public:
    explicit WriteFailures(bool wowPathsJoined) : m_wowPathsJoined(wowPathsJoined) {}

    // An entry key (e.g. "Applications\VK_ZiruzOrav2010") below a product key not written.
    void AddEntry(const std::string& productKey, const std::string& entryKey);
    // A destination file not copied.
    void AddFile(const std::string& destination);

    int Count() const { return static_cast<int>(m_entries.size() + m_files.size()); }

  private:
    bool m_wowPathsJoined;
    std::set<std::string> m_entries;
    std::set<std::string> m_files;
};

} // namespace acad
