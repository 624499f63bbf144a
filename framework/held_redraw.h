// Holds a window's painting while several of its controls change, then paints the result
// once: each control shown or hidden on its own would repaint what it uncovers at once.
#pragma once

#include <windows.h>

namespace fw {

class HeldRedraw {
  public:
    explicit HeldRedraw(HWND hwnd) : m_hwnd(hwnd) { SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0); }
    ~HeldRedraw() {
        SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(m_hwnd, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    HeldRedraw(const HeldRedraw&) = delete;
    HeldRedraw& operator=(const HeldRedraw&) = delete;

  private:
    HWND m_hwnd;
};

} // namespace fw
