// The picker's path rules as tables: what a typed folder path must look like, and the
// messages that tell the user.
#include "core/mbcs_text.h"
#include "picker/folder_path.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Code page 936 characters whose second byte is a backslash, a bar, a letter.
const std::string kDbcsBackslash = "\x95\x5c";
const std::string kDbcsBar = "\x81\x7c";
const std::string kDbcsLetter = "\xb0\x61";

struct Row {
    const char* name;
    std::string path;
    FolderPathResult expected;
};

class PickerPathRules : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }

    // The syntax pass never touches the disk: empty actions would throw if it did.
    static void ExpectRows(const std::vector<Row>& rows) {
        for (const Row& row : rows)
            EXPECT_EQ(CheckFolderPath(row.path, true, FolderActions{}), row.expected)
                << row.name << ": " << row.path;
    }
};

TEST_F(PickerPathRules, DriveSeparatorsAndComponentEdges) {
    ExpectRows({
        {"upper-case drive", "D:\\soft", FolderPathOk},
        {"lower-case drive", "d:\\soft", FolderPathOk},
        {"drive root", "D:\\", FolderPathOk},
        {"digit for a drive", "1:\\soft", FolderPathInvalid},
        {"no backslash after the colon", "D:soft", FolderPathInvalid},
        {"forward slash", "D:/soft", FolderPathInvalid},
        {"drive without backslash", "D:", FolderPathInvalid},
        {"letter alone", "D", FolderPathInvalid},
        {"empty", "", FolderPathInvalid},
        {"relative path", "soft\\plot", FolderPathInvalid},
        {"trailing backslash", "D:\\soft\\", FolderPathInvalid},
        {"empty component", "D:\\a\\\\b", FolderPathInvalid},
        {"several levels", "D:\\Soft\\Plot\\2026", FolderPathOk},
        {"259 bytes", "D:\\" + std::string(256, 'a'), FolderPathOk},
        {"260 bytes are never cut to a shorter folder", "D:\\" + std::string(257, 'a'),
         FolderPathInvalid},
        {"blank inside", "D:\\my folder", FolderPathOk},
        {"leading blank", "D:\\ folder", FolderPathInvalid},
        {"trailing blank", "D:\\folder ", FolderPathInvalid},
        {"leading dot", "D:\\.folder", FolderPathInvalid},
        {"trailing dot", "D:\\folder.", FolderPathInvalid},
        {"dot inside", "D:\\notes.d", FolderPathOk},
        {"dot component", "D:\\a\\.\\b", FolderPathInvalid},
        {"dot-dot component", "D:\\a\\..\\b", FolderPathInvalid},
        {"bad last level", "D:\\a\\b.", FolderPathInvalid},
    });
}

TEST_F(PickerPathRules, EachForbiddenCharacter) {
    for (const char c : std::string("\"*/:<>?\\|;")) {
        const std::string name = std::string("a") + c + "b";
        EXPECT_FALSE(IsValidFolderName(name)) << "character " << c;
        // A backslash is the separator and so makes an empty component instead.
        if (c != '\\') {
            EXPECT_EQ(CheckFolderPath("D:\\" + name, true, {}), FolderPathInvalid)
                << "character " << c;
        }
    }
}

// The system reads an ANSI path character by character in its code page, so the picker
// does too: the second byte of a double-byte character is neither a separator nor a bar.
TEST_F(PickerPathRules, DoubleByteCharactersStayWhole) {
    ExpectRows({
        {"second byte 0x5C ends the text", "D:\\a" + kDbcsBackslash, FolderPathOk},
        {"second byte 0x5C inside", "D:\\" + kDbcsBackslash + "b", FolderPathOk},
        {"second byte 0x5C then a real separator", "D:\\" + kDbcsBackslash + "\\b", FolderPathOk},
        {"second byte 0x7C", "D:\\a" + kDbcsBar, FolderPathOk},
        {"second byte 0x7C then a real bar", "D:\\" + kDbcsBar + "|", FolderPathInvalid},
        {"second byte a letter", "D:\\" + kDbcsLetter, FolderPathOk},
        {"real trailing backslash after one", "D:\\" + kDbcsBackslash + "\\", FolderPathInvalid},
        {"';' never hides in a character", "D:\\a\xdc;", FolderPathInvalid},
        {"Chinese folder name", "C:\\\xc5\xfa\xb4\xf2\xd3\xa1", FolderPathOk},
        {"lone lead byte at the end", "D:\\a\x95", FolderPathOk},
    });
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
