// Turns what an installation does (the install events) into lines of the log.
#pragma once

#include "core/install_events.h"
#include "report/install_log.h"

#include <string>

namespace report {

// Writes a text of several lines (a message, the usage) as one log line each, empty ones left
// out.
void WriteLines(InstallLog& log, const std::wstring& text);

class LogListener : public core::InstallListener {
  public:
    explicit LogListener(InstallLog& log) : m_log(log) {}

    void FolderCreated(const std::string& path) override;
    void FileCopied(core::FileKind kind, const std::string& from, const std::string& to,
                    bool existed) override;
    void EntryKeyWritten(const std::string& key) override;
    void ValueWritten(const std::string& key, const std::string& name,
                      const std::string& data) override;
    void TrustedPathWritten(const std::wstring& variablesKey,
                            const std::optional<core::StoredText>& before,
                            const std::wstring& after, bool added) override;
    void Failed(const std::wstring& what, unsigned long error) override;

    int failuresSeen() const { return m_failures; }

  private:
    InstallLog& m_log;
    int m_failures = 0;
};

} // namespace report
