// What an installation does, told as it happens to whoever listens: the log of an unattended
// install and the install record that the uninstaller reads. Nobody listens in a plain run
// of the dialog unless the install command attaches a listener; a step that emits an event
// never depends on whether anyone listens.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace core {

// A registry text as it was stored: its type (REG_SZ 1, REG_EXPAND_SZ 2) and its text.
struct StoredText {
    unsigned long type;
    std::wstring text;
};

enum class FileKind {
    Package,  // a package file copied into the install folder
    Settings, // the settings file in the user's settings folder
    Support,  // a font, library or driver file placed into an AutoCAD folder
    Kept,     // a file the installation keeps beside the package (the installer, settings)
};

// Every member has an empty default: a listener overrides what it needs. Paths and registry
// key paths are 8-bit text in the ANSI code page, as the installation uses them; trusted
// paths are UTF-16, as the registry holds them.
class InstallListener {
  public:
    virtual ~InstallListener() = default;
    // A folder that did not exist before and was created by the installation.
    virtual void FolderCreated(const std::string& /*path*/) {}
    // A file written; existed: a file of that name was there before and was replaced.
    virtual void FileCopied(FileKind /*kind*/, const std::string& /*from*/,
                            const std::string& /*to*/, bool /*existed*/) {}
    // A registry key written below HKEY_LOCAL_MACHINE (a demand-load entry key), as the
    // installing process reaches it.
    virtual void EntryKeyWritten(const std::string& /*key*/) {}
    // A value written into such a key; data as text (a number in decimal).
    virtual void ValueWritten(const std::string& /*key*/, const std::string& /*name*/,
                              const std::string& /*data*/) {}
    // A profile's TRUSTEDPATHS below HKEY_CURRENT_USER (the key path relative to it): before
    // is the value as it was (none when absent); after keeps before's type; added is false
    // when the folder was already trusted.
    virtual void TrustedPathWritten(const std::wstring& /*variablesKey*/,
                                    const std::optional<StoredText>& /*before*/,
                                    const std::wstring& /*after*/, bool /*added*/) {}
    // Something that could not be done, in words with its path, and the Win32 error code.
    virtual void Failed(const std::wstring& /*what*/, unsigned long /*error*/) {}

    // Before a stage writes anything, what it may write, then StagePlanned: the install
    // record keeps the whole stage in one write, on disk before the stage's first change, so
    // that an installation cut off half-way can still be removed. Planned but not done is
    // harmless there: what is not there counts as removed.
    virtual void FilePlanned(FileKind /*kind*/, const std::string& /*to*/, bool /*exists*/) {}
    virtual void EntryKeyPlanned(const std::string& /*key*/) {}
    virtual void TrustedPathPlanned(const std::wstring& /*variablesKey*/,
                                    const std::optional<StoredText>& /*before*/,
                                    const std::wstring& /*after*/) {}
    virtual void StagePlanned() {}
};

// The listeners of this process; the install command adds them for one installation.
void AddInstallListener(InstallListener* listener);
void RemoveInstallListener(InstallListener* listener);

// Tells every listener. Each function mirrors one member above.
struct InstallEvents {
    static void FolderCreated(const std::string& path);
    static void FileCopied(FileKind kind, const std::string& from, const std::string& to,
                           bool existed);
    static void EntryKeyWritten(const std::string& key);
    static void ValueWritten(const std::string& key, const std::string& name,
                             const std::string& data);
    static void TrustedPathWritten(const std::wstring& variablesKey,
                                   const std::optional<StoredText>& before,
                                   const std::wstring& after, bool added);
    static void Failed(const std::wstring& what, unsigned long error);
    static void FilePlanned(FileKind kind, const std::string& to, bool exists);
    static void EntryKeyPlanned(const std::string& key);
    static void TrustedPathPlanned(const std::wstring& variablesKey,
                                   const std::optional<StoredText>& before,
                                   const std::wstring& after);
    static void StagePlanned();
};

// While alive, listener hears the installation's events.
class ScopedInstallListener {
  public:
    explicit ScopedInstallListener(InstallListener& listener) : m_listener(listener) {
        AddInstallListener(&m_listener);
    }
    ~ScopedInstallListener() { RemoveInstallListener(&m_listener); }
    ScopedInstallListener(const ScopedInstallListener&) = delete;
    ScopedInstallListener& operator=(const ScopedInstallListener&) = delete;

  private:
    InstallListener& m_listener;
};

} // namespace core
