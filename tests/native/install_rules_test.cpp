#include "app/install_rules.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallRules, InstallFolderFromFolderText) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    struct Row {
        const char* name;
        std::string text, target, installFolder;
    };
    const Row rows[] = {
        {"default folder", "C:\\Vornik", "C:\\Vornik", "C:\\Vornik\\V-ZiruzOrav"},
        {"trailing backslash", "D:\\Tools\\", "D:\\Tools", "D:\\Tools\\V-ZiruzOrav"},
        {"drive root", "D:\\", "D:", "D:\\V-ZiruzOrav"},
        {"only one backslash is cut", "D:\\Tools\\\\", "D:\\Tools\\", "D:\\Tools\\\\V-ZiruzOrav"},
        {"already ends in the sub-folder", "C:\\X\\V-ZiruzOrav", "C:\\X\\V-ZiruzOrav",
         "C:\\X\\V-ZiruzOrav\\V-ZiruzOrav"},
        {"double-byte character ending in 0x5c is kept", "C:\\\x95\x5c", "C:\\\x95\x5c",
         "C:\\\x95\x5c\\V-ZiruzOrav"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(app::WithoutTrailingBackslash(row.text), row.target) << row.name;
        EXPECT_EQ(app::MakeInstallFolder(row.text), row.installFolder) << row.name;
    }
}

// Checked before anything is created: the folder the user sees is the folder used.
TEST(InstallRules, FolderTextIsInstallable) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    // <folder>\V-ZiruzOrav\VK_ZiruzOrav2010_32.ARX must fit 259 bytes: 223 for the folder.
    const std::string longest = "C:\\" + std::string(220, 'a');
    const std::pair<std::string, bool> rows[] = {
        {"C:\\Vornik", true},     {"D:\\", true},         {"D:\\Tools\\", true},
        {longest, true},          {longest + "a", false}, {longest + "\\", true},
        {"Vornik", false},        {"D:x", false},         {"\\", false},
        {"C:\\a;b", false},       {"E:\\;", false},       {"C:\\?\\x", false},
        {"D:\\Tools\\\\", false},
    };
    for (const auto& [text, installable] : rows)
        EXPECT_EQ(app::IsInstallableFolderText(text), installable) << text;
}

TEST(InstallRules, WriteFailureWarningNamesTheCount) {
    EXPECT_EQ(app::WriteFailureWarning(3),
              L"有 3 项AutoCAD注册信息或支持文件未能写入，可能原因如下：\n\n1、AutoCAD未关闭\n\n"
              L"2、系统权限未开放，请以管理员身份运行SetUp.exe后重新安装");
}

} // namespace
