// How the install folder enters AutoCAD's TRUSTEDPATHS list of one profile, and the key
// paths below HKEY_CURRENT_USER that lead to the profiles.
#pragma once

#include <string>

namespace acad {

// The new TRUSTEDPATHS text for the current text and the install folder. A current text of
// two characters or fewer counts as empty and becomes the folder alone. Otherwise the whole
// text comes back upper-cased, followed by ';' and the upper-cased folder unless one of its
// ';'-separated entries already names the folder. No length limit: a long list is extended,
// never cut.
std::string MergeTrustedPaths(const std::string& current, const std::string& installDir);

// True when one ';'-separated entry of the list equals the folder without regard to case,
// one trailing backslash of the entry ignored. A longer entry that only begins with the
// folder (C:\X\V-ZiruzOrav2 for C:\X\V-ZiruzOrav) does not trust the folder.
bool ListsTrustedFolder(const std::string& list, const std::string& folder);

// "SOFTWARE\Autodesk\AutoCAD\<release>\<product>\Profiles".
std::string ProfileListKeyPath(const std::string& releaseName, const std::string& productName);

// "<profile list key>\<profile>\Variables".
std::string VariablesKeyPath(const std::string& profileListKey, const std::string& profileName);

} // namespace acad
