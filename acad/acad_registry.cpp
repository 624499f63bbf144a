#include "acad/acad_registry.h"

#include "core/mbcs_text.h"

CAcadRegistry::CAcadRegistry() : m_strValueName("AcadLocation") {}

void CAcadRegistry::SetInstallDir(std::string folder) {
    core::StripTrailingBackslash(folder);
    m_strInstallDir = std::move(folder);
}
