#include "deploy/package_plan.h"

#include "core/bounded_format.h"
#include "core/mbcs_text.h"

namespace deploy {

namespace {

// The installer itself (present in a flat package), the two shape fonts and the plot-driver
// file; the support-file step places the last three into AutoCAD's own folders.
const char* const kNotCopiedNames[] = {"SetUp.EXE", "Vornik_EN.shx", "Vornik_HZ.shx",
                                       "Vornik.prt5"};
const char* const kSettingsFileName = "Vornik.Ini";

bool IsNotCopiedName(const std::string& name) {
    for (const char* skipped : kNotCopiedNames) {
        if (core::EqualsNoCase(name, skipped))
            return true;
    }
    return false;
}

} // namespace

EntryPlace PlaceOfEntry(const std::string& name, bool isFolder) {
    if (name == "." || name == ".." || isFolder || IsNotCopiedName(name))
        return EntryPlace::NotCopied;
    if (core::EqualsNoCase(name, kSettingsFileName))
        return EntryPlace::SettingsFolder;
    return EntryPlace::InstallFolder;
}

bool AppDataFits(unsigned long reportedLength) {
    return reportedLength > 0 && reportedLength < core::kPathBufferSize;
}

FilePaths PlanFilePaths(const std::string& packageFolder,
                        const std::optional<std::string>& destinationFolder,
                        const std::string& name) {
    FilePaths paths;
    paths.source = core::FormatPath("%s\\%s", packageFolder.c_str(), name.c_str());
    if (destinationFolder)
        paths.destination = core::FormatPath("%s\\%s", destinationFolder->c_str(), name.c_str());
    return paths;
}

std::optional<std::string> ListingPattern(const std::string& packageFolder) {
    return core::FormatPath("%s\\*.*", packageFolder.c_str());
}

std::wstring CopyFailureText(const std::wstring& destination) {
    return L"拷贝文件 " + destination +
           L" 失败，可能原因如下：\n\n1、AutoCAD未关闭\n\n2、系统权限未开放，请以管理者权限登陆系"
           L"统";
}

} // namespace deploy
