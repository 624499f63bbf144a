// The install record: what an installation created and changed, kept as "SetUp.record" in
// the install folder so that the uninstaller removes exactly that. One fact a line, UTF-8,
// appended as the installation goes; each line carries a checksum, so that a line cut off by
// a crash (or damaged) is known and ignored, never read as a shorter path. Installing again
// appends to the same record; reading folds the lines so that what an earlier run created
// stays recorded as created. An installation into another folder takes over the record of
// the one before it, so that one uninstall removes both.
#pragma once

#include "core/install_events.h"

#include <optional>
#include <string>
#include <vector>

namespace install {

constexpr const char* kRecordFileName = "SetUp.record";

// Text as the registry held it: its type (REG_SZ 1, REG_EXPAND_SZ 2) and its UTF-8 text,
// embedded NULs included.
struct RecordedText {
    unsigned long type = 1;
    std::string text;
    bool operator==(const RecordedText& o) const { return type == o.type && text == o.text; }
};

struct RecordedFile {
    core::FileKind kind;
    std::string path;
    bool existedBefore; // a file of that name was there before the first run that wrote it
};

struct RecordedKey {
    int view;         // the registry view the installing process reached: 32 or 64
    std::string path; // below HKEY_LOCAL_MACHINE
};

struct RecordedTrustedPath {
    std::string variablesKey;           // below HKEY_CURRENT_USER
    std::optional<RecordedText> before; // as the first run found it; none: absent
    RecordedText written;               // as the last run wrote it
};

// Every path is UTF-8; comparisons ignore the case of ASCII letters.
struct InstallRecord {
    std::string installFolder;               // the last installation's
    std::vector<std::string> earlierFolders; // the install folders of those it took over
    std::vector<std::string> folders;        // created, in the order they were
    std::vector<RecordedFile> files;
    std::vector<RecordedKey> keys;
    std::vector<RecordedTrustedPath> trustedPaths;
    std::string listedUnder; // "HKLM" or "HKCU": the list-of-programs entry; empty: none
};

// One line of the record (with its line break) from its fields, and back: nullopt for a line
// that is cut short, damaged or not ours.
std::string RecordLine(const std::vector<std::string>& fields);
std::optional<std::vector<std::string>> ParseRecordLine(const std::string& line);

// The lines of each fact.
std::string InstallFolderLine(const std::string& folder);
std::string FolderLine(const std::string& path);
std::string FileLine(core::FileKind kind, const std::string& path, bool existedBefore);
std::string KeyLine(int view, const std::string& path);
// The registry view that this process reaches without asking for another: the view of the
// keys it writes, and of the product keys its scan finds.
constexpr int kOwnRegistryView = sizeof(void*) == 4 ? 32 : 64;
std::string TrustedPathLine(const std::string& variablesKey,
                            const std::optional<RecordedText>& before, const RecordedText& written);
std::string ListedLine(const std::string& root);

// The record's facts, merged: a file keeps its first "existed before", a profile its first
// "before" and its last written value; a fact named twice counts once. Lines that cannot be
// read are skipped.
InstallRecord ReadInstallRecord(const std::string& content);
// The whole record anew, as ReadInstallRecord reads it back.
std::string FormatInstallRecord(const InstallRecord& record);

// What an installation into installFolder takes over of the record that the list of programs
// leads to (earlierRecord): its facts, to go before the new installation's lines, so that
// each "before" and "existed before" of the first run stays; nothing when it is the record of
// that same folder, which the installation appends to anyway.
std::string TakeOverRecord(const std::string& earlierRecord, const std::string& installFolder);

// What the uninstaller deletes: package and kept files, and support files that were not
// there before; never the settings file; the records of the installations taken over.
// Folders: the created ones and the install folders, deepest first, each removed only when
// it is empty by then.
struct RemovalPlan {
    std::vector<RecordedFile> files;     // while the kept installer may still run
    std::vector<RecordedFile> keptFiles; // once it has ended
    std::vector<std::string> folders;
};
RemovalPlan PlanRemoval(const InstallRecord& record);

// ASCII letters compared without regard to case.
bool SamePath(const std::string& a, const std::string& b);

} // namespace install
