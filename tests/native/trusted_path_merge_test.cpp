#include "acad/trusted_path_merge.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kFolder = L"C:\\X\\V-ZiruzOrav";
const std::wstring kUpper = L"C:\\X\\V-ZIRUZORAV";

TEST(TrustedPathMerge, NewValueForCurrentValue) {
    struct Row {
        const char* name;
        std::wstring current;
        std::wstring expected;
    };
    const Row rows[] = {
        // Too short to name a folder: replaced, the folder in its own letter case.
        {"two characters", L"\u4e2d\u6587", kFolder},
        // Extended: ASCII letters upper-cased, the folder after one ';'.
        {"three characters", L"d:\\", L"D:\\;" + kUpper},
        {"other scripts keep their characters", L"c:\\\u00e9\ud55c\uad6d\u4e2d",
         L"C:\\\u00e9\ud55c\uad6d\u4e2d;" + kUpper},
        {"embedded NUL keeps what follows", std::wstring(L"d:\\a\0e:\\b", 9),
         std::wstring(L"D:\\A\0E:\\B;", 10) + kUpper},
        // Already trusted: an equal entry, whatever its case or one trailing backslash.
        {"same case, only entry", kFolder, kUpper},
        {"first of several", L"C:\\x\\V-ZiruzOrav;D:\\A", kUpper + L";D:\\A"},
        {"with one trailing backslash", L"D:\\A;c:\\x\\v-ziruzorav\\;E:\\B",
         L"D:\\A;" + kUpper + L"\\;E:\\B"},
        // Not trusted although the folder's text occurs.
        {"entry only ends with the folder", L"D:\\C:\\X\\V-ZiruzOrav",
         L"D:\\C:\\X\\V-ZIRUZORAV;" + kUpper},
        {"two trailing backslashes", L"C:\\X\\V-ZiruzOrav\\\\", kUpper + L"\\\\;" + kUpper},
        {"entry with a blank", L"C:\\X\\V-ZiruzOrav ", kUpper + L" ;" + kUpper},
    };
    for (const Row& row : rows)
        EXPECT_EQ(acad::MergeTrustedPaths(row.current, kFolder), row.expected) << row.name;
}

} // namespace
