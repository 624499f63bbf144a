// Carries out an uninstallation from its record, in two parts: first everything that may go
// while the kept installer still runs, then, once it has ended, the kept files, the record
// and the folders left empty.
#pragma once

#include "install/install_record.h"

#include <functional>
#include <string>
#include <vector>

namespace uninstall {

// One line for the log: what was done or what could not be.
using RemovalLog = std::function<void(const std::wstring&)>;

struct RemovalResult {
    std::vector<std::wstring> notRemoved; // for the user, one item a line
    install::InstallRecord remaining;     // what a later uninstall still has to remove
};

// Demand-load keys, trusted paths, the Active Setup component, package and support files;
// the list entry too when all of them went.
RemovalResult RemoveRegisteredParts(const install::InstallRecord& record, const RemovalLog& log);
// The kept files, the record and the folders that are empty by then.
std::vector<std::wstring> RemoveFolderRemains(const install::InstallRecord& record,
                                              const std::wstring& recordPath,
                                              const RemovalLog& log);

} // namespace uninstall
