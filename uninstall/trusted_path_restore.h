// What the uninstaller does with one profile's TRUSTEDPATHS: the value the installation
// wrote goes back to what it was; a value that has changed since loses only the install
// folder's own entry.
#pragma once

#include "core/install_events.h"

#include <optional>
#include <string>
#include <vector>

namespace uninstall {

enum class RestoreAction { Leave, Write, Delete };

struct TrustedPathsRestore {
    RestoreAction action = RestoreAction::Leave;
    core::StoredText value{1, {}}; // what Write writes, type included
};

// current: the value now (none: absent); before: as the installation found it (none:
// absent); written: as it wrote it; folders: the install folders of the record. Still as
// written: the earlier value comes back exactly, or goes when there was none. Changed since:
// every entry naming one of the folders is dropped, unless that folder was trusted before
// the installation; all else stays as it is.
TrustedPathsRestore RestoreTrustedPaths(const std::optional<core::StoredText>& current,
                                        const std::optional<core::StoredText>& before,
                                        const core::StoredText& written,
                                        const std::vector<std::wstring>& folders);

} // namespace uninstall
