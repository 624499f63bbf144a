#include "acad/trusted_path_merge.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

const std::string kFolder = "C:\\X\\V-ZiruzOrav";
const std::string kUpper = "C:\\X\\V-ZIRUZORAV";

TEST(TrustedPathMerge, NewValueForCurrentValue) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    struct Row {
        const char* name;
        std::string current;
        std::string expected;
    };
    const Row rows[] = {
        // Too short to name a folder: replaced, the folder in its own letter case.
        {"one double-byte character", "\xd6\xd0", kFolder},
        // Extended: everything upper-cased, the folder after one ';'.
        {"three characters", "d:\\", "D:\\;" + kUpper},
        {"double-byte text keeps its bytes", "c:\\\xb0\x61\xd6\xd0",
         "C:\\\xb0\x61\xd6\xd0;" + kUpper},
        // Already trusted: an equal entry, whatever its case or one trailing backslash.
        {"same case, only entry", kFolder, kUpper},
        {"first of several", "C:\\x\\V-ZiruzOrav;D:\\A", kUpper + ";D:\\A"},
        {"with one trailing backslash", "D:\\A;c:\\x\\v-ziruzorav\\;E:\\B",
         "D:\\A;" + kUpper + "\\;E:\\B"},
        // Not trusted although the folder's text occurs.
        {"entry only ends with the folder", "D:\\C:\\X\\V-ZiruzOrav",
         "D:\\C:\\X\\V-ZIRUZORAV;" + kUpper},
        {"two trailing backslashes", "C:\\X\\V-ZiruzOrav\\\\", kUpper + "\\\\;" + kUpper},
        {"entry with a blank", "C:\\X\\V-ZiruzOrav ", kUpper + " ;" + kUpper},
    };
    for (const Row& row : rows)
        EXPECT_EQ(acad::MergeTrustedPaths(row.current, kFolder), row.expected) << row.name;
}

// In code page 936 the second byte of a double-byte character may be 0x5C, the byte of '\'.
TEST(TrustedPathMerge, SecondByteOfADoubleByteCharacterIsNoTrailingBackslash) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    const std::string folder = "C:\\\xd6\xd0";
    EXPECT_TRUE(acad::ListsTrustedFolder("D:\\A;C:\\\xd6\xd0\\", folder));
    EXPECT_FALSE(acad::ListsTrustedFolder("C:\\\xd6\xd0\x95\x5c", folder + "\x95"));
    EXPECT_TRUE(acad::ListsTrustedFolder("C:\\\xd6\xd0\x95\x5c", folder + "\x95\x5c"));
}

} // namespace
