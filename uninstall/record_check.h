// The install record is read as a claim, not as an order. Anyone who can write the install
// folder can append lines with valid checksums; an administrator's uninstall must then not
// delete others' files, folders or keys, nor trust a folder of theirs. So a line is carried
// out only when it names something an installation of this add-in could have made here.
#pragma once

#include "install/install_record.h"

#include <string>
#include <vector>

namespace uninstall {

// An AutoCAD the registry scan found: its release year, its product key below
// HKEY_LOCAL_MACHINE (ending in a backslash) and its program folder, UTF-8.
struct FoundProduct {
    int year;
    std::string key;
    std::string folder;
};

// What the uninstaller learns from the machine rather than from the record.
struct MachineFacts {
    std::string installFolder; // where the record and the running installer lie, UTF-8
    std::vector<FoundProduct> products;
    int view;       // the registry view the products were found in: 32 or 64
    int targetBits; // the AutoCAD edition this build serves: 32 or 64
};

struct CheckedRecord {
    install::InstallRecord accepted;  // what may be carried out, paths as checked
    std::vector<std::string> refused; // one item a line, as named in the record, UTF-8
};

// UTF-8 to UTF-16 (fw::WideFromUtf8): trusted-path lists are compared as the install merged
// them, in UTF-16.
using WidenUtf8 = std::wstring (*)(const std::string&);

// Accepted: files directly in the install folder; support files by their planned names in
// the folders of AutoCAD products found; demand-load keys by their own names below product
// keys found, in the view they were found in; created folders at or above the install
// folder; a profile's TRUSTEDPATHS only when the recorded "before" merged with the install
// folder (once, or twice by two installations) gives exactly the recorded "written", so that
// a restore can only take the folder's entry out. The install folder itself must be the one
// the record lies in. Settings files and their folder are never acted on and pass. Paths
// that Windows would not take as written ("." or ".." levels, a level ending in a dot or
// space, "\\?\", a stray ':') are refused.
CheckedRecord CheckRecord(const install::InstallRecord& record, const MachineFacts& facts,
                          WidenUtf8 widen);

} // namespace uninstall
