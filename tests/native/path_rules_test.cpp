// Paths as plain rules: double-byte text, bounded paths, the package's paths, the folder the
// user types (at Install and in the picker), and what the picker's OK creates and says.
#include "core/bounded_format.h"
#include "core/mbcs_text.h"
#include "deploy/acad_process_name.h"
#include "deploy/package_plan.h"
#include "install/install_rules.h"
#include "picker/folder_path.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Code page 936 characters whose second byte is a backslash, a bar, the letter a.
const std::string kDbcsBackslash = "\x95\x5c", kDbcsBar = "\x81\x7c", kDbcsLetterA = "\xb0\x61";

class PathRules : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }
};

TEST_F(PathRules, DoubleByteCharactersStayWhole) {
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\Vornik\\\\", "C:\\Vornik\\"}, // only one backslash is cut
        {"D:\\", "D:"},
        {"\\", "\\"},
        {"C:\\a" + kDbcsBackslash, "C:\\a" + kDbcsBackslash},
        {"C:\\" + kDbcsBackslash + "\\", "C:\\" + kDbcsBackslash},
    };
    for (auto [text, stripped] : rows) {
        core::StripTrailingBackslash(text);
        EXPECT_EQ(text, stripped);
    }
    EXPECT_EQ(core::FindLastBackslash("C:\\x" + kDbcsBackslash), 2u);
    EXPECT_EQ(core::FindLastBackslash("\\\x95"), 0u); // a lone lead byte at the end
    EXPECT_EQ(core::FindText(kDbcsLetterA + "a", "a"), 2u);
    EXPECT_EQ(core::UpperAscii("x" + kDbcsLetterA + "\xe4"), "X" + kDbcsLetterA + "\xe4");
    EXPECT_FALSE(core::EqualsNoCase(kDbcsLetterA, "\xb0\x41"));
    // The "a" of "acad.exe" as the second byte of a character is no letter of the name.
    for (const auto& [name, isAcad] :
         {std::pair("ACAD.EXE.bak", true), std::pair("accoreconsole.exe", false),
          std::pair("\xb0\xb2"
                    "acad.exe",
                    true),
          std::pair("\xb0"
                    "acad.exe",
                    false)})
        EXPECT_EQ(deploy::IsAcadProcessName(name), isAcad) << name;
}

// Only text that comes back unchanged: a stand-in code page, Latin-1 with the look-alike 'e'
// for the e with a macron.
TEST(SpellExactly, OnlyTextThatComesBackUnchanged) {
    const core::CodePage latin1{[](const std::wstring& text) {
                                    std::string result;
                                    for (wchar_t c : text)
                                        result += c == L'\u0113' ? 'e' : c < 256 ? char(c) : '?';
                                    return result;
                                },
                                [](const std::string& text) {
                                    std::wstring result;
                                    for (unsigned char c : text)
                                        result += wchar_t(c);
                                    return result;
                                }};
    EXPECT_EQ(core::SpellExactly(L"C:\\caf\u00e9?", latin1), "C:\\caf\xe9?"); // a real '?'
    EXPECT_EQ(core::SpellExactly(L"C:\\\u4e2d", latin1), std::nullopt);
    EXPECT_EQ(core::SpellExactly(L"C:\\\u0113", latin1), std::nullopt);
}

// 259 bytes fit a buffer with its terminator; a longer path is left out, never cut.
TEST(BoundedPaths, FitUpTo259Bytes) {
    const std::string fits(259, 'x'), longFolder = "C:\\" + std::string(250, 'f');
    EXPECT_EQ(core::FormatPath("%s", fits.c_str()), fits);
    EXPECT_FALSE(core::FormatPath("%s", (fits + "x").c_str()));
    EXPECT_EQ(core::FormatPath("%s\\VK%d", "K", 2010), "K\\VK2010");
    const auto paths = deploy::PlanFilePaths("D:\\pkg", longFolder, "12345");
    EXPECT_EQ(paths.source, "D:\\pkg\\12345");
    EXPECT_EQ(paths.destination, longFolder + "\\12345");
    EXPECT_FALSE(deploy::PlanFilePaths("D:\\pkg", longFolder, "123456").destination);
    EXPECT_FALSE(deploy::PlanFilePaths(longFolder, "C:\\V", "123456").source);
    // The installer, the fonts and the driver file stay out of the install folder, in any
    // letter case; the settings file goes to APPDATA.
    using deploy::EntryPlace;
    for (const auto& [name, place] :
         {std::pair("SETUP.exe", EntryPlace::NotCopied),
          std::pair("vornik_en.SHX", EntryPlace::NotCopied),
          std::pair("VORNIK_HZ.shx", EntryPlace::NotCopied),
          std::pair("vornik.PRT5", EntryPlace::NotCopied),
          std::pair("VORNIK.ini", EntryPlace::SettingsFolder),
          std::pair("A.arx", EntryPlace::InstallFolder), std::pair("..", EntryPlace::NotCopied)})
        EXPECT_EQ(deploy::PlaceOfEntry(name, false), place) << name;
    EXPECT_EQ(deploy::PlaceOfEntry("A.arx", true), EntryPlace::NotCopied); // a sub-folder
    // The environment read returns 0 when APPDATA is unset, the size it would need (the
    // terminator included) when it does not fit.
    for (const auto& [reported, used] : {std::pair(0ul, false), std::pair(1ul, true),
                                         std::pair(259ul, true), std::pair(260ul, false)})
        EXPECT_EQ(deploy::AppDataFits(reported), used) << reported;
}

// Install checks the typed text before anything is created: the folder the user sees is the
// folder used, with room for <folder>\V-ZiruzOrav\VK_ZiruzOrav2010_32.ARX in 259 bytes.
TEST_F(PathRules, InstallFolderFromFolderText) {
    const std::string longest = "C:\\" + std::string(220, 'a'), sub = "\\V-ZiruzOrav";
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\Vornik", "C:\\Vornik" + sub},
        {"D:\\", "D:" + sub},
        {"D:\\Tools\\", "D:\\Tools" + sub},
        {"C:\\X\\V-ZiruzOrav", "C:\\X\\V-ZiruzOrav" + sub},
        {"C:\\" + kDbcsBackslash, "C:\\" + kDbcsBackslash + sub},
        {longest + "\\", longest + sub},
        {longest + "a", ""}, // refused
        {"D:\\Tools\\\\", ""},
        {"C:\\a;b", ""},
    };
    for (const auto& [text, folder] : rows) {
        EXPECT_EQ(install::IsInstallableFolderText(text), !folder.empty()) << text;
        if (!folder.empty()) {
            EXPECT_EQ(install::MakeInstallFolder(text), folder) << text;
        }
    }
}

// A silent install without /D= goes to the listed installation's folder, when that is a
// folder Install makes of a usable folder text; else to the default.
TEST_F(PathRules, SilentFolderFollowsTheInstallation) {
    const std::string none = "C:\\Vornik";
    const std::pair<std::optional<std::string>, std::string> rows[] = {
        {std::nullopt, none},
        {"D:\\Tools\\Plot\\V-ZiruzOrav", "D:\\Tools\\Plot"},
        {"D:\\Tools\\v-ziruzorav", "D:\\Tools"},
        {"D:\\V-ZiruzOrav", "D:"},
        {"C:\\" + kDbcsBackslash + "\\V-ZiruzOrav", "C:\\" + kDbcsBackslash},
        {"C:\\" + kDbcsBackslash + "V-ZiruzOrav", none}, // no backslash of its own before it
        {"D:\\Tools\\Other", none},
        {"D:\\Tools\\V-ZiruzOrav\\", none},
        {"Tools\\V-ZiruzOrav", none},
        {"D:\\a;b\\V-ZiruzOrav", none},
        {"", none},
    };
    for (const auto& [listed, text] : rows)
        EXPECT_EQ(install::CurrentFolderText(listed), text) << listed.value_or("(none)");
}

// The picker's syntax pass never touches the disk: empty actions would throw if it did. It
// reads a path character by character in the code page, as the system does.
TEST_F(PathRules, PickerSyntaxOfATypedPath) {
    const std::pair<std::string, bool> rows[] = {
        {"D:\\soft", true},
        {"d:\\my folder\\notes.d", true},
        {"D:\\", true},
        {"D:\\" + std::string(256, 'a'), true},  // 259 bytes
        {"D:\\" + std::string(257, 'a'), false}, // never cut to a shorter folder
        {"1:\\soft", false},
        {"D:soft", false},
        {"D:/soft", false},
        {"D:", false},
        {"", false},
        {"soft\\plot", false},
        {"D:\\soft\\", false},
        {"D:\\a\\\\b", false},
        {"D:\\ folder", false},
        {"D:\\folder ", false},
        {"D:\\.folder", false},
        {"D:\\a\\b.", false},
        {"D:\\a\\..\\b", false},
        {"D:\\a" + kDbcsBackslash, true},
        {"D:\\" + kDbcsBackslash + "\\b", true},
        {"D:\\" + kDbcsBackslash + "\\", false},
        {"D:\\a" + kDbcsBar, true},
        {"D:\\" + kDbcsBar + "|", false},
        {"D:\\a\xdc;", false}, // a ';' never hides in a character
        {"C:\\\xc5\xfa\xb4\xf2\xd3\xa1", true},
        {"D:\\a\x95", true}, // a lone lead byte at the end
    };
    for (const auto& [path, ok] : rows)
        EXPECT_EQ(CheckFolderPath(path, true, {}), ok ? FolderPathOk : FolderPathInvalid) << path;
    for (const char c : std::string("\"*/:<>?|;"))
        EXPECT_EQ(CheckFolderPath(std::string("D:\\a") + c + "b", true, {}), FolderPathInvalid)
            << c;
}

// OK on a typed path, against an imagined disk: the question, the levels created from the
// drive root down, and the messages in order.
TEST_F(PathRules, WhatPickerOkCreatesAndTellsTheUser) {
    struct Row {
        std::string path;
        bool yes;                          // the answer to the question
        std::set<std::string> uncreatable; // folders the disk refuses
        FolderPathResult result;
        std::string told;    // initials of the messages: I(nvalid), N(ot created), A(sk)
        std::string created; // the folders made, in order
    };
    const Row rows[] = {
        {"D:\\a\\b", true, {}, FolderPathOk, "A", "D:\\a D:\\a\\b "},
        {"D:\\a\\b", false, {}, FolderPathDeclined, "A", ""},
        {"D:\\a\\b\\c", true, {"D:\\a\\b"}, FolderPathNotCreated, "AN", "D:\\a "},
        {"D:\\a?b", true, {}, FolderPathInvalid, "I", ""},
        {"D:\\notes.txt", true, {}, FolderPathInvalid, "I", ""}, // a file, not a folder
        {"D:\\old", true, {}, FolderPathOk, "", ""},
    };
    for (const Row& row : rows) {
        std::map<std::string, FolderEntry> disk = {{"D:\\", FolderEntry::Folder},
                                                   {"D:\\old", FolderEntry::Folder},
                                                   {"D:\\notes.txt", FolderEntry::File}};
        std::string told, created;
        const FolderActions actions{[&](const std::string& path) {
                                        return disk.count(path) ? disk[path] : FolderEntry::Missing;
                                    },
                                    [&](const std::string& path) {
                                        if (!row.uncreatable.count(path)) {
                                            disk[path] = FolderEntry::Folder;
                                            created += path + " ";
                                        }
                                    },
                                    [&](FolderMessage message, const std::string& text) {
                                        EXPECT_EQ(text, FolderMessageText(message, row.path));
                                        told += "INA"[static_cast<int>(message)];
                                        return row.yes;
                                    }};
        EXPECT_EQ(AcceptFolderPath(row.path, actions), row.result) << row.path;
        EXPECT_EQ(told, row.told) << row.path;
        EXPECT_EQ(created, row.created) << row.path;
    }
    EXPECT_EQ(FolderMessageText(FolderMessage::NotCreated, "Q:\\"),
              "The folder:\n\nQ:\\\n\ncan not be created. Please double check.");
}

} // namespace
