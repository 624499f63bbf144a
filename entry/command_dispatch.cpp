#include "entry/command_dispatch.h"

#include "app/setup_rules.h"
#include "core/build_constants.h"
#include "deploy/setup_messages.h"
#include "framework/error_text.h"
#include "framework/text_convert.h"
#include "entry/command_line.h"
#include "entry/parent_console.h"
#include "entry/usage_text.h"
#include "report/exit_codes.h"
#include "report/install_log.h"
#include "report/log_listener.h"
#include "silent/silent_install.h"
#include "uninstall/uninstall_command.h"
#include "userpart/user_part.h"

#include <windows.h>

#include <exception>

namespace entry {

namespace {

// Tells a silent run's caller on the console, an interactive one in a message box.
void Tell(const CommandLine& command, const std::wstring& text) {
    if (command.silent)
        WriteToParentConsole(text);
    else
        ShowSetupMessage(text);
}

std::unique_ptr<report::InstallLog> OpenLog(const CommandLine& command) {
    if (!command.logPath)
        return report::InstallLog::Discarding();
    std::unique_ptr<report::InstallLog> log = report::InstallLog::Create(*command.logPath);
    if (!log)
        Tell(command, L"无法创建日志文件：" + *command.logPath + L"\n（错误 " +
                          fw::ErrorText(GetLastError()) + L"）");
    return log;
}

void LogStart(report::InstallLog& log) {
    log.Write(app::FormatTitle(g_nVersion) + L" " + app::FormatEdition(g_nTargetBits) +
              L", command line: " + GetCommandLineW());
}

} // namespace

int RunCommandLine(CAcadRegistry& registry, const std::function<int()>& runDialog) {
    const std::wstring arguments = ArgumentsOf(GetCommandLineW());
    const CommandLine command = ParseCommandLine(arguments);
    switch (command.action) {
    case Action::Uninstall:
        return uninstall::RunUninstall(arguments, command.silent, command.logPath);
    case Action::UserPart:
        return userpart::RunUserPart(registry, command.logPath);
    case Action::Dialog:
        if (!command.logPath)
            return runDialog(); // exactly the program without a command line
        break;
    case Action::Usage:
    case Action::Install:
        break;
    }
    const std::unique_ptr<report::InstallLog> log = OpenLog(command);
    if (!log)
        return report::kExitBadCommandLine;
    LogStart(*log);
    int code = report::kExitDone;
    try {
        if (command.action == Action::Usage) {
            const std::wstring usage = UsageText(command.problem);
            report::WriteLines(*log, usage);
            Tell(command, usage);
            code = report::kExitBadCommandLine;
        } else if (command.action == Action::Install) {
            code = silent::RunSilentInstall(registry, command.folder, command.years, *log);
        } else {
            report::LogListener listener(*log);
            const core::ScopedInstallListener listening(listener);
            code = runDialog();
        }
    } catch (const std::exception& error) {
        log->Write(L"internal error: " + fw::WideFromAnsi(error.what()));
        code = report::kExitInternalError;
    } catch (...) {
        log->Write(L"internal error: an unknown exception");
        code = report::kExitInternalError;
    }
    log->Write(L"exit code " + std::to_wstring(code));
    return code;
}

} // namespace entry
