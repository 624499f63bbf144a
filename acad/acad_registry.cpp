#include "acad/acad_registry.h"

CAcadRegistry::CAcadRegistry() : m_strValueName("AcadLocation") {}

void CAcadRegistry::SetInstallDir(std::string folder) {
    m_strInstallDir = std::move(folder);
    if (!m_strInstallDir.empty() && m_strInstallDir.back() == '\\')
        m_strInstallDir.pop_back();
}
