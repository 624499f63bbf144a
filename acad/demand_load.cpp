// Demand-load registration: the entries decided in demand_load_entries written below every
// product key of every ticked release, each entry key written afresh.
#include "acad/acad_registry.h"

#include "acad/demand_load_entries.h"
#include "acad/write_failures.h"
#include "core/build_constants.h"
#include "framework/unique_handle.h"

namespace {

bool SetEntryValue(HKEY key, const acad::EntryValue& value) {
    if (value.kind == acad::EntryValueKind::Dword) {
        const DWORD number = value.number;
        return RegSetValueExA(key, value.name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number),
                              sizeof number) == ERROR_SUCCESS;
    }
    // The stated size counts the terminating NUL, as the registry's text type requires.
    return RegSetValueExA(key, value.name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.text.c_str()),
                          static_cast<DWORD>(value.text.size() + 1)) == ERROR_SUCCESS;
}

// False when the entry key or one of its values could not be written.
bool WriteEntry(HKEY productKey, const acad::DemandLoadEntry& entry) {
    // Deleting first drops whatever an earlier installation or another tool left in the key.
    // A key with sub-keys cannot be deleted; it is opened below and our values overwrite
    // their namesakes, the rest stays.
    static_cast<void>(RegDeleteKeyA(productKey, entry.keyName.c_str()));
    fw::unique_hkey key;
    if (RegCreateKeyA(productKey, entry.keyName.c_str(), key.put()) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const auto& value : entry.values) {
        if (!SetEntryValue(key.get(), value))
            written = false; // the next value is still attempted
    }
    return written;
}

} // namespace

int CAcadRegistry::RegisterAddIn(const acad::ReleaseTicks& ticks) {
    acad::WriteFailures failures(kWowPathsJoined);
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        if (ticks[static_cast<size_t>(k)] != 0)
            RegisterRelease(acad::ReleaseYear(k), failures);
    }
    // Every profile of the user trusts the install folder, whatever was ticked.
    return failures.Count() + AddTrustedPath();
}

void CAcadRegistry::RegisterRelease(int year, acad::WriteFailures& failures) {
    const int k = year - acad::kFirstYear;
    if (k < 0 || k >= acad::kReleaseCount)
        return;
    const CStringList& productKeys = m_arrProductKey[k];
    const CStringList& folders = m_arrLocation[k];
    // The scan fills both lists together; the second bound only guards that invariant.
    for (size_t i = 0; i < productKeys.size() && i < folders.size(); ++i) {
        const auto entries =
            acad::DemandLoadEntries(year, m_strInstallDir, folders[i], g_nTargetBits);
        fw::unique_hkey product;
        const bool opened =
            RegOpenKeyA(HKEY_LOCAL_MACHINE, productKeys[i].c_str(), product.put()) == ERROR_SUCCESS;
        for (size_t e = 0; e < entries.size(); ++e) {
            const auto& entry = entries[e];
            // An entry too long for its buffers is skipped, never written cut short; having
            // no name, it is known by its place in the list.
            if (!opened || !entry || !WriteEntry(product.get(), *entry))
                failures.AddEntry(productKeys[i], entry ? entry->keyName : "#" + std::to_string(e));
        }
    }
}
