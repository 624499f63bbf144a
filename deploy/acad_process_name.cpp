#include "deploy/acad_process_name.h"

#include "core/mbcs_text.h"

namespace deploy {

bool IsAcadProcessName(const std::string& exeName) {
    return core::FindText(core::UpperAscii(exeName), "ACAD.EXE") != std::string::npos;
}

} // namespace deploy
