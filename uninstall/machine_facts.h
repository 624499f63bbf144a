// What the uninstaller learns from the machine to check its record against: the AutoCAD
// products that the registry scan finds now, and the folder it was started from.
#pragma once

#include "uninstall/record_check.h"

#include <string>

namespace uninstall {

// The registry view that this process reaches without asking for another.
constexpr int kOwnRegistryView = sizeof(void*) == 4 ? 32 : 64;

MachineFacts GatherMachineFacts(const std::wstring& installFolder);

} // namespace uninstall
