// The unattended install as a deployment system meets it: the 32-bit SetUp.exe started with
// /S, read by its exit code and its log, never showing a window; and each user's part as
// Windows runs it at logon (Active Setup).
#include "tests/win/install_fixture.h"

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
    long Run(const std::string& arguments, const std::string& exe = "",
             const std::string& userAppData = "") {
        SetupProcess process(exe.empty() ? package + "\\SetUp.exe" : exe,
                             userAppData.empty() ? appData : userAppData, arguments);
        EXPECT_TRUE(process.started());
        long code = -1;
        bool windowShown = false;
        for (DWORD start = GetTickCount(); code == -1 && GetTickCount() - start < kTimeout;) {
            windowShown |= !VisibleWindowsOf(process.pid()).empty();
            code = process.WaitForExit(10);
        }
        EXPECT_FALSE(windowShown) << "a window in " << arguments;
        return code;
    }
    void ExpectLogged(const std::string& text) {
        const std::string log = ReadFileText(logPath).value_or("(no log)");
        EXPECT_NE(log.find(text), std::string::npos) << text << "\nnot in the log:\n" << log;
    }
    std::string logPath = dir / "setup.log";
};

// The same entries, files and trusted paths as the dialog's installation, each in the log;
// the installer and the settings file are kept for each user's part, which Windows runs when
// another user logs on: with that user's registry and APPDATA (here the first user's marks
// taken away and another APPDATA).
TEST_F(UnattendedE2E, SilentInstallLogsWhatItDoesAndServesEachUserOnce) {
    const Product cad2008 = AddAutoCad(2008, "R17.1", "ACAD-6001:804");
    const Product cad2010 = AddAutoCad(2010, "R18.0", "ACAD-8001:804");
    AddProfile(cad2010, L"Drafting", L"");
    installDir = dir / "Silent Target\\V-ZiruzOrav";
    EXPECT_EQ(Run("-s /r=2010 /LOG=" + logPath + " /D=" + dir / "Silent Target"), 0);

    EXPECT_TRUE(Applications(cad2008).empty());
    ExpectEntries(cad2010, 2010, 2010);
    EXPECT_EQ(Trusted(cad2010, L"Drafting"), Sz(installDir));
    for (const auto& [path, name] :
         {std::pair(installDir + "\\readme.txt", "readme.txt"),
          std::pair(appData + "\\Vornik\\Vornik.Ini", "Vornik.Ini"),
          std::pair(cad2010.folder + "\\Fonts\\Vornik_EN.shx", "Vornik_EN.shx")}) {
        EXPECT_EQ(ReadFileText(path), Payload(name)) << path;
        ExpectLogged(" -> " + path + "\r\n");
    }
    ExpectLogged("kept file copied: " + package + "\\SetUp.exe -> " + installDir + "\\SetUp.exe");
    ExpectLogged("ACAD-8001:804\\Applications\\Vornik2010DLLP MANAGED = 1");
    ExpectLogged("\\Drafting\\Variables TRUSTEDPATHS = " + installDir + " (was: )");
    ExpectLogged("exit code 0");

    // Each user's part is registered for the machine and marked done for this user.
    const std::string stub = "\"" + installDir + "\\SetUp.exe\" /USERPART";
    EXPECT_EQ(TakeKey(HKEY_LOCAL_MACHINE, kActiveSetupKey),
              (Snapshot{{"", "key"},
                        {"|", Sz(L"Vornik批打印软件")},
                        {"|StubPath", Sz(stub)},
                        {"|Version", Sz("2026,4,2,0")},
                        {"|IsInstalled", Dword(1)}}));
    EXPECT_EQ(TakeKey(HKEY_CURRENT_USER, kActiveSetupKey),
              (Snapshot{{"", "key"}, {"|Version", Sz("2026,4,2,0")}}));

    RegDeleteTreeA(HKEY_CURRENT_USER, kActiveSetupKey.c_str());
    AddProfile(cad2010, L"<<Unnamed Profile>>", L"D:\\Lisp");
    const std::string second = dir / "Second User";
    MakeFolders(second);
    EXPECT_EQ(Run("/USERPART", installDir + "\\SetUp.exe", second), 0);
    EXPECT_EQ(Trusted(cad2010, L"<<Unnamed Profile>>"), Sz("D:\\LISP;" + UpperAscii(installDir)));
    EXPECT_EQ(ReadFileText(second + "\\Vornik\\Vornik.Ini"), Payload("Vornik.Ini"));
    // A settings file of the user's own is never replaced.
    WriteFileText(second + "\\Vornik\\Vornik.Ini", "the user's own");
    EXPECT_EQ(Run("/USERPART", installDir + "\\SetUp.exe", second), 0);
    EXPECT_EQ(ReadFileText(second + "\\Vornik\\Vornik.Ini"), "the user's own");
}

// Each exit code from its cause. After 2, 3, 5 and 6 nothing is done: no folder, no entries.
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
            {"AutoCadRunning", [](UnattendedExitCodes& t) { t.acad = t.StartFakeAcad(); }, "", 2,
             "AutoCAD is running: nothing done"},
            {"MissingPackage",
             [](UnattendedExitCodes& t) { MoveFileA(t.data.c_str(), (t.dir / "gone").c_str()); },
             "", 3, "message (not shown): 未找到安装所需的Data文件夹 !"},
            {"LockedFile", [](UnattendedExitCodes& t) { t.lock = t.LockOldCopy("itextsharp.dll"); },
             "", 4, "\\V-ZiruzOrav\\itextsharp.dll (error "},
            {"PartlyWritten",
             [](UnattendedExitCodes& t) {
                 RemoveDirectoryA((t.dir / "AutoCAD 2010\\Fonts").c_str());
             },
             "", 1, "2 entries, profile lists or files could not be written"},
            {"ReleaseHidden",
             [](UnattendedExitCodes& t) { t.AddAutoCad(2018, "R22.0", "ACAD-1001:804"); },
             "/R=2010,2018", 6, "AutoCAD 2018 was asked for"},
            {"UnknownSwitch", nullptr, "/X", 5, "\xe9\x80\x80\xe5\x87\xba\xe7\xa0\x81"},
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
              row.code);
    if (row.logged) {
        ExpectLogged(row.logged);
        ExpectLogged("exit code " + std::to_string(row.code));
    } else {
        EXPECT_FALSE(Exists(logPath));
    }
    if (row.code >= 2) {
        EXPECT_TRUE(Applications(cad2010).empty());
    }
    if (row.code == 2 || row.code == 3 || row.code >= 5) {
        EXPECT_FALSE(Exists(target));
    }
}

INSTANTIATE_TEST_SUITE_P(Silent, UnattendedExitCodes,
                         testing::Range(0, static_cast<int>(UnattendedExitCodes::Rows().size())),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(UnattendedExitCodes::Rows()[info.param].name);
                         });

} // namespace
