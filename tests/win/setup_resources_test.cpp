// What no screenshot shows of the program's resources: the manifest that decides whether
// Windows asks for elevation.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string ResourceBytes(LPSTR type, int id) { // type: RT_MANIFEST, ...
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info)
        return {};
    return std::string(static_cast<const char*>(LockResource(LoadResource(module, info))),
                       SizeofResource(module, info));
}

TEST(SetupResources, ManifestAsksForNothingButTheUsersRights) {
    const std::string manifest = ResourceBytes(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("dependentAssembly"), std::string::npos);
}

} // namespace
