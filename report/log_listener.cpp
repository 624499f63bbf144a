#include "report/log_listener.h"

#include "framework/error_text.h"
#include "framework/text_convert.h"

namespace report {

namespace {

const wchar_t* KindName(core::FileKind kind) {
    switch (kind) {
    case core::FileKind::Package:
        return L"package file";
    case core::FileKind::Settings:
        return L"settings file";
    case core::FileKind::Support:
        return L"support file";
    case core::FileKind::Kept:
        return L"kept file";
    }
    return L"file";
}

const std::wstring kMachine = L"HKEY_LOCAL_MACHINE\\";
const std::wstring kUser = L"HKEY_CURRENT_USER\\";

} // namespace

void WriteLines(InstallLog& log, const std::wstring& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            log.Write(text.substr(start, end - start));
        start = end + 1;
    }
}

void LogListener::FolderCreated(const std::string& path) {
    m_log.Write(L"folder created: " + fw::WideFromAnsi(path));
}

void LogListener::FileCopied(core::FileKind kind, const std::string& from, const std::string& to,
                             bool existed) {
    m_log.Write(std::wstring(KindName(kind)) + (existed ? L" replaced: " : L" copied: ") +
                fw::WideFromAnsi(from) + L" -> " + fw::WideFromAnsi(to));
}

void LogListener::EntryKeyWritten(const std::string& key) {
    m_log.Write(L"registry key written: " + kMachine + fw::WideFromAnsi(key));
}

void LogListener::ValueWritten(const std::string& key, const std::string& name,
                               const std::string& data) {
    m_log.Write(L"registry value written: " + kMachine + fw::WideFromAnsi(key) + L" " +
                fw::WideFromAnsi(name) + L" = " + fw::WideFromAnsi(data));
}

void LogListener::TrustedPathWritten(const std::wstring& variablesKey,
                                     const std::optional<core::StoredText>& before,
                                     const std::wstring& after, bool added) {
    m_log.Write((added ? L"trusted path added: " : L"trusted path already present: ") + kUser +
                variablesKey + L" TRUSTEDPATHS = " + after +
                (before ? L" (was: " + before->text + L")" : L" (was absent)"));
}

void LogListener::Failed(const std::wstring& what, unsigned long error) {
    ++m_failures;
    m_log.Write(L"FAILED: " + what + L" (error " + fw::ErrorText(error) + L")");
}

} // namespace report
