// The uninstaller runs from a temporary copy of itself, in a private folder of its own: the
// kept SetUp.exe that the user (or a deployment system) starts cannot delete its own file
// while it runs. The copy learns the
// install folder, and in a silent run where to report its exit code, from its environment,
// so that the command line it gets is exactly the one that was given.
#include "uninstall/uninstall_command.h"

#include "core/number_text.h"
#include "deploy/acad_running.h"
#include "deploy/setup_messages.h"
#include "framework/own_path.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "framework/whole_file.h"
#include "install/install_record.h"
#include "report/exit_codes.h"
#include "report/install_log.h"
#include "security/private_copy.h"
#include "uninstall/machine_facts.h"
#include "uninstall/record_check.h"
#include "uninstall/removal.h"

#include <windows.h>

#include <memory>

namespace uninstall {

namespace {

constexpr const wchar_t* kFolderVariable = L"VORNIK_UNINSTALL_FOLDER";
constexpr const wchar_t* kReportVariable = L"VORNIK_UNINSTALL_REPORT";
constexpr const wchar_t* kInstallerVariable = L"VORNIK_UNINSTALL_INSTALLER";
constexpr const wchar_t* kStartFolderVariable = L"VORNIK_UNINSTALL_START";
constexpr DWORD kInstallerEndWait = 60000;
constexpr size_t kItemsShown = 12;

constexpr const wchar_t* kConfirmMessage = L"确实要从本机卸载Vornik批打印软件吗 ?";
constexpr const wchar_t* kCloseAutoCadMessage = L"请关闭AutoCAD后再进行卸载 !";
constexpr const wchar_t* kNoRecordMessage = L"未找到安装记录，无法卸载 !";
constexpr const wchar_t* kDoneMessage = L"Vornik批打印软件已卸载完毕 !";
constexpr const wchar_t* kPartlyMessage = L"卸载已完成，但以下项目未能删除：\n\n";
constexpr const wchar_t* kPartlyReasons =
    L"\n\n可能原因如下：\n\n1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理员身份运行后重新卸载";

std::optional<std::wstring> Variable(const wchar_t* name) {
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
    if (length == 0 || length >= 32768)
        return std::nullopt;
    return std::wstring(buffer, length);
}

// A number the installer handed over; nullopt when it is not set, or set but no number.
std::optional<unsigned long long> HandedOverNumber(const wchar_t* name) {
    const auto text = Variable(name);
    return text ? core::ParseDecimal(*text) : std::nullopt;
}

// A value that is set but is no number means the copy and its installer do not agree.
bool HandOverReadable() {
    for (const wchar_t* name : {kReportVariable, kInstallerVariable})
        if (Variable(name) && !HandedOverNumber(name))
            return false;
    return true;
}

std::wstring RecordPath(const std::wstring& folder) {
    return folder + L"\\" + fw::WideFromAnsi(install::kRecordFileName);
}

std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return std::wstring(path, length <= MAX_PATH ? length : 0);
}

std::wstring CurrentFolder() {
    wchar_t path[32768];
    const DWORD length = GetCurrentDirectoryW(32768, path);
    return std::wstring(path, length < 32768 ? length : 0);
}

// Starts the temporary copy with this program's arguments. Silent: waits for the copy's
// report and returns it; interactive: returns at once, the copy talks to the user. nullopt
// when no copy could be started.
std::optional<int> RunTemporaryCopy(const std::wstring& folder, const std::wstring& arguments,
                                    bool silent) {
    const std::optional<security::PrivateCopy> privateCopy =
        security::MakePrivateCopy(fw::OwnPath(), L"VornikUninstall.exe");
    if (!privateCopy)
        return std::nullopt;
    const std::wstring& copy = privateCopy->file;
    fw::unique_process reportRead, reportWrite;
    if (silent) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        if (CreatePipe(&read, &write, &inherited, 0)) {
            reportRead.reset(read);
            reportWrite.reset(write);
            SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
            SetEnvironmentVariableW(kReportVariable,
                                    std::to_wstring(reinterpret_cast<UINT_PTR>(write)).c_str());
        }
    }
    SetEnvironmentVariableW(kFolderVariable, folder.c_str());
    SetEnvironmentVariableW(kStartFolderVariable, CurrentFolder().c_str());
    SetEnvironmentVariableW(kInstallerVariable, std::to_wstring(GetCurrentProcessId()).c_str());
    std::wstring commandLine = L"\"" + copy + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr,
                        reportWrite ? TRUE : FALSE, 0, nullptr, privateCopy->folder.c_str(),
                        &startup, &info)) {
        security::RemovePrivateCopy(*privateCopy);
        return std::nullopt;
    }
    const fw::unique_process process(info.hProcess);
    CloseHandle(info.hThread);
    reportWrite.reset(); // the copy holds the only writer now: its end breaks the pipe
    if (!silent)
        return report::kExitDone;
    DWORD code = 0, read = 0;
    if (reportRead && ReadFile(reportRead.get(), &code, sizeof code, &read, nullptr) &&
        read == sizeof code)
        return static_cast<int>(code);
    WaitForSingleObject(process.get(), INFINITE);
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

// In the copy: tells the waiting installer the exit code, then waits for it to end, so that
// its file can go.
void ReportAndWaitForInstaller(int code) {
    if (const auto handle = HandedOverNumber(kReportVariable)) {
        SetEnvironmentVariableW(kReportVariable, nullptr); // reported once: the pipe closes
        const fw::unique_process pipe(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(*handle)));
        DWORD written = 0;
        const DWORD value = static_cast<DWORD>(code);
        WriteFile(pipe.get(), &value, sizeof value, &written, nullptr);
    }
    if (const auto pid = HandedOverNumber(kInstallerVariable)) {
        const fw::unique_process installer(
            OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(*pid)));
        if (installer)
            WaitForSingleObject(installer.get(), kInstallerEndWait);
        SetEnvironmentVariableW(kInstallerVariable, nullptr);
    }
}

std::wstring PartlyText(const std::vector<std::wstring>& items) {
    std::wstring text = kPartlyMessage;
    for (size_t i = 0; i < items.size() && i < kItemsShown; ++i)
        text += items[i] + L"\n";
    if (items.size() > kItemsShown)
        text += L"……\n";
    return text + kPartlyReasons;
}

int Uninstall(const std::wstring& folder, bool silent, const std::optional<std::wstring>& logPath,
              bool fromCopy) {
    // A log named relative to where the uninstaller was started lies there; the copy itself
    // starts in the temporary folder, so that it never holds the install folder.
    if (const auto start = Variable(kStartFolderVariable))
        SetCurrentDirectoryW(start->c_str());
    std::unique_ptr<report::InstallLog> log;
    if (logPath && !(log = report::InstallLog::Create(*logPath))) {
        ReportAndWaitForInstaller(report::kExitBadCommandLine);
        return report::kExitBadCommandLine;
    }
    const RemovalLog write = [&](const std::wstring& line) {
        if (log)
            log->Write(line);
    };
    const auto finish = [&](int code, const wchar_t* message) {
        write(L"exit code " + std::to_wstring(code));
        ReportAndWaitForInstaller(code);
        if (!silent && message)
            ShowSetupMessage(message);
        return code;
    };
    SetCurrentDirectoryW(TempFolder().c_str()); // the install folder may go
    if (!HandOverReadable()) {
        write(L"internal error: a value handed over to the uninstaller is no number");
        return finish(report::kExitInternalError, nullptr);
    }

    const std::wstring recordPath = RecordPath(folder);
    write(L"uninstall from " + folder);
    const std::optional<std::string> content = fw::ReadWholeFile(recordPath);
    if (!content) {
        write(L"no install record: " + recordPath);
        return finish(report::kExitNoPackage, kNoRecordMessage);
    }
    const CheckedRecord checked = CheckRecord(install::ReadInstallRecord(*content),
                                              GatherMachineFacts(folder), fw::WideFromUtf8);
    const install::InstallRecord& record = checked.accepted;
    if (!silent && ShowSetupMessage(kConfirmMessage, MB_YESNO) != IDYES) {
        write(L"not confirmed: nothing removed");
        return finish(report::kExitDone, nullptr);
    }
    if (IsAcadRunning()) {
        write(L"AutoCAD is running: nothing removed");
        return finish(report::kExitAcadRunning, kCloseAutoCadMessage);
    }

    for (const std::string& item : checked.refused)
        write(L"refused: " + fw::WideFromUtf8(item) + L" (not made by this installation)");
    RemovalResult result = RemoveRegisteredParts(record, write);
    std::vector<std::wstring>& notRemoved = result.notRemoved;
    if (notRemoved.empty()) {
        ReportAndWaitForInstaller(checked.refused.empty() ? report::kExitDone
                                                          : report::kExitPartly);
        const auto more = RemoveFolderRemains(record, recordPath, write);
        notRemoved.insert(notRemoved.end(), more.begin(), more.end());
    } else if (!fw::WriteWholeFile(recordPath, install::FormatInstallRecord(result.remaining))) {
        write(L"could not rewrite the install record " + recordPath);
    }
    for (const auto& item : notRemoved)
        write(L"not removed: " + item);
    // Refused lines are not carried out, now or later: they keep neither the record nor the
    // list entry, but the user and the exit code learn of them.
    for (const std::string& item : checked.refused)
        notRemoved.push_back(fw::WideFromUtf8(item));
    const int code = notRemoved.empty() ? report::kExitDone : report::kExitPartly;
    const std::wstring message = notRemoved.empty() ? kDoneMessage : PartlyText(notRemoved);
    finish(code, message.c_str());
    if (fromCopy) // a running program cannot delete itself; Windows does at the next start
        security::RemoveAtNextStart(fw::OwnPath());
    return code;
}

} // namespace

int RunUninstall(const std::wstring& arguments, bool silent,
                 const std::optional<std::wstring>& logPath) {
    if (const auto folder = Variable(kFolderVariable))
        return Uninstall(*folder, silent, logPath, true);
    const std::wstring folder = fw::OwnFolder();
    if (GetFileAttributesW(RecordPath(folder).c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (const auto code = RunTemporaryCopy(folder, arguments, silent))
            return *code;
    }
    // No record, or no copy could be started: done here (the kept installer then stays).
    return Uninstall(folder, silent, logPath, false);
}

} // namespace uninstall
