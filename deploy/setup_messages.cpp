#include "deploy/setup_messages.h"

#include "framework/message_box.h"

int ShowSetupMessage(const std::wstring& text, UINT buttons) {
    return fw::ShowMessage(fw::GetMainWindow(), text, kSetupCaption, buttons);
}
