#include "app/setup_rules.h"

namespace app {

namespace {

// Two digits for a part of the version below 10, as the version is usually written.
std::wstring TwoDigits(int value) {
    return (value >= 10 ? L"" : L"0") + std::to_wstring(value);
}

} // namespace

std::wstring FormatTitle(int version) {
    const int major = version / 10000;
    const int minor = (version % 10000) / 100;
    const int patch = version % 100;
    return L"批打印软件 V" + std::to_wstring(major) + L"." + TwoDigits(minor) + L"." +
           TwoDigits(patch);
}

std::wstring FormatEdition(int targetBits) {
    return L"( " + std::to_wstring(targetBits) + L"位 AutoCAD版 )";
}

} // namespace app
