// The unattended install as a deployment system meets it: the 32-bit SetUp.exe started with
// /S, read by its exit code and its log, never showing a window; and each user's part as
// Windows runs it at logon (Active Setup).
#include "tests/e2e/install_fixture.h"

#include <functional>

using namespace e2e;

namespace {

const std::string kActiveSetupKey = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\"
                                    "{D769204B-A2B9-412B-B1B1-B1CDDFA4A3CA}";

class UnattendedE2E : public InstallE2E {
  protected:
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kActiveSetupKey.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kActiveSetupKey.c_str());
        InstallE2E::TearDown();
    }
    // Runs SetUp.exe (the package's unless exe is given) to its end and returns its exit
    // code; the test fails when the program shows any window meanwhile.
    long Run(const std::string& arguments, std::string exe = "", std::string userAppData = "") {
        SetupProcess process(exe.empty() ? package + "\\SetUp.exe" : exe,
                             userAppData.empty() ? appData : userAppData, arguments);
        EXPECT_TRUE(process.started()) << "CreateProcess error " << process.startError();
        long code = -1;
        bool windowShown = false;
        for (DWORD start = GetTickCount(); code == -1 && GetTickCount() - start < kTimeout;) {
            windowShown |= !VisibleWindowsOf(process.pid()).empty();
            code = process.WaitForExit(10);
        }
        EXPECT_FALSE(windowShown) << "a window in " << arguments;
        return code;
    }
    std::string Log() { return ReadFileText(logPath).value_or("(no log)"); }
    void ExpectLogged(const std::string& text) {
        EXPECT_NE(Log().find(text), std::string::npos) << text << "\nnot in the log:\n" << Log();
    }
    std::string logPath = dir / "setup.log";
};

// The same entries, files and trusted paths as the dialog's installation, with every one of
// them in the log; the installer and the settings file are kept for each user's part.
TEST_F(UnattendedE2E, SilentInstallDoesWhatTheDialogDoesAndLogsIt) {
    const Product cad2008 = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    const Product cad2014 = AddAutoCad(2014, "R19.1", "ACAD-D001:804");
    AddProfile(cad2010, "<<Unnamed Profile>>", "C:\\Users\\Me\\Blocks;D:\\Lisp");
    AddProfile(cad2014, "Drafting", "");
    target = dir / "Silent Target";
    installDir = target + "\\V-ZiruzOrav";

    EXPECT_EQ(Run("-s /r=2010,2014 /LOG=" + logPath + " /D=" + target), 0) << Log();

    ExpectNoEntries(cad2008);
    ExpectEntries(cad2010, 2010, 2010);
    ExpectEntries(cad2014, 2013, 2013);
    EXPECT_EQ(Trusted(cad2010, "<<Unnamed Profile>>"),
              "C:\\USERS\\ME\\BLOCKS;D:\\LISP;" +
                  std::string(CharUpperA(&std::string(installDir)[0])));
    EXPECT_EQ(Trusted(cad2014, "Drafting"), installDir);
    std::vector<std::pair<std::string, std::string>> files; // where, which package file
    for (const char* name : {"VK_ZiruzOrav2010.arx", "VK_ZiruzOrav2013.ARX", "itextsharp.dll",
                             "ACAD2010P.dll", "ACAD2013P.dll", "readme.txt", "Vornik.Ini"})
        files.push_back({installDir + "\\" + name, name});
    files.push_back({appData + "\\Vornik\\Vornik.Ini", "Vornik.Ini"});
    for (const Product* p : {&cad2010, &cad2014})
        for (const char* name :
             {"Fonts\\Vornik_EN.shx", "Fonts\\Vornik_HZ.shx", "itextsharp.dll", "ACAD2013P.dll"})
            files.push_back({p->folder + "\\" + name,
                             std::string(name).substr(std::string(name).rfind('\\') + 1)});
    for (const auto& [path, name] : files) {
        EXPECT_EQ(ReadFileText(path), Payload(name)) << path;
        ExpectLogged(" -> " + path + "\r\n");
    }
    EXPECT_EQ(ReadFileText(installDir + "\\SetUp.exe"), ReadFileText(package + "\\SetUp.exe"));
    ExpectLogged("kept file copied: " + package + "\\SetUp.exe -> " + installDir + "\\SetUp.exe");
    for (const Product* p : {&cad2010, &cad2014}) {
        const std::string apps = p->productKey + "\\Applications\\";
        const std::string year = std::to_string(p->year);
        ExpectLogged(apps + "VK_ZiruzOrav" + year + " LOADER = " + installDir + "\\VK_");
        ExpectLogged(apps + "Vornik" + year + "DLLP LOADER = " + p->folder + "\\ACAD");
        ExpectLogged(apps + "Vornik" + year + "DLLP MANAGED = 1");
    }
    ExpectLogged("\\Drafting\\Variables TRUSTEDPATHS = " + installDir + " (was: )");
    ExpectLogged("AutoCAD 2008 found: HKEY_LOCAL_MACHINE\\");
    ExpectLogged("exit code 0");

    // Each user's part is registered for the machine and marked done for this user.
    ExpectExactValues(HKEY_LOCAL_MACHINE, kActiveSetupKey,
                      {{"", Sz("Vornik\xc5\xfa\xb4\xf2\xd3\xa1\xc8\xed\xbc\xfe")},
                       {"StubPath", Sz("\"" + installDir + "\\SetUp.exe\" /USERPART")},
                       {"Version", Sz("2026,4,2,0")},
                       {"IsInstalled", Dword(1)}});
    ExpectExactValues(HKEY_CURRENT_USER, kActiveSetupKey, {{"Version", Sz("2026,4,2,0")}});
}

// A second user logs on: Windows runs the StubPath with that user's registry and APPDATA.
// Here the first user's marks are taken away and another APPDATA stands in for the user.
TEST_F(UnattendedE2E, ActiveSetupGivesEachUserTheTrustedPathAndSettingsOnce) {
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    ASSERT_EQ(Run("/S /D=" + target), 0);
    const auto stub = ReadRegValue(HKEY_LOCAL_MACHINE, kActiveSetupKey, "StubPath");
    ASSERT_TRUE(stub);
    const std::string command = stub->data.c_str(); // "\"<exe>\" /USERPART"
    const size_t quote = command.find('"', 1);
    ASSERT_NE(quote, std::string::npos) << command;

    RegDeleteTreeA(HKEY_CURRENT_USER, kActiveSetupKey.c_str());
    AddProfile(cad2010, "<<Unnamed Profile>>", "D:\\Lisp");
    const std::string second = dir / "Second User";
    MakeFolders(second);
    char temp[MAX_PATH] = "";
    const std::string userLog =
        std::string(temp, GetTempPathA(MAX_PATH, temp)) + "Vornik-UserPart.log";
    DeleteFileA(userLog.c_str());
    EXPECT_EQ(Run(command.substr(quote + 2), command.substr(1, quote - 1), second), 0);
    EXPECT_EQ(Trusted(cad2010, "<<Unnamed Profile>>"),
              "D:\\LISP;" + std::string(CharUpperA(&std::string(installDir)[0])));
    EXPECT_EQ(ReadFileText(second + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));
    EXPECT_NE(ReadFileText(userLog).value_or("").find("trusted path added"), std::string::npos);

    // A settings file of the user's own is never replaced.
    WriteFileText(second + "\\Vornik\\Vornik.Ini", "the user's own");
    EXPECT_EQ(Run(command.substr(quote + 2), command.substr(1, quote - 1), second), 0);
    EXPECT_EQ(ReadFileText(second + "\\Vornik\\Vornik.Ini"), "the user's own");
    DeleteFileA(userLog.c_str());
}

// Each exit code from its cause. After 2, 5 and 6 nothing is done: no folder, no entries.
class UnattendedExitCodes : public UnattendedE2E, public testing::WithParamInterface<int> {
  public:
    struct Row {
        const char* name;
        std::function<void(UnattendedExitCodes&)> prepare;
        std::string arguments; // after "/S /LOG=<log> "
        long code;
        const char* logged; // nullptr: no log at all
    };
    static const std::vector<Row>& Rows() {
        static const std::vector<Row> rows = {
            {"AutoCadRunning",
             [](UnattendedExitCodes& t) {
                 const std::string acad = t.dir / "acad.exe";
                 CopyFileA(WindowsPath(IDLE_HELPER_UNIX_PATH).c_str(), acad.c_str(), FALSE);
                 t.acad = std::make_unique<SetupProcess>(acad, t.appData);
             },
             "", 2, "AutoCAD is running: nothing done"},
            {"MissingPackage",
             [](UnattendedExitCodes& t) { MoveFileA(t.data.c_str(), (t.dir / "gone").c_str()); },
             "", 3, "message (not shown): \xe6\x9c\xaa\xe6\x89\xbe\xe5\x88\xb0"},
            {"LockedFile",
             [](UnattendedExitCodes& t) {
                 MakeFolders(t.installDir);
                 WriteFileText(t.installDir + "\\itextsharp.dll", "old");
                 t.lock.reset(CreateFileA((t.installDir + "\\itextsharp.dll").c_str(), GENERIC_READ,
                                          0, nullptr, OPEN_EXISTING, 0, nullptr));
             },
             "", 4, "\\V-ZiruzOrav\\itextsharp.dll (error "},
            {"PartlyWritten",
             [](UnattendedExitCodes& t) {
                 RemoveDirectoryA((t.dir / "AutoCAD 2010\\Fonts").c_str());
             },
             "", 1, "2 entries, profile lists or files could not be written"},
            {"NoRelease", [](UnattendedExitCodes& t) { t.ClearAutodeskKeys(); }, "", 6,
             "no AutoCAD release to install for"},
            {"ReleaseNotFound", nullptr, "/R=2014", 6, "AutoCAD 2014 was asked for"},
            {"ReleaseHidden",
             [](UnattendedExitCodes& t) { t.AddAutoCad(2018, "R22.0", "ACAD-1001:804"); },
             "/R=2010,2018", 6, "AutoCAD 2018 was asked for"},
            {"UnknownSwitch", nullptr, "/X", 5, "\xe9\x80\x80\xe5\x87\xba\xe7\xa0\x81"},
            {"MalformedYear", nullptr, "/R=20l0", 5, "/R=20l0"},
            {"UnusableFolder", nullptr, "/D=Vornik", 5, "cannot be installed into: Vornik"},
            // Relative to the package folder, where no "missing" folder is; the last /LOG= wins.
            {"UnwritableLog", nullptr, "/LOG=missing\\setup.log", 5, nullptr},
        };
        return rows;
    }
    std::unique_ptr<SetupProcess> acad;
    fw::unique_file lock;
};

TEST_P(UnattendedExitCodes, FromItsCause) {
    const Row& row = Rows()[GetParam()];
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    if (row.prepare)
        row.prepare(*this);
    const bool ownFolder = row.arguments.find("/D=") != std::string::npos;
    EXPECT_EQ(Run("/S /LOG=" + logPath + " " + row.arguments + (ownFolder ? "" : " /D=" + target)),
              row.code)
        << Log();
    if (row.logged) {
        ExpectLogged(row.logged);
        ExpectLogged("exit code " + std::to_string(row.code));
    } else {
        EXPECT_FALSE(FileExists(logPath));
    }
    if (row.code >= 2)
        ExpectNoEntries(cad2010);
    if (row.code == 2 || row.code >= 5) {
        EXPECT_FALSE(FolderExists(target));
    }
}

INSTANTIATE_TEST_SUITE_P(Silent, UnattendedExitCodes,
                         testing::Range(0, static_cast<int>(UnattendedExitCodes::Rows().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(UnattendedExitCodes::Rows()[info.param].name);
                         });

} // namespace
