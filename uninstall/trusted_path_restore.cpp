#include "uninstall/trusted_path_restore.h"

#include "acad/trusted_path_merge.h"
#include "core/split_text.h"

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
    for (const std::wstring& entry : core::SplitAt(current->text, L';')) {
        if (acad::ListsTrustedFolder(entry, folder)) {
            dropped = true;
        } else {
            kept += (first ? L"" : L";") + entry;
            first = false;
        }
    }
    if (!dropped)
        return {};
    return {RestoreAction::Write, {current->type, kept}};
}

} // namespace uninstall
