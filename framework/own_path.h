// Where the running program lies: the kept installer is copied from there, the package and
// the install record are found beside it.
#pragma once

#include <string>

namespace fw {

// The running program's full path, however long; empty when Windows cannot tell it.
std::wstring OwnPath();

// Its folder: the path up to its last backslash; empty when the path is.
std::wstring OwnFolder();

} // namespace fw
