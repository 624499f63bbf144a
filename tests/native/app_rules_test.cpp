#include "app/install_rules.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

// Checked before anything is created: the folder the user sees is the folder used.
TEST(InstallRules, InstallFolderFromFolderText) {
    core::SetLeadByteRule(core::IsCp936LeadByte);
    // <folder>\V-ZiruzOrav\VK_ZiruzOrav2010_32.ARX must fit 259 bytes: 223 for the folder.
    const std::string longest = "C:\\" + std::string(220, 'a'), sub = "\\V-ZiruzOrav";
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\Vornik", "C:\\Vornik" + sub},
        {"D:\\", "D:" + sub},
        {"D:\\Tools\\", "D:\\Tools" + sub},
        {"C:\\X\\V-ZiruzOrav", "C:\\X\\V-ZiruzOrav" + sub},
        {"C:\\\x95\x5c", "C:\\\x95\x5c" + sub}, // a character ending in 0x5c stays whole
        {longest, longest + sub},
        {longest + "\\", longest + sub},
        // Refused:
        {longest + "a", ""},
        {"Vornik", ""},
        {"D:x", ""},
        {"\\", ""},
        {"C:\\a;b", ""},
        {"C:\\?\\x", ""},
        {"D:\\Tools\\\\", ""},
    };
    for (const auto& [text, folder] : rows) {
        EXPECT_EQ(app::IsInstallableFolderText(text), !folder.empty()) << text;
        if (!folder.empty()) {
            EXPECT_EQ(app::MakeInstallFolder(text), folder) << text;
        }
    }
}

} // namespace
