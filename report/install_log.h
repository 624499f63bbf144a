// The log of an unattended run: a UTF-8 file, one line per action, each with the local time.
#pragma once

#include "framework/unique_handle.h"

#include <memory>
#include <string>

namespace report {

// "2026-12-07 01:02:03 text": the line as the log holds it, without its line break.
std::string FormatLogLine(int year, int month, int day, int hour, int minute, int second,
                          const std::wstring& text);

class InstallLog {
  public:
    // The log at path, created anew (an older one is replaced); nullptr when it cannot be,
    // a link there included.
    static std::unique_ptr<InstallLog> Create(const std::wstring& path);
    // A log that keeps nothing: for runs without /LOG=.
    static std::unique_ptr<InstallLog> Discarding();
    // Appends one line and writes it through, so that a crash keeps what was logged.
    void Write(const std::wstring& text);

  private:
    InstallLog() = default;
    explicit InstallLog(fw::unique_file file) : m_file(std::move(file)) {}
    fw::unique_file m_file;
};

} // namespace report
