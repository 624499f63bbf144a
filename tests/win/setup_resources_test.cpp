// What no screenshot shows of the program's resources: the manifest that decides whether
// Windows asks for elevation, and the version that its file properties show.
#include "tests/win/test_support.h"

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

// The version that Windows shows in the file's properties, read back as Windows reads it.
TEST(SetupResources, VersionNamesTheInstallerInChinese) {
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeW(exe, nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe, 0, static_cast<DWORD>(info.size()), info.data()));
    void* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &data, &size));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(4, 2026));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(4, 2026));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 2));
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &data, &size));
    EXPECT_EQ(*static_cast<const DWORD*>(data), MAKELONG(0x0804, 1200)); // Chinese (PRC), UTF-16
    const std::pair<const wchar_t*, const char*> strings[] = {
        {L"FileDescription", "V-批打印软件安装程序"},
        {L"ProductName", "Vornik批打印软件"},
        {L"OriginalFilename", "SetUp.exe"},
        {L"FileVersion", "2026.4.2.0"},
        {L"ProductVersion", "2026.4.2.0"},
    };
    for (const auto& [name, expected] : strings) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
        const bool found = VerQueryValueW(info.data(), path.c_str(), &data, &size);
        EXPECT_EQ(found ? testing_support::Utf8(static_cast<const wchar_t*>(data)) : "(none)",
                  expected)
            << testing_support::Utf8(name);
    }
}

} // namespace
