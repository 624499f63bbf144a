// Writes the install record while an installation runs, ahead of it: what each stage plans
// becomes lines appended to "<install folder>\SetUp.record" in one write before the stage
// changes anything; the first of them, the package copy's, is also flushed to the disk.
// Folders made wait for the next stage; facts that come before the install folder exists
// wait in memory until it does.
#pragma once

#include "core/install_events.h"
#include "framework/unique_handle.h"

#include <string>

namespace install {

class InstallRecordWriter : public core::InstallListener {
  public:
    // takenOver: the lines of an earlier installation's record, which go first.
    InstallRecordWriter(const std::string& installFolder, const std::string& takenOver);

    void FolderCreated(const std::string& path) override;
    void FilePlanned(core::FileKind kind, const std::string& to, bool exists) override;
    void EntryKeyPlanned(const std::string& key) override;
    void TrustedPathPlanned(const std::wstring& variablesKey,
                            const std::optional<core::StoredText>& before,
                            const std::wstring& after) override;
    void StagePlanned() override { Write(); }
    // The entry in the list of programs is about to be written below root ("HKLM" or
    // "HKCU"): recorded at once.
    void Listed(const std::string& root);

  private:
    void Write();

    std::wstring m_path;
    std::string m_pending;
    bool m_flushed = false;
    fw::unique_file m_file;
};

} // namespace install
