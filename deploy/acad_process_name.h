// Which running executables count as AutoCAD: plain code, tested without Windows.
#pragma once

#include <string>

namespace deploy {

// True when the executable's file name contains "acad.exe", without regard to case: a
// substring test, so "myacad.exe" and "acad.exe.bak" count and "acadlt.exe" does not.
bool IsAcadProcessName(const std::string& exeName);

} // namespace deploy
