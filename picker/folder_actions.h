// The real disk and message boxes behind the picker's path rules.
#pragma once

#include "picker/folder_path.h"

#include <windows.h>

#include <string>

// What an ANSI path names now.
FolderEntry ExamineFolderEntry(const std::string& path);

// Folder creation with CreateDirectoryA, and the picker's messages as standard message boxes
// (caption: the program's name) owned by owner.
FolderActions MakeFolderActions(HWND owner);
