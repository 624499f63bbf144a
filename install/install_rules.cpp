#include "install/install_rules.h"

#include "core/bounded_format.h"
#include "core/mbcs_text.h"
#include "picker/folder_path.h"

namespace install {

std::string MakeInstallFolder(const std::string& folderText) {
    std::string folder = folderText;
    core::StripTrailingBackslash(folder);
    return folder + "\\" + kInstallFolderName;
}

std::string CurrentFolderText(const std::optional<std::string>& installFolder) {
    if (installFolder) {
        const size_t cut = core::FindLastBackslash(*installFolder);
        const std::string text = installFolder->substr(0, cut);
        if (cut != std::string::npos && IsInstallableFolderText(text) &&
            core::EqualsNoCase(MakeInstallFolder(text), *installFolder))
            return text;
    }
    return kDefaultFolderText;
}

bool IsInstallableFolderText(const std::string& folderText) {
    const std::string installFolder = MakeInstallFolder(folderText);
    // testOnly: the rules look at the text alone and touch nothing.
    return CheckFolderPath(installFolder, true, FolderActions{}) == FolderPathOk &&
           core::FormatPath("%s\\%s", installFolder.c_str(), kLongestInstalledName).has_value();
}

std::wstring WriteFailureWarning(int failures) {
    return L"有 " + std::to_wstring(failures) +
           L" 项AutoCAD注册信息或支持文件未能写入，可能原因如下：\n\n1、AutoCAD未关闭\n\n"
           L"2、系统权限未开放，请以管理员身份运行SetUp.exe后重新安装";
}

} // namespace install
