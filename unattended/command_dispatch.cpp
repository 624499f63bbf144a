#include "unattended/command_dispatch.h"

#include "app/setup_rules.h"
#include "core/build_constants.h"
#include "deploy/setup_messages.h"
#include "unattended/command_line.h"
#include "unattended/exit_codes.h"
#include "unattended/install_log.h"
#include "unattended/log_listener.h"
#include "unattended/parent_console.h"
#include "unattended/silent_install.h"
#include "unattended/usage_text.h"
#include "unattended/user_part.h"
#include "uninstall/uninstall_command.h"

#include <windows.h>

namespace unattended {

namespace {

// Tells a silent run's caller on the console, an interactive one in a message box.
void Tell(const CommandLine& command, const std::wstring& text) {
    if (command.silent)
        WriteToParentConsole(text);
    else
        ShowSetupMessage(text);
}

std::unique_ptr<InstallLog> OpenLog(const CommandLine& command) {
    if (!command.logPath)
        return InstallLog::Discarding();
    std::unique_ptr<InstallLog> log = InstallLog::Create(*command.logPath);
    if (!log)
        Tell(command, L"无法创建日志文件：" + *command.logPath + L"\n（错误 " +
                          ErrorText(GetLastError()) + L"）");
    return log;
}

void LogStart(InstallLog& log) {
    log.Write(setup::FormatTitle(g_nVersion) + L" " + setup::FormatEdition(g_nTargetBits) +
              L", command line: " + GetCommandLineW());
}

} // namespace

int RunCommandLine(CAcadRegistry& registry, const std::function<void()>& runDialog) {
    const CommandLine command = ParseCommandLine(ArgumentsOf(GetCommandLineW()));
    switch (command.action) {
    case Action::Uninstall:
        return uninstall::RunUninstall(command.silent, command.logPath);
    case Action::UserPart:
        return RunUserPart(registry, command.logPath);
    case Action::Dialog:
        if (!command.logPath) {
            runDialog(); // exactly the program without a command line
            return kExitDone;
        }
        break;
    case Action::Usage:
    case Action::Install:
        break;
    }
    const std::unique_ptr<InstallLog> log = OpenLog(command);
    if (!log)
        return kExitBadCommandLine;
    LogStart(*log);
    int code = kExitDone;
    if (command.action == Action::Usage) {
        const std::wstring usage = UsageText(command.problem);
        WriteLines(*log, usage);
        Tell(command, usage);
        code = kExitBadCommandLine;
    } else if (command.action == Action::Install) {
        code = RunSilentInstall(registry, command, *log);
    } else {
        LogListener listener(*log);
        const core::ScopedInstallListener listening(listener);
        runDialog();
    }
    log->Write(L"exit code " + std::to_wstring(code));
    return code;
}

} // namespace unattended
