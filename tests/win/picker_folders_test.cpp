// The picker's OK rules against real folders: what is created, in which order, and which
// message boxes the user sees.
#include "framework/message_box.h"
#include "framework/text_convert.h"
#include "picker/folder_actions.h"
#include "picker/folder_path.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testing_support;

namespace {

// The picker's box as the user saw it: its text, the program's title, its buttons and icon.
void ExpectBox(const MessageAnswers& boxes, size_t index, FolderMessage message,
               const std::string& path, UINT type) {
    ASSERT_LT(index, boxes.shown.size());
    EXPECT_EQ(Utf8(boxes.shown[index].text),
              Utf8(fw::WideFromAnsi(FolderMessageText(message, path))));
    EXPECT_EQ(Utf8(boxes.shown[index].caption), Utf8(fw::GetAppTitle()));
    EXPECT_EQ(boxes.shown[index].type, type);
}

constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

// The real actions, with each creation call noted together with what the disk looked like
// just before it.
struct CreationLog {
    struct Call {
        std::string path;
        bool parentWasFolder;
        bool existedBefore;
    };
    std::vector<Call> calls;

    FolderActions Wrap(FolderActions actions) {
        auto create = actions.createFolder;
        actions.createFolder = [this, create](const std::string& path) {
            const std::string parent = path.substr(0, path.find_last_of('\\'));
            calls.push_back({path, FolderExists(parent.size() == 2 ? parent + "\\" : parent),
                             ExamineFolderEntry(path) != FolderEntry::Missing});
            create(path);
        };
        return actions;
    }
};

// Every level below the drive root, from the top down.
std::vector<std::string> LevelsOf(const std::string& path) {
    std::vector<std::string> levels;
    for (size_t pos = path.find('\\', 3); pos != std::string::npos; pos = path.find('\\', pos + 1))
        levels.push_back(path.substr(0, pos));
    levels.push_back(path);
    return levels;
}

std::string MissingDriveRoot() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if (!(drives & (1u << (letter - 'A'))))
            return std::string(1, letter) + ":\\";
    }
    return {};
}

TEST(PickerFolders, MissingLevelsAreCreatedFromTheDriveRootDown) {
    TempDir temp;
    const std::string target = temp / "a\\b\\c";
    MessageAnswers boxes(MessageAnswers::Questions(IDYES));
    CreationLog log;
    EXPECT_EQ(AcceptFolderPath(target, log.Wrap(MakeFolderActions(nullptr))), FolderPathOk);
    EXPECT_TRUE(FolderExists(target));

    ASSERT_EQ(boxes.shown.size(), 1u);
    ExpectBox(boxes, 0, FolderMessage::AskCreate, target, kQuestion);
    std::vector<std::string> paths;
    for (const auto& call : log.calls) {
        paths.push_back(call.path);
        EXPECT_TRUE(call.parentWasFolder) << call.path;
    }
    EXPECT_EQ(paths, LevelsOf(target));
    // The levels of the temporary folder existed; a, b and c did not.
    ASSERT_GE(log.calls.size(), 3u);
    for (size_t i = 0; i < log.calls.size(); ++i)
        EXPECT_EQ(log.calls[i].existedBefore, i + 3 < log.calls.size()) << log.calls[i].path;
}

TEST(PickerFolders, EachLevelIsCreatedRightAfterItsOwnComponentPassed) {
    TempDir temp;
    const FolderPathResult result =
        CheckFolderPath(temp / "a\\b\\bad?\\c", false, MakeFolderActions(nullptr));
    EXPECT_EQ(result, FolderPathInvalid);
    EXPECT_TRUE(FolderExists(temp / "a\\b"));
    EXPECT_FALSE(FolderExists(temp / "a\\b\\bad?"));
}

TEST(PickerFolders, ExistingFolderAndDriveRootNeedNoQuestion) {
    TempDir temp;
    MessageAnswers boxes(MessageAnswers::Questions(IDNO));
    EXPECT_EQ(AcceptFolderPath("C:\\", MakeFolderActions(nullptr)), FolderPathOk);
    EXPECT_EQ(AcceptFolderPath(temp.path(), MakeFolderActions(nullptr)), FolderPathOk);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(PickerFolders, MissingDriveIsAskedForThenCannotBeCreated) {
    const std::string root = MissingDriveRoot();
    if (root.empty())
        GTEST_SKIP() << "every drive letter from Q to Y is in use";
    for (const std::string& path : {root, root + "soft"}) {
        MessageAnswers boxes(MessageAnswers::Questions(IDYES));
        EXPECT_EQ(AcceptFolderPath(path, MakeFolderActions(nullptr)), FolderPathNotCreated) << path;
        ASSERT_EQ(boxes.shown.size(), 2u) << path;
        ExpectBox(boxes, 0, FolderMessage::AskCreate, path, kQuestion);
        ExpectBox(boxes, 1, FolderMessage::NotCreated, path, kWarning);
    }
}

TEST(PickerFolders, NoCreatesNothingAndShowsNothingMore) {
    TempDir temp;
    const std::string target = temp / "a\\b";
    MessageAnswers boxes(MessageAnswers::Questions(IDNO));
    EXPECT_EQ(AcceptFolderPath(target, MakeFolderActions(nullptr)), FolderPathDeclined);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(FolderExists(temp / "a"));
}

TEST(PickerFolders, LevelsCreatedBeforeAFailingLevelStay) {
    TempDir temp;
    // The rules accept control characters; the file system refuses them in a name.
    const std::string target = temp / "a\\b\x01\\c";
    MessageAnswers boxes(MessageAnswers::Questions(IDYES));
    EXPECT_EQ(AcceptFolderPath(target, MakeFolderActions(nullptr)), FolderPathNotCreated);
    EXPECT_TRUE(FolderExists(temp / "a"));
    EXPECT_FALSE(FolderExists(target));
    ASSERT_EQ(boxes.shown.size(), 2u);
    ExpectBox(boxes, 1, FolderMessage::NotCreated, target, kWarning);
}

TEST(PickerFolders, ExistingFileIsRejected) {
    TempDir temp;
    const std::string file = temp / "notes.txt";
    WriteFileText(file, "notes");
    MessageAnswers boxes(MessageAnswers::Questions(IDYES));
    EXPECT_EQ(AcceptFolderPath(file, MakeFolderActions(nullptr)), FolderPathInvalid);
    ASSERT_EQ(boxes.shown.size(), 1u);
    ExpectBox(boxes, 0, FolderMessage::Invalid, file, kWarning);
    EXPECT_EQ(ReadFileText(file), std::optional<std::string>("notes"));
}

// The system reads the ANSI path in its code page, and so do the rules: a character whose
// second byte is a backslash makes one folder, not a half-character level and another.
TEST(PickerFolders, DoubleByteFolderNamesAreCreatedWhole) {
    if (GetACP() != 936)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 936";
    TempDir temp;
    const std::string parent = temp / "\xc5\xfa\xb4\xf2\xd3\xa1"; // 批打印
    const std::string target = parent + "\\\x95\x5c";
    MessageAnswers boxes(MessageAnswers::Questions(IDYES));
    EXPECT_EQ(AcceptFolderPath(target, MakeFolderActions(nullptr)), FolderPathOk);
    EXPECT_TRUE(FolderExists(target));
    std::vector<std::string> children;
    WIN32_FIND_DATAA data;
    fw::unique_find find(FindFirstFileA((parent + "\\*").c_str(), &data));
    ASSERT_TRUE(find);
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            children.push_back(name);
    } while (FindNextFileA(find.get(), &data));
    EXPECT_EQ(children, std::vector<std::string>{"\x95\x5c"});
}

} // namespace
