#include "acad/acad_registry.h"

CAcadRegistry::CAcadRegistry() : m_strValueName("AcadLocation") {}
