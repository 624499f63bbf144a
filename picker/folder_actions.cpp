#include "picker/folder_actions.h"

#include "framework/message_box.h"
#include "framework/text_convert.h"

FolderEntry ExamineFolderEntry(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FolderEntry::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FolderEntry::Folder : FolderEntry::File;
}

namespace {

void CreateOneFolder(const std::string& path) {
    // An existing level makes this fail, which is fine: the rules look at the disk afterwards.
    static_cast<void>(CreateDirectoryA(path.c_str(), nullptr));
}

UINT MessageBoxType(FolderMessage message) {
    return message == FolderMessage::AskCreate ? MB_YESNO | MB_ICONQUESTION
                                               : MB_OK | MB_ICONEXCLAMATION;
}

} // namespace

FolderActions MakeFolderActions(HWND owner) {
    FolderActions actions;
    actions.examine = ExamineFolderEntry;
    actions.createFolder = CreateOneFolder;
    actions.tell = [owner](FolderMessage message, const std::string& text) {
        return fw::ShowMessage(owner, fw::WideFromAnsi(text), fw::GetAppTitle(),
                               MessageBoxType(message)) == IDYES;
    };
    return actions;
}
