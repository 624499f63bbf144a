// Demand-load registration: the entries decided in demand_load_entries written below every
// product key of every ticked release, each entry key written afresh.
#include "acad/acad_registry.h"

#include "acad/demand_load_entries.h"
#include "acad/write_failures.h"
#include "core/build_constants.h"
#include "core/install_events.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"

namespace {

LONG SetEntryValue(HKEY key, const acad::EntryValue& value) {
    if (value.kind == acad::EntryValueKind::Dword) {
        const DWORD number = value.number;
        return RegSetValueExA(key, value.name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    // The stated size counts the terminating NUL, as the registry's text type requires.
    return RegSetValueExA(key, value.name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.text.c_str()),
                          static_cast<DWORD>(value.text.size() + 1));
}

// False when the entry key or one of its values could not be written. keyPath names the
// product key for those who listen.
bool WriteEntry(HKEY productKey, const std::string& keyPath, const acad::DemandLoadEntry& entry) {
    // Deleting first drops whatever an earlier installation or another tool left in the key.
    // A key with sub-keys cannot be deleted; it is opened below and our values overwrite
    // their namesakes, the rest stays.
    static_cast<void>(RegDeleteKeyA(productKey, entry.keyName.c_str()));
    const std::string entryPath = keyPath + entry.keyName;
    fw::unique_hkey key;
    if (const LONG error = RegCreateKeyA(productKey, entry.keyName.c_str(), key.put())) {
        core::InstallEvents::Failed(fw::WideFromAnsi("create HKEY_LOCAL_MACHINE\\" + entryPath),
                                    static_cast<unsigned long>(error));
        return false;
    }
    core::InstallEvents::EntryKeyWritten(entryPath);
    bool written = true;
    for (const auto& value : entry.values) {
        const std::string data =
            value.kind == acad::EntryValueKind::Dword ? std::to_string(value.number) : value.text;
        if (const LONG error = SetEntryValue(key.get(), value)) {
            core::InstallEvents::Failed(
                fw::WideFromAnsi("set HKEY_LOCAL_MACHINE\\" + entryPath + " " + value.name),
                static_cast<unsigned long>(error));
            written = false; // the next value is still attempted
        } else {
            core::InstallEvents::ValueWritten(entryPath, value.name, data);
        }
    }
    return written;
}

} // namespace

int CAcadRegistry::RegisterAddIn(const acad::ReleaseTicks& ticks,
                                 const std::string& installFolder) {
    acad::WriteFailures failures(kWowPathsJoined);
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        if (ticks[static_cast<size_t>(k)] != 0)
            RegisterRelease(acad::ReleaseYear(k), installFolder, failures);
    }
    // Every profile of the user trusts the install folder, whatever was ticked.
    return failures.Count() + AddTrustedPath(fw::WideFromAnsi(installFolder));
}

void CAcadRegistry::RegisterRelease(int year, const std::string& installFolder,
                                    acad::WriteFailures& failures) {
    const int k = year - acad::kFirstYear;
    if (k < 0 || k >= acad::kReleaseCount)
        return;
    const CStringList& productKeys = m_arrProductKey[k];
    const CStringList& folders = m_arrLocation[k];
    // The scan fills both lists together; the second bound only guards that invariant.
    for (size_t i = 0; i < productKeys.size() && i < folders.size(); ++i) {
        const auto entries =
            acad::DemandLoadEntries(year, installFolder, folders[i], g_nTargetBits);
        fw::unique_hkey product;
        const LONG openError =
            RegOpenKeyA(HKEY_LOCAL_MACHINE, productKeys[i].c_str(), product.put());
        const bool opened = openError == ERROR_SUCCESS;
        if (!opened)
            core::InstallEvents::Failed(
                fw::WideFromAnsi("open HKEY_LOCAL_MACHINE\\" + productKeys[i]),
                static_cast<unsigned long>(openError));
        for (size_t e = 0; e < entries.size(); ++e) {
            const auto& entry = entries[e];
            // An entry too long for its buffers is skipped, never written cut short; having
            // no name, it is known by its place in the list.
            if (!opened || !entry || !WriteEntry(product.get(), productKeys[i], *entry))
                failures.AddEntry(productKeys[i], entry ? entry->keyName : "#" + std::to_string(e));
        }
    }
}
