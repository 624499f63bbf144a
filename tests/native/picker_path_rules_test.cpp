// The picker's path rules: what a typed folder path must look like, and what OK on it
// creates and tells the user.
#include "core/mbcs_text.h"
#include "picker/folder_path.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

class PickerPathRules : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }
};

// The syntax pass never touches the disk: empty actions would throw if it did. The system
// reads an ANSI path character by character in its code page, so the picker does too: the
// second byte of a double-byte character ("\x95\x5c", "\x81\x7c") is no separator or bar.
TEST_F(PickerPathRules, SyntaxOfATypedPath) {
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
        {"D:\\a\x95\x5c", true},
        {"D:\\\x95\x5c\\b", true},
        {"D:\\\x95\x5c\\", false},
        {"D:\\a\x81\x7c", true},
        {"D:\\\x81\x7c|", false},
        {"D:\\a\xdc;", false}, // a ';' never hides in a character
        {"C:\\\xc5\xfa\xb4\xf2\xd3\xa1", true},
        {"D:\\a\x95", true}, // a lone lead byte at the end
    };
    for (const auto& [path, ok] : rows)
        EXPECT_EQ(CheckFolderPath(path, true, FolderActions{}),
                  ok ? FolderPathOk : FolderPathInvalid)
            << path;
    for (const char c : std::string("\"*/:<>?|;"))
        EXPECT_EQ(CheckFolderPath(std::string("D:\\a") + c + "b", true, {}), FolderPathInvalid)
            << c;
}

// OK on a typed path, against an imagined disk: the question, the levels created from the
// drive root down, and the messages in order.
TEST_F(PickerPathRules, WhatOkCreatesAndTellsTheUser) {
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
        {"D:\\", true, {}, FolderPathOk, "", ""},
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
