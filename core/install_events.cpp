#include "core/install_events.h"

#include <algorithm>

namespace core {

namespace {
std::vector<InstallListener*>& Listeners() {
    static std::vector<InstallListener*> listeners;
    return listeners;
}

template <typename Call> void TellAll(Call call) {
    for (InstallListener* listener : Listeners())
        call(*listener);
}
} // namespace

void AddInstallListener(InstallListener* listener) {
    Listeners().push_back(listener);
}

void RemoveInstallListener(InstallListener* listener) {
    auto& listeners = Listeners();
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

void InstallEvents::FolderCreated(const std::string& path) {
    TellAll([&](InstallListener& l) { l.FolderCreated(path); });
}

void InstallEvents::FileCopied(FileKind kind, const std::string& from, const std::string& to,
                               bool existed) {
    TellAll([&](InstallListener& l) { l.FileCopied(kind, from, to, existed); });
}

void InstallEvents::EntryKeyWritten(const std::string& key) {
    TellAll([&](InstallListener& l) { l.EntryKeyWritten(key); });
}

void InstallEvents::ValueWritten(const std::string& key, const std::string& name,
                                 const std::string& data) {
    TellAll([&](InstallListener& l) { l.ValueWritten(key, name, data); });
}

void InstallEvents::TrustedPathWritten(const std::wstring& variablesKey,
                                       const std::optional<StoredText>& before,
                                       const std::wstring& after, bool added) {
    TellAll([&](InstallListener& l) { l.TrustedPathWritten(variablesKey, before, after, added); });
}

void InstallEvents::Failed(const std::wstring& what, unsigned long error) {
    TellAll([&](InstallListener& l) { l.Failed(what, error); });
}

void InstallEvents::FilePlanned(FileKind kind, const std::string& to, bool exists) {
    TellAll([&](InstallListener& l) { l.FilePlanned(kind, to, exists); });
}

void InstallEvents::EntryKeyPlanned(const std::string& key) {
    TellAll([&](InstallListener& l) { l.EntryKeyPlanned(key); });
}

void InstallEvents::TrustedPathPlanned(const std::wstring& variablesKey,
                                       const std::optional<StoredText>& before,
                                       const std::wstring& after) {
    TellAll([&](InstallListener& l) { l.TrustedPathPlanned(variablesKey, before, after); });
}

void InstallEvents::StagePlanned() {
    TellAll([](InstallListener& l) { l.StagePlanned(); });
}

} // namespace core
