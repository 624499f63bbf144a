// The benchmark program of scripts/bench.sh (not a test).
//
//   copy_bench copy FOLDER RUNS   FOLDER\Data holds the package: times the package copy
//                                 (CopyPackage, as the Install command runs it) against a plain
//                                 CopyFileA loop over the same files, in interleaved runs
//   copy_bench start SETUP RUNS   times SetUp.exe from its start to its visible dialog
//
// Prints the median of each in milliseconds.
#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "framework/controls.h"
#include "framework/text_convert.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

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

int BenchCopy(const std::string& folder, int runs) {
    OverrideExecutableFolder(fw::WideFromAnsi(folder)); // the package is FOLDER\Data
    const std::string package = folder + "\\Data";
    const std::string viaPackageCopy = folder + "\\out-package";
    const std::string viaPlainLoop = folder + "\\out-plain";
    const std::vector<std::string> names = FilesIn(package);
    fw::ProgressBar noBar; // the dialog's bar is not part of what is measured
    const InstallTarget target{viaPackageCopy, noBar};

    std::vector<double> packageMs, plainMs;
    // Run 0 warms the file cache and is not counted; the order alternates between runs.
    for (int run = 0; run <= runs; ++run) {
        for (int half = 0; half < 2; ++half) {
            const bool package_first = run % 2 == 0;
            if ((half == 0) == package_first) {
                EmptyFolder(viaPackageCopy);
                const double start = NowMs();
                if (!CopyPackage(target))
                    return std::fprintf(stderr, "CopyPackage failed\n"), 1;
                if (run > 0)
                    packageMs.push_back(NowMs() - start);
            } else {
                EmptyFolder(viaPlainLoop);
                const double start = NowMs();
                for (const std::string& name : names) {
                    if (!CopyFileA((package + "\\" + name).c_str(),
                                   (viaPlainLoop + "\\" + name).c_str(), FALSE))
                        return std::fprintf(stderr, "CopyFileA failed: %s\n", name.c_str()), 1;
                }
                if (run > 0)
                    plainMs.push_back(NowMs() - start);
            }
        }
    }
    if (FilesIn(viaPackageCopy).size() != names.size())
        return std::fprintf(stderr, "the package copy missed files\n"), 1;
    const double a = Median(packageMs), b = Median(plainMs);
    std::printf("copy of %zu files: CopyPackage %.1f ms, plain CopyFileA loop %.1f ms "
                "(medians of %d interleaved runs), ratio %.2f\n",
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
    if (mode == L"copy" && runs > 0) {
        char folder[MAX_PATH] = "";
        WideCharToMultiByte(CP_ACP, 0, argv[2], -1, folder, MAX_PATH, nullptr, nullptr);
        return BenchCopy(folder, runs);
    }
    if (mode == L"start" && runs > 0)
        return BenchStart(argv[2], runs);
    std::fprintf(stderr, "usage: copy_bench copy FOLDER RUNS | copy_bench start SETUP.EXE RUNS\n");
    return 2;
}
