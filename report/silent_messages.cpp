#include "report/silent_messages.h"

#include "report/log_listener.h"

#include <algorithm>

namespace report {

SilentMessages::SilentMessages(InstallLog& log) : m_log(log) {
    m_previous =
        fw::SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring&,
                                        UINT type) { return Answer(text, type); });
}

SilentMessages::~SilentMessages() {
    fw::SetMessageBoxHandler(std::move(m_previous));
}

bool SilentMessages::WasShown(const std::wstring& text) const {
    return std::find(m_shown.begin(), m_shown.end(), text) != m_shown.end();
}

int SilentMessages::Answer(const std::wstring& text, UINT type) {
    m_shown.push_back(text);
    WriteLines(m_log, L"message (not shown): " + text);
    switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT; // retrying without anyone to fix the cause would never end
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDNO;
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace report
