// How the install folder enters AutoCAD's TRUSTEDPATHS list of one profile, and the key
// paths below HKEY_CURRENT_USER that lead to the profiles. The list is handled in UTF-16, as
// the registry keeps it, so that an entry in any script survives unchanged.
#pragma once

#include <string>

namespace acad {

// The new TRUSTEDPATHS text for the current text and the install folder. A current text of
// two characters or fewer counts as empty and becomes the folder alone. Otherwise the whole
// text comes back with its ASCII letters upper-cased, followed by ';' and the upper-cased
// folder unless one of its ';'-separated entries already names the folder. No length limit:
// a long list is extended, never cut.
std::wstring MergeTrustedPaths(const std::wstring& current, const std::wstring& installDir);

// True when one ';'-separated entry of the list equals the folder, ASCII letters compared
// without regard to case, one trailing backslash of the entry ignored. A longer entry that
// only begins with the folder (C:\X\V-ZiruzOrav2 for C:\X\V-ZiruzOrav) does not trust it.
bool ListsTrustedFolder(const std::wstring& list, const std::wstring& folder);

// "SOFTWARE\Autodesk\AutoCAD\<release>\<product>\Profiles".
std::wstring ProfileListKeyPath(const std::wstring& releaseName, const std::wstring& productName);

// "<profile list key>\<profile>\Variables".
std::wstring VariablesKeyPath(const std::wstring& profileListKey, const std::wstring& profileName);

} // namespace acad
