// In a silent run no message box may appear: every box the installation would show is
// written to the log instead and answered as an unattended run must (a failed copy is not
// retried: Abort). What was "shown" tells the outcome.
#pragma once

#include "framework/message_box.h"
#include "report/install_log.h"

#include <string>
#include <vector>

namespace report {

class SilentMessages {
  public:
    // From now until destruction, message boxes go to log.
    explicit SilentMessages(InstallLog& log);
    ~SilentMessages();
    SilentMessages(const SilentMessages&) = delete;
    SilentMessages& operator=(const SilentMessages&) = delete;

    // Whether a box with exactly this text would have been shown.
    bool WasShown(const std::wstring& text) const;

  private:
    int Answer(const std::wstring& text, UINT type);

    InstallLog& m_log;
    std::vector<std::wstring> m_shown;
    fw::MessageBoxHandler m_previous;
};

} // namespace report
