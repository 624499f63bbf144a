#include "install/record_writer.h"

#include "framework/no_link_file.h"
#include "framework/text_convert.h"
#include "install/install_record.h"

#include <windows.h>

namespace install {

InstallRecordWriter::InstallRecordWriter(const std::string& installFolder,
                                         const std::string& takenOver)
    : m_path(fw::WideFromAnsi(installFolder) + L"\\" + fw::WideFromAnsi(kRecordFileName)) {
    m_pending = takenOver + InstallFolderLine(fw::Utf8FromAnsi(installFolder));
}

void InstallRecordWriter::FolderCreated(const std::string& path) {
    m_pending += FolderLine(fw::Utf8FromAnsi(path));
}

void InstallRecordWriter::FilePlanned(core::FileKind kind, const std::string& to, bool exists) {
    m_pending += FileLine(kind, fw::Utf8FromAnsi(to), exists);
}

void InstallRecordWriter::EntryKeyPlanned(const std::string& key) {
    m_pending += KeyLine(kOwnRegistryView, fw::Utf8FromAnsi(key));
}

void InstallRecordWriter::TrustedPathPlanned(const std::wstring& variablesKey,
                                             const std::optional<core::StoredText>& before,
                                             const std::wstring& after) {
    std::optional<RecordedText> was;
    if (before)
        was = RecordedText{before->type, fw::Utf8FromWide(before->text)};
    // An absent value is written as REG_SZ; a present one keeps its type.
    const RecordedText written{before ? before->type : REG_SZ, fw::Utf8FromWide(after)};
    m_pending += TrustedPathLine(fw::Utf8FromWide(variablesKey), was, written);
}

void InstallRecordWriter::Listed(const std::string& root) {
    m_pending += ListedLine(root);
    Write();
}

void InstallRecordWriter::Write() {
    if (m_pending.empty())
        return;
    if (!m_file) {
        m_file =
            fw::OpenWithoutFollowing(m_path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, false);
        if (!m_file)
            return; // the install folder is not there yet (or a link is): kept until it is
        // A line torn off by an earlier crash stays a line of its own, which reading ignores.
        LARGE_INTEGER size{};
        char last = '\n';
        DWORD read = 0;
        if (GetFileSizeEx(m_file.get(), &size) && size.QuadPart > 0) {
            LARGE_INTEGER back{};
            back.QuadPart = -1;
            SetFilePointerEx(m_file.get(), back, nullptr, FILE_END);
            ReadFile(m_file.get(), &last, 1, &read, nullptr);
        }
        if (last != '\n')
            m_pending.insert(0, "\n");
    }
    LARGE_INTEGER zero{};
    SetFilePointerEx(m_file.get(), zero, nullptr, FILE_END);
    DWORD written = 0;
    if (WriteFile(m_file.get(), m_pending.data(), static_cast<DWORD>(m_pending.size()), &written,
                  nullptr) &&
        written == m_pending.size()) {
        // Flushed once, before the copy, while nothing else of ours waits to be written: a
        // flush after the copy would write out all the copied files with it (and on Windows
        // flush the disk's cache), making the installation several times slower than the
        // copy alone. What is written later is in the system's cache at once and outlives a
        // crash or a kill of this process.
        if (!m_flushed)
            FlushFileBuffers(m_file.get());
        m_flushed = true;
        m_pending.clear();
    }
}

} // namespace install
