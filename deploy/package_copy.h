// The first working step of an installation: the package's files into the install folder,
// the settings file into the user's settings folder, one progress step per listing entry.
#pragma once

#include "framework/controls.h"

#include <windows.h>

#include <optional>
#include <string>

// What the install command hands to the copy. It lives on the caller's stack for one call.
struct InstallTarget {
    std::string installFolder;    // absolute, without a trailing backslash
    fw::ProgressBar& progressBar; // range and step already set by the caller; only advanced
};

// Copies every file that lies directly in the package folder. True when the whole listing
// was worked through (files the user chose to skip included). False when the package is
// missing or cannot be listed (the user has seen the missing-package message), when the
// listing broke off before its end, or when the user chose Abort after a failed copy; files
// copied before stay where they are.
bool CopyPackage(const InstallTarget& target);

// The call that reads the listing's next entry (FindNextFileW). Tests put in one that fails
// part-way; nullptr puts the system's back.
using FindNextEntry = BOOL(WINAPI*)(HANDLE listing, WIN32_FIND_DATAW* entry);
void OverrideFindNextEntry(FindNextEntry next);

// The user's settings folder, "%APPDATA%\Vornik" (the roaming profile's when APPDATA is not
// usable), in UTF-16; nullopt when neither is known. Not created here.
std::optional<std::wstring> UserSettingsFolder();

// What one look at a destination found. A link (junction, symbolic link) is left as it is:
// clearing its flag would clear its target's, and a copy onto it would write there.
struct Destination {
    bool exists = false;
    bool link = false;
};

// Drops the read-only flag and keeps every other attribute; a missing path or a link is left
// alone.
Destination ClearReadOnly(const std::string& path);

// Deletes the path's "Zone.Identifier" stream, the mark of a file that came from the
// internet. True when a stream was deleted.
bool RemoveZoneIdentifier(const std::string& path);
