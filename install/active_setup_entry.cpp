#include "install/active_setup_entry.h"

namespace install {

std::wstring ActiveSetupVersion(int version) {
    return std::to_wstring(version / 10000) + L"," + std::to_wstring(version / 100 % 100) + L"," +
           std::to_wstring(version % 100) + L",0";
}

std::wstring UserPartCommand(const std::wstring& installFolder) {
    return L"\"" + installFolder + L"\\SetUp.exe\" " + kUserPartSwitch;
}

} // namespace install
