// Where the add-in's package lies: the Data folder beside the executable, or, in a flat
// package, the executable's folder itself when the marker file lies there. Looked up anew at
// every use.
#pragma once

#include <optional>
#include <string>

enum PathKind { PathMissing = 0, PathIsFile = 1, PathIsFolder = 2 };

// Classifies one path by name, without wildcards.
PathKind GetPathKind(const std::string& path);

// True with the package folder (no trailing backslash) in folder. False after the user has
// been shown the missing-package message, or, when the executable's folder has a name the
// ANSI code page cannot spell, the message that asks to move the package.
bool GetPackageFolder(std::string& folder);

// Tests set a folder to stand in for the running executable's, so that they can lay out
// packages without touching the folder the test program runs from.
void OverrideExecutableFolder(std::optional<std::wstring> folder);
