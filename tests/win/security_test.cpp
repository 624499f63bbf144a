// What Wine can show of an administrator's installation that other users cannot turn against
// anyone: the locked folders give Everyone nothing, a folder of another account is refused,
// and a comctl32.dll planted beside SetUp.exe is not loaded.
#include "tests/win/install_fixture.h"

#include <aclapi.h>

using namespace e2e;

namespace {

// Whether the folder's DACL allows Everyone anything. Wine keeps no DACL that a program
// sets: it maps the entries onto the folder's Unix mode bits and reports a DACL made of them.
bool GrantsEveryone(const std::string& folder) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return true;
    const fw::unique_local owned(descriptor);
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size);
    bool grants = dacl == nullptr; // no DACL: everyone may do anything
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
            ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && ace->Mask != 0 &&
            EqualSid(&ace->SidStart, everyone))
            grants = true;
    }
    return grants;
}

TEST_F(InstallE2E, LockedFoldersGiveEveryoneNothing) {
    if (!GrantsEveryone(package))
        GTEST_SKIP() << "a plain folder gives Everyone nothing here either: nothing to show";
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    SetupProcess run(package + "\\SetUp.exe", appData, "/S /D=" + target);
    ASSERT_EQ(run.WaitForExit(kTimeout), 0);
    for (const std::string& folder : {target, installDir})
        EXPECT_FALSE(GrantsEveryone(folder)) << folder;
}

// Wine owns a file of another Unix account to Anonymous: the root's /tmp, which every account
// may write into, stands for a folder a user made before the administrator installs.
TEST_F(InstallE2E, FolderOfAnotherAccountIsRefused) {
    const std::string foreign = "Z:\\tmp", log = dir / "setup.log";
    if (!Exists(foreign))
        GTEST_SKIP() << foreign << " is missing";
    AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    SetupProcess run(package + "\\SetUp.exe", appData, "/S /LOG=" + log + " /D=" + foreign);
    EXPECT_EQ(run.WaitForExit(kTimeout), 7);
    EXPECT_FALSE(Exists(foreign + "\\V-ZiruzOrav"));
    EXPECT_NE(ReadFileText(log).value_or("").find("is not Administrators"), std::string::npos);
}

// comctl32 is no KnownDLL; Wine loads a program's own copy when told to prefer native DLLs.
TEST_F(InstallE2E, PlantedComctl32IsNotLoaded) {
    const std::string appDefaults = "Software\\Wine\\AppDefaults\\SetUp.exe";
    SetRegString(HKEY_CURRENT_USER, appDefaults + "\\DllOverrides", "comctl32", "native,builtin");
    ASSERT_TRUE(CopyFileA(WindowsPath(PLANTED_DLL_UNIX_PATH).c_str(),
                          (package + "\\comctl32.dll").c_str(), FALSE));
    const bool started = StartSetup();
    RegDeleteTreeA(HKEY_CURRENT_USER, appDefaults.c_str());
    ASSERT_TRUE(started);
    EXPECT_FALSE(Exists(package + "\\planted-dll-loaded"));
    Click(dialog, kIdCancel);
    EXPECT_EQ(setup->WaitForExit(kTimeout), 0);
}

} // namespace
