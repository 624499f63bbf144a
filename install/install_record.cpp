#include "install/install_record.h"

#include "core/split_text.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace install {

namespace {

// The characters that would break a line into fields or lines, and the escape itself.
std::string Escape(const std::string& field) {
    std::string out;
    for (const char c : field) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r' || c == '\0') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size() || !std::isxdigit(static_cast<unsigned char>(field[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(field[i + 2])))
            return std::nullopt;
        unsigned value = 0;
        std::from_chars(field.data() + i + 1, field.data() + i + 3, value, 16);
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

std::string Checksum(const std::string& text) { // FNV-1a, 32 bits
    std::uint32_t hash = 2166136261u;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
    return hex;
}

const char* KindName(core::FileKind kind) {
    switch (kind) {
    case core::FileKind::Package:
        return "package";
    case core::FileKind::Settings:
        return "settings";
    case core::FileKind::Support:
        return "support";
    case core::FileKind::Kept:
        break;
    }
    return "kept";
}

std::optional<core::FileKind> KindOf(const std::string& name) {
    for (core::FileKind kind : {core::FileKind::Package, core::FileKind::Settings,
                                core::FileKind::Support, core::FileKind::Kept}) {
        if (name == KindName(kind))
            return kind;
    }
    return std::nullopt;
}

std::optional<RecordedText> TextOf(const std::string& type, const std::string& text) {
    if (type != "1" && type != "2")
        return std::nullopt;
    return RecordedText{type == "1" ? 1ul : 2ul, text};
}

void AddFolder(std::vector<std::string>& folders, const std::string& path) {
    if (std::none_of(folders.begin(), folders.end(),
                     [&](const std::string& f) { return SamePath(f, path); }))
        folders.push_back(path);
}

// Folds one parsed line into the record; a line of unknown shape changes nothing.
void Apply(InstallRecord& record, const std::vector<std::string>& f) {
    const std::string& tag = f[0];
    if (tag == "install" && f.size() == 2) {
        // A record taken over names an earlier installation before this one's.
        if (!record.installFolder.empty() && !SamePath(record.installFolder, f[1]))
            AddFolder(record.earlierFolders, record.installFolder);
        auto& earlier = record.earlierFolders;
        earlier.erase(std::remove_if(earlier.begin(), earlier.end(),
                                     [&](const std::string& e) { return SamePath(e, f[1]); }),
                      earlier.end());
        record.installFolder = f[1];
    } else if (tag == "folder" && f.size() == 2) {
        AddFolder(record.folders, f[1]);
    } else if (tag == "file" && f.size() == 4 && KindOf(f[1]) && (f[2] == "0" || f[2] == "1")) {
        const bool known =
            std::any_of(record.files.begin(), record.files.end(),
                        [&](const RecordedFile& r) { return SamePath(r.path, f[3]); });
        if (!known) // the first run that wrote the file knows whether it was there before
            record.files.push_back({*KindOf(f[1]), f[3], f[2] == "1"});
    } else if (tag == "key" && f.size() == 3 && (f[1] == "32" || f[1] == "64")) {
        const int view = f[1] == "32" ? 32 : 64;
        const bool known = std::any_of(record.keys.begin(), record.keys.end(), [&](const auto& k) {
            return k.view == view && SamePath(k.path, f[2]);
        });
        if (!known)
            record.keys.push_back({view, f[2]});
    } else if (tag == "trusted" && f.size() == 6) {
        const std::optional<RecordedText> written = TextOf(f[4], f[5]);
        const std::optional<RecordedText> before = TextOf(f[2], f[3]);
        if (!written || (!before && f[2] != "-"))
            return;
        for (auto& t : record.trustedPaths) {
            if (SamePath(t.variablesKey, f[1])) {
                t.written = *written; // the first "before" stays
                return;
            }
        }
        record.trustedPaths.push_back({f[1], before, *written});
    } else if (tag == "listed" && f.size() == 2 && (f[1] == "HKLM" || f[1] == "HKCU")) {
        record.listedUnder = f[1];
    }
}

} // namespace

bool SamePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
               return lower(x) == lower(y);
           });
}

std::string RecordLine(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields)
        line += Escape(field) + "\t";
    return line + Checksum(line) + "\n";
}

std::optional<std::vector<std::string>> ParseRecordLine(const std::string& line) {
    const size_t last = line.rfind('\t');
    if (line.empty() || line.back() != '\n' || last == std::string::npos)
        return std::nullopt;
    std::string sum = line.substr(last + 1);
    sum.pop_back(); // the line break
    if (!sum.empty() && sum.back() == '\r')
        sum.pop_back();
    if (sum != Checksum(line.substr(0, last + 1)))
        return std::nullopt;
    std::vector<std::string> fields;
    for (const std::string& part : core::SplitAt(line.substr(0, last), '\t')) {
        std::optional<std::string> field = Unescape(part);
        if (!field)
            return std::nullopt;
        fields.push_back(std::move(*field));
    }
    return fields;
}

std::string InstallFolderLine(const std::string& folder) {
    return RecordLine({"install", folder});
}
std::string FolderLine(const std::string& path) {
    return RecordLine({"folder", path});
}
std::string FileLine(core::FileKind kind, const std::string& path, bool existedBefore) {
    return RecordLine({"file", KindName(kind), existedBefore ? "1" : "0", path});
}
std::string KeyLine(int view, const std::string& path) {
    return RecordLine({"key", view == 32 ? "32" : "64", path});
}
std::string TrustedPathLine(const std::string& variablesKey,
                            const std::optional<RecordedText>& before,
                            const RecordedText& written) {
    return RecordLine({"trusted", variablesKey, before ? std::to_string(before->type) : "-",
                       before ? before->text : "", std::to_string(written.type), written.text});
}
std::string ListedLine(const std::string& root) {
    return RecordLine({"listed", root});
}

InstallRecord ReadInstallRecord(const std::string& content) {
    InstallRecord record;
    size_t begin = 0;
    while (begin < content.size()) {
        const size_t end = content.find('\n', begin);
        if (end == std::string::npos)
            break; // a torn last line
        if (const auto fields = ParseRecordLine(content.substr(begin, end + 1 - begin)))
            Apply(record, *fields);
        begin = end + 1;
    }
    return record;
}

std::string FormatInstallRecord(const InstallRecord& record) {
    std::string text;
    for (const auto& folder : record.earlierFolders)
        text += InstallFolderLine(folder);
    if (!record.installFolder.empty())
        text += InstallFolderLine(record.installFolder);
    for (const auto& folder : record.folders)
        text += FolderLine(folder);
    for (const auto& file : record.files)
        text += FileLine(file.kind, file.path, file.existedBefore);
    for (const auto& key : record.keys)
        text += KeyLine(key.view, key.path);
    for (const auto& t : record.trustedPaths)
        text += TrustedPathLine(t.variablesKey, t.before, t.written);
    if (!record.listedUnder.empty())
        text += ListedLine(record.listedUnder);
    return text;
}

std::string TakeOverRecord(const std::string& earlierRecord, const std::string& installFolder) {
    const InstallRecord earlier = ReadInstallRecord(earlierRecord);
    if (earlier.installFolder.empty() || SamePath(earlier.installFolder, installFolder))
        return {};
    return FormatInstallRecord(earlier);
}

RemovalPlan PlanRemoval(const InstallRecord& record) {
    RemovalPlan plan;
    for (const auto& file : record.files) {
        const bool ours = file.kind == core::FileKind::Package ||
                          file.kind == core::FileKind::Kept ||
                          (file.kind == core::FileKind::Support && !file.existedBefore);
        if (ours)
            (file.kind == core::FileKind::Kept ? plan.keptFiles : plan.files).push_back(file);
    }
    plan.folders = record.folders;
    for (const auto& folder : record.earlierFolders) {
        plan.keptFiles.push_back({core::FileKind::Kept, folder + "\\" + kRecordFileName, false});
        AddFolder(plan.folders, folder);
    }
    if (!record.installFolder.empty())
        AddFolder(plan.folders, record.installFolder);
    // A folder's path is longer than its parent's: the longest go first.
    std::stable_sort(
        plan.folders.begin(), plan.folders.end(),
        [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return plan;
}

} // namespace install
