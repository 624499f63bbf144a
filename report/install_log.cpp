#include "report/install_log.h"

#include "framework/no_link_file.h"
#include "framework/text_convert.h"

#include <windows.h>

#include <cstdio>

namespace report {

std::string FormatLogLine(int year, int month, int day, int hour, int minute, int second,
                          const std::wstring& text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", year, month, day, hour,
                  minute, second);
    return stamp + fw::Utf8FromWide(text);
}

std::unique_ptr<InstallLog> InstallLog::Create(const std::wstring& path) {
    // A link named as the log is refused: an administrator's run would otherwise replace
    // whatever it points to.
    fw::unique_file file = fw::OpenWithoutFollowing(path, GENERIC_WRITE, FILE_SHARE_READ, true);
    if (!file)
        return nullptr;
    return std::unique_ptr<InstallLog>(new InstallLog(std::move(file)));
}

std::unique_ptr<InstallLog> InstallLog::Discarding() {
    return std::unique_ptr<InstallLog>(new InstallLog());
}

void InstallLog::Write(const std::wstring& text) {
    if (!m_file)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string line =
        FormatLogLine(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, text) +
        "\r\n";
    DWORD written = 0;
    WriteFile(m_file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(m_file.get());
}

} // namespace report
