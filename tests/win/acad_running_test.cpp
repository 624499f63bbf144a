// The running-AutoCAD check against real processes: a small waiting program copied to
// AutoCAD-like names and started as a child.
#include "deploy/acad_running.h"
#include "tests/win/test_support.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::string HelperProgram() {
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.rfind('\\'));
    return folder + "\\sleeper.exe";
}

bool IsListed(DWORD processId) {
    fw::unique_snapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL found = Process32First(snapshot.get(), &entry); found;
         found = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == processId)
            return true;
    }
    return false;
}

// A child process running the helper under a chosen name; ended when the object goes.
class NamedChild {
  public:
    NamedChild(const TempDir& dir, const std::string& name) {
        const std::string path = dir / name;
        if (!CopyFileA(HelperProgram().c_str(), path.c_str(), FALSE))
            return;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                            dir.path().c_str(), &startup, &info))
            return;
        m_process.reset(info.hProcess);
        m_thread.reset(info.hThread);
        // The check only sees processes that have started; wait until this one is listed.
        for (int tries = 0; tries < 500 && !IsListed(info.dwProcessId); ++tries)
            Sleep(10);
        m_listed = IsListed(info.dwProcessId);
    }
    ~NamedChild() {
        if (!m_process)
            return;
        TerminateProcess(m_process.get(), 0);
        WaitForSingleObject(m_process.get(), 10000);
    }
    NamedChild(const NamedChild&) = delete;
    NamedChild& operator=(const NamedChild&) = delete;
    bool running() const { return m_process && m_listed; }

  private:
    fw::unique_process m_process;
    fw::unique_process m_thread;
    bool m_listed = false;
};

// One test case, so that no other case's child can be running while a row expects false.
TEST(AcadRunning, ProcessNamesThatContainAcadExe) {
    ASSERT_TRUE(FileExists(HelperProgram())) << HelperProgram();
    EXPECT_FALSE(IsAcadRunning()) << "nothing AutoCAD-like runs";

    struct Row {
        const char* name;
        bool running;
    };
    const Row rows[] = {
        {"acadlt.exe", false},
        {"acad.exe", true},
        {"ACAD.EXE", true},
        {"myacad.exe", true},
    };
    for (const Row& row : rows) {
        TempDir dir;
        NamedChild child(dir, row.name);
        ASSERT_TRUE(child.running()) << row.name << " could not be started";
        EXPECT_EQ(IsAcadRunning(), row.running) << row.name;
    }
    EXPECT_FALSE(IsAcadRunning()) << "every child has ended";
}

} // namespace
