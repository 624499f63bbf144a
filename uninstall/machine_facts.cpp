#include "uninstall/machine_facts.h"

#include "acad/acad_registry.h"
#include "core/build_constants.h"
#include "framework/text_convert.h"

namespace uninstall {

MachineFacts GatherMachineFacts(const std::wstring& installFolder) {
    MachineFacts facts{
        fw::Utf8FromWide(installFolder), {}, install::kOwnRegistryView, g_nTargetBits};
    // The scan the installation ran, run again: what it finds is what an installation
    // could have written to.
    CAcadRegistry found;
    found.ScanInstalledReleases();
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        const CStringList& keys = found.m_arrProductKey[k];
        const CStringList& folders = found.m_arrLocation[k];
        for (size_t i = 0; i < keys.size() && i < folders.size(); ++i)
            facts.products.push_back(
                {acad::ReleaseYear(k), fw::Utf8FromAnsi(keys[i]), fw::Utf8FromAnsi(folders[i])});
    }
    return facts;
}

} // namespace uninstall
