// Writes the install record while an installation runs: every step it hears becomes a line
// appended to "<install folder>\SetUp.record" and written through at once. Steps that come
// before the install folder exists wait in memory until it does.
#pragma once

#include "core/install_events.h"
#include "framework/unique_handle.h"

#include <string>

namespace uninstall {

class InstallRecordWriter : public core::InstallListener {
  public:
    explicit InstallRecordWriter(const std::string& installFolder);

    void FolderCreated(const std::string& path) override;
    void FileCopied(core::FileKind kind, const std::string& from, const std::string& to,
                    bool existed) override;
    void EntryKeyWritten(const std::string& key) override;
    void TrustedPathWritten(const std::wstring& variablesKey,
                            const std::optional<core::StoredText>& before,
                            const std::wstring& after, bool added) override;
    // The entry in the list of programs was written below root ("HKLM" or "HKCU").
    void Listed(const std::string& root);

  private:
    void Append(const std::string& line);

    std::wstring m_path;
    std::string m_pending;
    fw::unique_file m_file;
};

} // namespace uninstall
