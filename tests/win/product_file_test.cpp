// The product file as Windows sees it before running it: the version that its file
// properties show.
#include "tests/win/install_fixture.h"

using namespace e2e;

namespace {

TEST(ProductFile, VersionNamesTheInstallerInChinese) {
    const std::string exe = WindowsPath(SETUP_EXE_UNIX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    void* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &data, &size));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
    EXPECT_EQ(
        std::vector<DWORD>({fixed->dwFileVersionMS, fixed->dwFileVersionLS,
                            fixed->dwProductVersionMS, fixed->dwProductVersionLS}),
        std::vector<DWORD>({MAKELONG(4, 2026), MAKELONG(0, 2), MAKELONG(4, 2026), MAKELONG(0, 2)}));
    for (const auto& [name, expected] :
         {std::pair(L"FileDescription", "V-批打印软件安装程序"),
          std::pair(L"ProductName", "Vornik批打印软件"),
          std::pair(L"OriginalFilename", "SetUp.exe"), std::pair(L"FileVersion", "2026.4.2.0")}) {
        // Chinese (PRC), UTF-16
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
        const bool found = VerQueryValueW(info.data(), path.c_str(), &data, &size);
        EXPECT_EQ(found ? Utf8(static_cast<const wchar_t*>(data)) : "(none)", expected)
            << Utf8(name);
    }
}

} // namespace
