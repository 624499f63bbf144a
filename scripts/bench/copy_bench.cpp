// The benchmark program of scripts/bench.sh (not a test).
//
//   copy_bench install FOLDER RUNS  FOLDER holds SetUp.exe and its package (Data): times the
//                                   dialog's whole Install, click to completion screen, against
//                                   a plain CopyFileA loop over the same files, interleaved
//   copy_bench start SETUP RUNS   times SetUp.exe from its start to its visible dialog
//
// Prints the median of each in milliseconds.
#include "framework/text_convert.h"
#include "tests/win/setup_driver.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kIdFolder = 1000, kIdInstall = 1022;

double NowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
    return names;
}

void EmptyFolder(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& name : FilesIn(folder))
        DeleteFileA((folder + "\\" + name).c_str());
}

// Writes a run's files out to the disk before the next timed run, so that no run pays for
// the one before it: a user's installation does not start with 200 MB waiting to be written.
void Settle(const std::string& folder) {
    for (const std::string& name : FilesIn(folder)) {
        const HANDLE file =
            CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            FlushFileBuffers(file);
            CloseHandle(file);
        }
    }
}

// The dialog's whole Install, as the user waits for it: from the click on Install to the
// completion screen, into an emptied install folder, against a plain CopyFileA loop over the
// same files into an emptied folder; interleaved runs.
int BenchInstall(const std::string& folder, int runs) {
    const std::string package = folder + "\\Data", target = folder + "\\out-install";
    const std::string installDir = target + "\\V-ZiruzOrav", viaPlainLoop = folder + "\\out-plain";
    const std::vector<std::string> names = FilesIn(package);
    // One AutoCAD, so that Install has a release to serve; it gets its entries, no files.
    const std::string acad = folder + "\\AutoCAD 2008",
                      productKey = "SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804";
    CreateDirectoryA(acad.c_str(), nullptr);
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, productKey.c_str(), &key);
    RegSetValueExA(key, "AcadLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(acad.c_str()),
                   static_cast<DWORD>(acad.size() + 1));
    RegSetValueExA(key, "ProductName", 0, REG_SZ, reinterpret_cast<const BYTE*>("AutoCAD 2008"),
                   13);
    RegCloseKey(key);

    std::vector<double> installMs, plainMs;
    // Run 0 warms the file cache and is not counted; the order alternates between runs.
    for (int run = 0; run <= runs; ++run) {
        for (int half = 0; half < 2; ++half) {
            if ((half == 0) == (run % 2 == 0)) {
                CreateDirectoryA(target.c_str(), nullptr);
                EmptyFolder(installDir);
                e2e::SetupProcess setup(folder + "\\SetUp.exe", folder + "\\AppData");
                const HWND dialog = e2e::WaitForWindow(setup.pid(), L"V-批打印软件安装", 60000);
                if (!dialog)
                    return std::fprintf(stderr, "no setup dialog\n"), 1;
                e2e::SetText(dialog, kIdFolder, fw::WideFromAnsi(target));
                const double start = NowMs();
                e2e::Click(dialog, kIdInstall);
                while (!e2e::IsShown(dialog, IDOK) && NowMs() - start < 60000)
                    Sleep(1);
                const double done = NowMs() - start;
                if (!e2e::IsShown(dialog, IDOK))
                    return std::fprintf(stderr, "no completion screen within a minute\n"), 1;
                e2e::Click(dialog, IDOK);
                if (setup.WaitForExit(10000) != 0)
                    return std::fprintf(stderr, "SetUp.exe did not end with 0\n"), 1;
                Settle(installDir);
                if (run > 0)
                    installMs.push_back(done);
            } else {
                EmptyFolder(viaPlainLoop);
                const double start = NowMs();
                for (const std::string& name : names) {
                    if (!CopyFileA((package + "\\" + name).c_str(),
                                   (viaPlainLoop + "\\" + name).c_str(), FALSE))
                        return std::fprintf(stderr, "CopyFileA failed: %s\n", name.c_str()), 1;
                }
                const double done = NowMs() - start;
                Settle(viaPlainLoop);
                if (run > 0)
                    plainMs.push_back(done);
            }
        }
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Autodesk");
    if (FilesIn(installDir).size() < names.size())
        return std::fprintf(stderr, "the installation missed files\n"), 1;
    const double a = Median(installMs), b = Median(plainMs);
    std::printf("%zu files of the package: the dialog's Install %.1f ms, plain CopyFileA loop "
                "%.1f ms (medians of %d interleaved runs), ratio %.2f\n",
                names.size(), a, b, runs, a / b);
    return 0;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

int BenchStart(const std::wstring& setup, int runs) {
    std::vector<double> startMs;
    for (int run = 0; run <= runs; ++run) {
        std::wstring command = L"\"" + setup + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const double start = NowMs();
        if (!CreateProcessW(setup.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return std::fprintf(stderr, "SetUp.exe did not start\n"), 1;
        Search search{process.dwProcessId, nullptr};
        while (!search.found && NowMs() - start < 60000) {
            EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
            if (!search.found)
                Sleep(1);
        }
        const double shown = NowMs() - start;
        if (search.found)
            PostMessageW(search.found, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (!search.found)
            return std::fprintf(stderr, "no dialog within a minute\n"), 1;
        if (run > 0) // run 0 warms the file cache
            startMs.push_back(shown);
    }
    std::printf("start to dialog: %.1f ms (median of %d runs)\n", Median(startMs), runs);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc == 4 ? argv[1] : L"";
    const int runs = argc == 4 ? _wtoi(argv[3]) : 0;
    if (mode == L"install" && runs > 0)
        return BenchInstall(fw::AnsiFromWide(argv[2]), runs);
    if (mode == L"start" && runs > 0)
        return BenchStart(argv[2], runs);
    std::fprintf(stderr,
                 "usage: copy_bench install FOLDER RUNS | copy_bench start SETUP.EXE RUNS\n");
    return 2;
}
