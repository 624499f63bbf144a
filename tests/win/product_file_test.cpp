// The product file as Windows sees it before running it: the manifest that decides whether
// Windows asks for elevation, and the version that its file properties show.
#include "tests/win/install_fixture.h"

using namespace e2e;

namespace {

TEST(ProductFile, ManifestAsksForNothingButTheUsersRights) {
    const std::wstring exe = fw::WideFromAnsi(WindowsPath(SETUP_EXE_UNIX_PATH));
    const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    const HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(info);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, info))),
                               SizeofResource(module, info));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("dependentAssembly"), std::string::npos);
}

TEST(ProductFile, VersionNamesTheInstallerInChinese) {
    const std::wstring exe = fw::WideFromAnsi(WindowsPath(SETUP_EXE_UNIX_PATH));
    std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
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
        EXPECT_EQ(found ? Utf8(static_cast<const wchar_t*>(data)) : "(none)", expected)
            << Utf8(name);
    }
}

} // namespace
