// One user's part of an installation, run by Windows (Active Setup) at the user's logon from
// the installer copy kept in the install folder: the install folder joins TRUSTEDPATHS in
// every AutoCAD profile of the user, and the kept settings file becomes the user's when the
// user has none. Silent; it never replaces a user's own settings.
#pragma once

#include "acad/acad_registry.h"

#include <optional>
#include <string>

namespace userpart {

// The log's name in the user's temporary folder when no /LOG= is given.
constexpr const wchar_t* kUserPartLogName = L"Vornik-UserPart.log";

// Returns the exit code: 0, or 1 when a profile or the settings file could not be written.
int RunUserPart(CAcadRegistry& registry, const std::optional<std::wstring>& logPath);

} // namespace userpart
