#include "security/folder_dacl.h"
#include "security/folder_owner.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using namespace security;

// Rights that change a folder or what is in it: write, append, extended attributes, delete
// a child, attributes, delete, permissions, owner.
constexpr unsigned long kChangingRights =
    0x2 | 0x4 | 0x10 | 0x40 | 0x100 | 0x10000 | 0x40000 | 0x80000;

// The allow entries of a DACL in SDDL, read as Windows reads them: trustee to rights. Any
// entry that is not an allow entry inherited by folders and files fails the test.
std::map<std::wstring, unsigned long> AllowEntries(const std::wstring& sddl) {
    std::map<std::wstring, unsigned long> entries;
    for (size_t open = sddl.find(L'('); open != std::wstring::npos;
         open = sddl.find(L'(', open + 1)) {
        const std::wstring ace = sddl.substr(open + 1, sddl.find(L')', open) - open - 1);
        const size_t rights = ace.find(L';', ace.find(L';') + 1) + 1;
        const std::wstring mask = ace.substr(rights, ace.find(L';', rights) - rights);
        EXPECT_EQ(ace.substr(0, rights), L"A;OICI;") << ace;
        entries[ace.substr(ace.rfind(L';') + 1)] =
            mask == L"FA" ? 0x1F01FF : std::stoul(mask, nullptr, 16);
    }
    return entries;
}

TEST(SecurityRules, OnlyTheMachineAndTheRunnerMayChangeTheFolders) {
    const std::wstring runner = L"S-1-5-21-1004336348-1177238915-682003330-1001";
    struct Row {
        const char* folder;
        std::wstring sddl;
        std::set<std::wstring> trustees, mayChange;
    };
    const Row rows[] = {
        {"install folder",
         ProtectedDaclSddl(LockedFolderGrants()),
         {L"SY", L"BA", L"BU"},
         {L"SY", L"BA"}},
        {"private temporary folder",
         ProtectedDaclSddl(PrivateFolderGrants(runner)),
         {L"SY", L"BA", runner},
         {L"SY", L"BA", runner}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        // Protected: nothing of an open parent reaches in.
        EXPECT_EQ(row.sddl.substr(0, 5), L"D:PAI");
        std::set<std::wstring> trustees, mayChange;
        for (const auto& [trustee, rights] : AllowEntries(row.sddl)) {
            trustees.insert(trustee);
            if (rights & kChangingRights)
                mayChange.insert(trustee);
        }
        EXPECT_EQ(trustees, row.trustees);
        EXPECT_EQ(mayChange, row.mayChange);
    }
    // Users load the add-in and start the kept installer: read, list and execute.
    EXPECT_EQ(AllowEntries(ProtectedDaclSddl(LockedFolderGrants()))[L"BU"] & 0x21, 0x21u);
}

TEST(SecurityRules, TrustedOwners) {
    const std::wstring runner = L"S-1-5-21-1-2-3-1001";
    const struct {
        std::wstring owner, runner;
        bool trusted;
    } rows[] = {
        {L"S-1-5-18", runner, true},     // SYSTEM
        {L"S-1-5-32-544", runner, true}, // Administrators
        {L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", runner, true},
        {runner, runner, true},
        {L"s-1-5-21-1-2-3-1001", runner, true},  // the prefix's letter case does not matter
        {L"S-1-5-18", L"S-1-5-18", true},        // SYSTEM installing
        {L"S-1-5-21-1-2-3-1002", runner, false}, // another user
        {L"S-1-5-21-1-2-3-100", runner, false},  // a prefix of the runner's SID
        {L"S-1-5-21-1-2-3-10011", runner, false},
        {L"S-1-5-32-545", runner, false}, // Users
        {L"S-1-5-11", runner, false},     // Authenticated Users
        {L"S-1-1-0", runner, false},      // Everyone
        {L"S-1-5-7", runner, false},      // Anonymous (Wine: a file of another Unix user)
        {L"", L"", false},                // no owner, and no runner known
        {L"S-1-5-80-956008885", runner, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsTrustedOwner(row.owner, row.runner), row.trusted)
            << testing::PrintToString(row.owner);
}

TEST(SecurityRules, LevelsAboveTheTarget) {
    using Levels = std::vector<std::wstring>;
    EXPECT_EQ(LevelsAbove(L"C:\\Vornik"), (Levels{L"C:\\"}));
    EXPECT_EQ(LevelsAbove(L"D:\\CAD Tools\\Add-ins"), (Levels{L"D:\\", L"D:\\CAD Tools"}));
    EXPECT_EQ(LevelsAbove(L"D:"), Levels{}); // a drive's root: checked as the target itself
}

} // namespace
