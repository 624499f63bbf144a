#include "security/folder_dacl.h"

#include <cstdio>

namespace security {

std::vector<Grant> LockedFolderGrants() {
    return {{kSystem, kFullControl}, {kAdministrators, kFullControl}, {kUsers, kReadExecute}};
}

std::vector<Grant> PrivateFolderGrants(const std::wstring& runnerSid) {
    return {{kSystem, kFullControl}, {kAdministrators, kFullControl}, {runnerSid, kFullControl}};
}

std::wstring ProtectedDaclSddl(const std::vector<Grant>& grants) {
    std::wstring sddl = L"D:PAI";
    for (const Grant& grant : grants) {
        std::wstring rights = L"FA";
        if (grant.access != kFullControl) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%lx", grant.access);
            rights.assign(hex, hex + std::char_traits<char>::length(hex));
        }
        sddl += L"(A;OICI;" + rights + L";;;" + grant.trustee + L")";
    }
    return sddl;
}

} // namespace security
