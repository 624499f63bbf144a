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
// been shown the missing-package message.
bool GetPackageFolder(std::string& folder);

// The folder of the running executable; empty when its path cannot be read whole. Tests set another
// folder to stand in for it, so that they can lay out packages without touching the folder the test
// program runs from.
std::string GetExecutableFolder();
void OverrideExecutableFolder(std::optional<std::string> folder);
