#include "deploy/acad_running.h"

#include "deploy/acad_process_name.h"
#include "framework/unique_handle.h"

#include <windows.h>
#include <tlhelp32.h>

bool IsAcadRunning() {
    const fw::unique_snapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32 entry = {}; // the 8-bit record; 296 bytes in the 32-bit program
    entry.dwSize = sizeof entry;
    for (BOOL found = Process32First(snapshot.get(), &entry); found;
         found = Process32Next(snapshot.get(), &entry)) {
        if (deploy::IsAcadProcessName(entry.szExeFile))
            return true;
    }
    return false;
}
