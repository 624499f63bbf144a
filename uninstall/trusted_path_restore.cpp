#include "uninstall/trusted_path_restore.h"

#include "acad/trusted_path_merge.h"

namespace uninstall {

namespace {
bool Same(const core::StoredText& a, const core::StoredText& b) {
    return a.type == b.type && a.text == b.text;
}
} // namespace

TrustedPathsRestore RestoreTrustedPaths(const std::optional<core::StoredText>& current,
                                        const std::optional<core::StoredText>& before,
                                        const core::StoredText& written,
                                        const std::wstring& folder) {
    if (!current)
        return {}; // someone removed it since: nothing of ours is left
    if (Same(*current, written)) {
        if (before)
            return {RestoreAction::Write, *before};
        return {RestoreAction::Delete, {}};
    }
    if (before && acad::ListsTrustedFolder(before->text, folder))
        return {}; // trusted before the installation came
    std::wstring kept;
    bool dropped = false, first = true;
    for (size_t begin = 0;;) {
        const size_t end = current->text.find(L';', begin);
        const std::wstring entry =
            current->text.substr(begin, end == std::wstring::npos ? end : end - begin);
        if (acad::ListsTrustedFolder(entry, folder)) {
            dropped = true;
        } else {
            kept += (first ? L"" : L";") + entry;
            first = false;
        }
        if (end == std::wstring::npos)
            break;
        begin = end + 1;
    }
    if (!dropped)
        return {};
    return {RestoreAction::Write, {current->type, kept}};
}

} // namespace uninstall
