// libFuzzer targets for the pure functions that take outside input (registry text, typed
// folders, listing names, process names). One file, built once per target with
// -DFUZZ_TARGET=<function>; a property that does not hold aborts the run as a finding.
#include "acad/demand_load_entries.h"
#include "acad/release_years.h"
#include "acad/support_file_plan.h"
#include "acad/trusted_path_merge.h"
#include "core/bounded_format.h"
#include "core/mbcs_text.h"
#include "deploy/acad_process_name.h"
#include "deploy/package_plan.h"
#include "install/install_rules.h"
#include "picker/folder_path.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

#define CHECK(condition) ((condition) ? void() : std::abort())

using Fields = std::vector<std::string>;
constexpr size_t npos = std::string::npos;

// What a C string of the text holds: the functions under test format with "%s".
std::string CStr(const std::string& text) {
    return text.substr(0, text.find('\0'));
}
bool Fits(const std::optional<std::string>& path, const std::string& folder) {
    return !path || (path->size() < core::kPathBufferSize && path->rfind(CStr(folder), 0) == 0);
}
template <typename Text> std::vector<Text> Split(const Text& text, typename Text::value_type by) {
    std::vector<Text> parts(1);
    for (auto c : text)
        c == by ? void(parts.emplace_back()) : parts.back().push_back(c);
    return parts;
}
// Bytes from 0x80 up become CJK characters, so the wide text holds more than ASCII.
std::wstring Widen(const std::string& text) {
    std::wstring wide;
    for (unsigned char c : text)
        wide += static_cast<wchar_t>(c < 0x80 ? c : 0x4e00 + c);
    return wide;
}
std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        c = (c >= L'a' && c <= L'z') ? c - L'a' + L'A' : c;
    return text;
}

void Text(unsigned options, const Fields& f) {
    const std::string& a = f[0];
    std::string stripped = a;
    core::StripTrailingBackslash(stripped);
    CHECK(stripped == a || stripped + "\\" == a);
    CHECK(core::UpperAscii(a).size() == a.size() && core::EqualsNoCase(a, core::UpperAscii(a)));
    const size_t found = core::FindText(a, f[1], options % 8);
    CHECK(found == npos || (found >= options % 8 && a.compare(found, f[1].size(), f[1]) == 0));
    const size_t slash = core::FindLastBackslash(a);
    CHECK(slash == npos || a[slash] == '\\');
    static_cast<void>(deploy::IsAcadProcessName(a));
    const auto path = core::FormatPath("%s\\%s", a.c_str(), f[1].c_str());
    CHECK(path ? *path == CStr(a) + "\\" + CStr(f[1])
               : CStr(a).size() + 1 + CStr(f[1]).size() >= core::kPathBufferSize);
}

void Years(unsigned options, const Fields& f) {
    const int yearCount = 1 + static_cast<int>(options % acad::kReleaseCount);
    if (const auto k = acad::ClassifyProductName(f[0], yearCount))
        CHECK(*k < yearCount && core::FindText(f[0], std::to_string(acad::ReleaseYear(*k))) > 0);
    CHECK(!acad::IsAbsoluteFolder(f[0]) || f[0].size() >= 3);
}

// The properties the user's trust depends on: no entry lost, the folder listed exactly once.
void Merge(unsigned, const Fields& f) {
    const std::wstring current = Widen(f[0]), folder = Widen(f[1]);
    // The install rules let no ';' into a folder, and it never ends in a backslash.
    if (folder.empty() || folder.find(L';') != npos || folder.back() == L'\\')
        return;
    const std::wstring merged = acad::MergeTrustedPaths(current, folder);
    CHECK(acad::ListsTrustedFolder(merged, folder));
    // A second install adds nothing; it only upper-cases.
    CHECK(merged.size() < 3 || acad::MergeTrustedPaths(merged, folder) == Upper(merged));
    if (current.size() < 3)
        return CHECK(merged == folder);
    const auto before = Split(Upper(current), L';'), after = Split(merged, L';');
    CHECK(after.size() >= before.size() && std::equal(before.begin(), before.end(), after.begin()));
    const auto naming = std::count_if(after.begin(), after.end(), [&](const std::wstring& entry) {
        return acad::ListsTrustedFolder(entry, folder);
    });
    if (!acad::ListsTrustedFolder(current, folder))
        CHECK(after.size() == before.size() + 1 && naming == 1);
    else
        CHECK(after.size() == before.size());
}

void Entries(unsigned options, const Fields& f) {
    const int year = 2000 + static_cast<int>(options % 40);
    for (const auto& entry : acad::DemandLoadEntries(year, f[0], f[1], options & 64 ? 64 : 32)) {
        if (!entry)
            continue;
        CHECK(entry->keyName.size() < core::kPathBufferSize);
        for (const auto& value : entry->values)
            CHECK(value.kind != acad::EntryValueKind::String || Fits(value.text, f[0]) ||
                  Fits(value.text, f[1]));
    }
}

void Plans(unsigned options, const Fields& f) {
    for (const auto& copy : acad::PlanSupportFiles(f[0], f[1], options & 1))
        CHECK(Fits(copy.source, f[0]) && Fits(copy.destination, f[1]));
    const auto paths = deploy::PlanFilePaths(
        f[0], options & 2 ? std::optional<std::string>(f[1]) : std::nullopt, f[2]);
    CHECK(Fits(paths.source, f[0]) && Fits(paths.destination, f[1]));
    CHECK(options & 2 || !paths.destination);
    static_cast<void>(deploy::PlaceOfEntry(f[2], options & 4));
    CHECK(Fits(deploy::ListingPattern(f[0]), f[0]));
}

// The picker's rules against an imagined disk that holds the drive C: and one file.
void Folders(unsigned options, const Fields& f) {
    std::map<std::string, FolderEntry> disk{{"C:\\", FolderEntry::Folder}};
    if (!f[1].empty())
        disk[f[1]] = FolderEntry::File;
    std::vector<std::string> created;
    FolderActions actions;
    actions.examine = [&](const std::string& path) {
        const auto found = disk.find(path);
        return found == disk.end() ? FolderEntry::Missing : found->second;
    };
    actions.createFolder = [&](const std::string& path) {
        const size_t slash = path.rfind('\\');
        const std::string parent = path.substr(0, slash == 2 ? 3 : slash);
        created.push_back(path);
        if (actions.examine(parent) == FolderEntry::Folder && !disk.count(path))
            disk[path] = FolderEntry::Folder;
    };
    actions.tell = [&](FolderMessage, const std::string&) { return (options & 1) != 0; };
    const std::string text = CStr(f[0]);
    const bool valid = CheckFolderPath(text, true, {}) == FolderPathOk; // touches nothing
    const FolderPathResult result = AcceptFolderPath(f[0], actions);
    CHECK(valid || (result == FolderPathInvalid && created.empty()));
    CHECK(!valid || (text.size() < core::kPathBufferSize && text.find(';') == npos));
    CHECK(result != FolderPathOk || actions.examine(text) == FolderEntry::Folder);
    for (const std::string& level : created)
        CHECK(text.rfind(level, 0) == 0 &&
              (level.size() == text.size() || text[level.size()] == '\\'));
}

// An accepted folder loses no demand-load entry of any release to the path limit.
void Install(unsigned, const Fields& f) {
    if (!install::IsInstallableFolderText(f[0]))
        return;
    const std::string folder = install::MakeInstallFolder(f[0]);
    CHECK(CheckFolderPath(folder, true, {}) == FolderPathOk);
    for (int year = acad::kFirstYear; year < acad::kFirstYear + acad::kReleaseCount; ++year) {
        for (int bits : {32, 64}) {
            const auto entries = acad::DemandLoadEntries(year, folder, "C:\\A", bits);
            CHECK(std::all_of(entries.begin(), entries.end(),
                              [](const auto& e) { return e.has_value(); }));
        }
    }
}

} // namespace

// The first byte picks options (bit 7: the code page 936 lead-byte rule, else single bytes);
// the rest is '\n'-separated fields.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    core::SetLeadByteRule(data[0] & 0x80 ? core::IsCp936LeadByte
                                         : [](unsigned char) { return false; });
    Fields fields = Split(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), '\n');
    fields.resize(std::max<size_t>(fields.size(), 3));
    FUZZ_TARGET(data[0] & 0x7f, fields);
    return 0;
}
