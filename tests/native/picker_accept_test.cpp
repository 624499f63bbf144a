// What the picker's OK button does with a typed path, against an imagined disk: the
// question, the messages, and the folders created level by level.
#include "core/mbcs_text.h"
#include "picker/folder_path.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

// A disk of named entries. A folder can be created where its parent is a folder and nothing
// of its name exists, unless the test forbids it.
class FakeDisk {
  public:
    explicit FakeDisk(std::vector<std::string> folders = {"C:\\", "D:\\"}) {
        for (auto& folder : folders)
            m_entries[folder] = FolderEntry::Folder;
    }
    void AddFolder(const std::string& path) { m_entries[path] = FolderEntry::Folder; }
    void AddFile(const std::string& path) { m_entries[path] = FolderEntry::File; }
    void Forbid(const std::string& path) { m_forbidden.insert(path); }
    void AnswerYes(bool yes) { m_answerYes = yes; }

    FolderEntry Examine(const std::string& path) const {
        ++m_examined;
        const auto found = m_entries.find(path);
        return found == m_entries.end() ? FolderEntry::Missing : found->second;
    }
    bool IsFolder(const std::string& path) const {
        const auto found = m_entries.find(path);
        return found != m_entries.end() && found->second == FolderEntry::Folder;
    }

    FolderActions Actions() {
        FolderActions actions;
        actions.examine = [this](const std::string& path) { return Examine(path); };
        actions.createFolder = [this](const std::string& path) { Create(path); };
        actions.tell = [this](FolderMessage message, const std::string& text) {
            messages.emplace_back(message, text);
            return message == FolderMessage::AskCreate && m_answerYes;
        };
        return actions;
    }

    std::vector<std::string> attempts; // every createFolder call, in order
    std::vector<std::string> created;  // the folders that came into being
    std::vector<std::pair<FolderMessage, std::string>> messages;
    size_t Examined() const { return m_examined; }

  private:
    void Create(const std::string& path) {
        attempts.push_back(path);
        const size_t slash = core::FindLastBackslash(path);
        std::string parent = path.substr(0, slash);
        if (parent.size() == 2)
            parent += '\\'; // the drive root
        if (slash == std::string::npos || !IsFolder(parent) || m_entries.count(path) ||
            m_forbidden.count(path))
            return;
        m_entries[path] = FolderEntry::Folder;
        created.push_back(path);
    }

    std::map<std::string, FolderEntry> m_entries;
    std::set<std::string> m_forbidden;
    bool m_answerYes = true;
    mutable size_t m_examined = 0;
};

using Messages = std::vector<std::pair<FolderMessage, std::string>>;

std::pair<FolderMessage, std::string> Message(FolderMessage message, const std::string& path) {
    return {message, FolderMessageText(message, path)};
}

class PickerAccept : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }
};

TEST_F(PickerAccept, MessageTexts) {
    EXPECT_EQ(FolderMessageText(FolderMessage::Invalid, "D:\\a?b"),
              "The folder:\n\nD:\\a?b\n\nis invalid. Please reenter.");
    EXPECT_EQ(FolderMessageText(FolderMessage::NotCreated, "Q:\\"),
              "The folder:\n\nQ:\\\n\ncan not be created. Please double check.");
    EXPECT_EQ(FolderMessageText(FolderMessage::AskCreate, "D:\\Soft\\Plot"),
              "The folder:\n\nD:\\Soft\\Plot\n\ndoes not exist. Do you want the folder to be "
              "created?");
}

TEST_F(PickerAccept, MissingLastLevelIsAskedForAndCreated) {
    FakeDisk disk;
    disk.AddFolder("D:\\Soft");
    EXPECT_EQ(AcceptFolderPath("D:\\Soft\\Plot", disk.Actions()), FolderPathOk);
    EXPECT_EQ(disk.messages, Messages{Message(FolderMessage::AskCreate, "D:\\Soft\\Plot")});
    EXPECT_EQ(disk.attempts, (std::vector<std::string>{"D:\\Soft", "D:\\Soft\\Plot"}));
    EXPECT_EQ(disk.created, std::vector<std::string>{"D:\\Soft\\Plot"});
}

TEST_F(PickerAccept, EveryMissingLevelIsCreatedFromTheRootDown) {
    FakeDisk disk;
    EXPECT_EQ(AcceptFolderPath("D:\\a\\b\\c", disk.Actions()), FolderPathOk);
    EXPECT_EQ(disk.created, (std::vector<std::string>{"D:\\a", "D:\\a\\b", "D:\\a\\b\\c"}));
    EXPECT_EQ(disk.messages.size(), 1u);
}

TEST_F(PickerAccept, ExistingFolderAndDriveRootPassWithoutAQuestion) {
    FakeDisk disk;
    disk.AddFolder("D:\\Soft");
    EXPECT_EQ(AcceptFolderPath("D:\\Soft", disk.Actions()), FolderPathOk);
    EXPECT_EQ(AcceptFolderPath("D:\\", disk.Actions()), FolderPathOk);
    EXPECT_TRUE(disk.messages.empty());
    EXPECT_TRUE(disk.attempts.empty());
}

TEST_F(PickerAccept, MissingDriveIsAskedForThenCannotBeCreated) {
    FakeDisk disk;
    EXPECT_EQ(AcceptFolderPath("Q:\\", disk.Actions()), FolderPathNotCreated);
    EXPECT_EQ(disk.messages, (Messages{Message(FolderMessage::AskCreate, "Q:\\"),
                                       Message(FolderMessage::NotCreated, "Q:\\")}));
    EXPECT_TRUE(disk.attempts.empty());
}

TEST_F(PickerAccept, NoCreatesNothingAndSaysNothingMore) {
    FakeDisk disk;
    disk.AnswerYes(false);
    EXPECT_EQ(AcceptFolderPath("D:\\a\\b", disk.Actions()), FolderPathDeclined);
    EXPECT_EQ(disk.messages, Messages{Message(FolderMessage::AskCreate, "D:\\a\\b")});
    EXPECT_TRUE(disk.attempts.empty());
}

TEST_F(PickerAccept, SyntaxErrorIsReportedBeforeTheDiskIsTouched) {
    for (const std::string path : {"D:\\a\\b?\\c", "D:\\a\\", "D:soft", ""}) {
        FakeDisk disk;
        EXPECT_EQ(AcceptFolderPath(path, disk.Actions()), FolderPathInvalid) << path;
        EXPECT_EQ(disk.messages, Messages{Message(FolderMessage::Invalid, path)}) << path;
        EXPECT_EQ(disk.Examined(), 0u) << path;
        EXPECT_TRUE(disk.attempts.empty()) << path;
    }
}

TEST_F(PickerAccept, FileIsNoFolder) {
    FakeDisk disk;
    disk.AddFile("D:\\notes.txt");
    EXPECT_EQ(AcceptFolderPath("D:\\notes.txt", disk.Actions()), FolderPathInvalid);
    EXPECT_EQ(disk.messages, Messages{Message(FolderMessage::Invalid, "D:\\notes.txt")});
    EXPECT_TRUE(disk.attempts.empty());
}

TEST_F(PickerAccept, LevelsBeforeAFailingLevelStay) {
    FakeDisk disk;
    disk.Forbid("D:\\a\\b");
    EXPECT_EQ(AcceptFolderPath("D:\\a\\b\\c", disk.Actions()), FolderPathNotCreated);
    EXPECT_EQ(disk.created, std::vector<std::string>{"D:\\a"});
    EXPECT_EQ(disk.attempts, (std::vector<std::string>{"D:\\a", "D:\\a\\b"}));
    // The message names the whole path, not the level that failed.
    EXPECT_EQ(disk.messages.back(), Message(FolderMessage::NotCreated, "D:\\a\\b\\c"));
}

TEST_F(PickerAccept, FileInTheWayOfALevelCannotBeCreated) {
    FakeDisk disk;
    disk.AddFolder("D:\\a");
    disk.AddFile("D:\\a\\f");
    EXPECT_EQ(AcceptFolderPath("D:\\a\\f\\c", disk.Actions()), FolderPathNotCreated);
    EXPECT_EQ(disk.messages.back(), Message(FolderMessage::NotCreated, "D:\\a\\f\\c"));
    EXPECT_TRUE(disk.created.empty());
}

// In create mode each level is created right after its own component passed, so a bad
// component deeper down leaves the levels above it.
TEST_F(PickerAccept, CreateModeCreatesEachLevelAfterItsComponent) {
    FakeDisk disk;
    auto actions = disk.Actions();
    EXPECT_EQ(CheckFolderPath("D:\\a\\b\\c?\\d", false, actions), FolderPathInvalid);
    EXPECT_EQ(disk.created, (std::vector<std::string>{"D:\\a", "D:\\a\\b"}));
    EXPECT_TRUE(disk.messages.empty());
}

TEST_F(PickerAccept, DoubleByteSeparatorByteMakesNoLevel) {
    FakeDisk disk;
    const std::string name = "\x95\x5c";
    EXPECT_EQ(AcceptFolderPath("D:\\" + name + "\\b", disk.Actions()), FolderPathOk);
    EXPECT_EQ(disk.created, (std::vector<std::string>{"D:\\" + name, "D:\\" + name + "\\b"}));
}

// Random paths over the bytes that matter, against a random disk: whatever the text, the
// rules never create anything outside the typed path, never create before the question,
// and accept only what is a folder afterwards.
TEST_F(PickerAccept, RandomPathsKeepTheRules) {
    const std::string alphabet = "aZ .\\:|?\t\x95\x5c\x81\x7c\xb0\x61";
    std::mt19937 random(20260402);
    for (int round = 0; round < 20000; ++round) {
        std::string path = random() % 4 ? "D:\\" : "";
        const size_t length = random() % 12;
        for (size_t i = 0; i < length; ++i)
            path += alphabet[random() % alphabet.size()];
        FakeDisk disk;
        if (random() % 2)
            disk.AddFolder("D:\\a");
        if (random() % 3 == 0)
            disk.AddFile("D:\\aZ");
        disk.AnswerYes(random() % 4 != 0);
        const FolderPathResult syntax = CheckFolderPath(path, true, FolderActions{});
        const FolderPathResult result = AcceptFolderPath(path, disk.Actions());
        SCOPED_TRACE(testing::Message() << "path [" << path << "]");

        if (syntax != FolderPathOk) {
            ASSERT_EQ(result, syntax);
        }
        for (size_t i = 0; i < disk.attempts.size(); ++i) {
            const std::string& level = disk.attempts[i];
            ASSERT_EQ(path.compare(0, level.size(), level), 0) << "outside the path: " << level;
            ASSERT_TRUE(level.size() == path.size() || path[level.size()] == '\\');
            ASSERT_EQ(core::FindText(path, "\\", level.size()),
                      level.size() == path.size() ? std::string::npos : level.size())
                << "a level must end on a separator of its own: " << level;
            if (i > 0) {
                ASSERT_GT(level.size(), disk.attempts[i - 1].size());
            }
        }
        if (!disk.attempts.empty()) {
            ASSERT_EQ(disk.messages.front().first, FolderMessage::AskCreate);
        }
        if (result == FolderPathOk) {
            ASSERT_TRUE(disk.IsFolder(path));
        }
        if (result == FolderPathDeclined) {
            ASSERT_TRUE(disk.attempts.empty());
        }
        ASSERT_LE(disk.messages.size(), 2u);
    }
}

} // namespace
