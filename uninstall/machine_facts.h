// What the uninstaller learns from the machine to check its record against: the AutoCAD
// products that the registry scan finds now, and the folder it was started from.
#pragma once

#include "uninstall/record_check.h"

#include <string>

namespace uninstall {

MachineFacts GatherMachineFacts(const std::wstring& installFolder);

} // namespace uninstall
