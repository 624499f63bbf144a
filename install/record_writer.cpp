#include "install/record_writer.h"

#include "framework/text_convert.h"
#include "install/install_record.h"

#include <windows.h>

namespace uninstall {

namespace {
std::string Utf8(const std::string& ansi) {
    return fw::Utf8FromWide(fw::WideFromAnsi(ansi));
}
// The registry view that this process reaches without asking for another.
constexpr int kOwnView = sizeof(void*) == 4 ? 32 : 64;
} // namespace

InstallRecordWriter::InstallRecordWriter(const std::string& installFolder)
    : m_path(fw::WideFromAnsi(installFolder) + L"\\" + fw::WideFromAnsi(kRecordFileName)) {
    m_pending = InstallFolderLine(Utf8(installFolder));
}

void InstallRecordWriter::FolderCreated(const std::string& path) {
    Append(FolderLine(Utf8(path)));
}

void InstallRecordWriter::FileCopied(core::FileKind kind, const std::string&, const std::string& to,
                                     bool existed) {
    Append(FileLine(kind, Utf8(to), existed));
}

void InstallRecordWriter::EntryKeyWritten(const std::string& key) {
    Append(KeyLine(kOwnView, Utf8(key)));
}

void InstallRecordWriter::TrustedPathWritten(const std::wstring& variablesKey,
                                             const std::optional<core::StoredText>& before,
                                             const std::wstring& after, bool) {
    std::optional<RecordedText> was;
    if (before)
        was = RecordedText{before->type, fw::Utf8FromWide(before->text)};
    // An absent value is written as REG_SZ; a present one keeps its type.
    const RecordedText written{before ? before->type : REG_SZ, fw::Utf8FromWide(after)};
    Append(TrustedPathLine(fw::Utf8FromWide(variablesKey), was, written));
}

void InstallRecordWriter::Listed(const std::string& root) {
    Append(ListedLine(root));
}

void InstallRecordWriter::Append(const std::string& line) {
    m_pending += line;
    if (!m_file) {
        m_file.reset(CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!m_file)
            return; // the install folder is not there yet: kept until it is
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
        FlushFileBuffers(m_file.get());
        m_pending.clear();
    }
}

} // namespace uninstall
