// The demand-load entries that make AutoCAD load the add-in at start: which module
// generation serves a release, and the keys and values written below one product key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace acad {

// The module generations that serve a release: the year in the ARX module's file name
// (VK_ZiruzOrav<arx>.ARX) and in the managed library's (ACAD<dll>P.dll).
struct ModuleYears {
    int arx;
    int dll;
};

// nullopt for a year outside 2007..2027.
std::optional<ModuleYears> GetModuleYears(int releaseYear);

enum class EntryValueKind { Dword, String };

struct EntryValue {
    std::string name;
    EntryValueKind kind;
    std::uint32_t number; // Dword
    std::string text;     // String, stored with its terminating NUL
};

// One sub-key of the product key with every value it holds, in writing order.
struct DemandLoadEntry {
    std::string keyName; // relative to the product key
    std::vector<EntryValue> values;
};

// The entries of one product key of a release, in writing order: the ARX entry, the extra
// ARX entry of the 64-bit edition (2009 and 2010 only), the managed-library entry. An entry
// whose key name or LOADER text would not fit a 260-byte path buffer is nullopt: it must be
// skipped rather than written cut short. Empty for a year outside 2007..2027.
std::vector<std::optional<DemandLoadEntry>> DemandLoadEntries(int releaseYear,
                                                              const std::string& installDir,
                                                              const std::string& acadFolder,
                                                              int targetBits);

} // namespace acad
