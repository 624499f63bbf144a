#include "security/folder_owner.h"

namespace security {

namespace {
// SID strings differ only in the letter case of their "S" prefix.
bool SameSid(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size() || a.empty())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] == L's' ? L'S' : a[i]) != (b[i] == L's' ? L'S' : b[i]))
            return false;
    return true;
}
} // namespace

bool IsTrustedOwner(const std::wstring& ownerSid, const std::wstring& runnerSid) {
    for (const wchar_t* trusted : {kSystemSid, kAdministratorsSid, kTrustedInstallerSid})
        if (SameSid(ownerSid, trusted))
            return true;
    return SameSid(ownerSid, runnerSid);
}

std::vector<std::wstring> LevelsAbove(const std::wstring& target) {
    std::vector<std::wstring> levels;
    for (size_t end = target.find(L'\\'); end != std::wstring::npos;
         end = target.find(L'\\', end + 1))
        levels.push_back(target.substr(0, end == 2 ? 3 : end));
    return levels;
}

std::wstring UnsafeFolderMessage(const std::wstring& folder) {
    return L"文件夹 " + folder +
           L" 属于其他用户，或无法设置其访问权限，\n\n"
           L"安装到此处会使其他用户能够更改本软件的文件。\n\n"
           L"请选择其他安装文件夹，或由管理员删除该文件夹后重新安装 !";
}

} // namespace security
