// Thin wrappers over dialog controls, named by what they are. They hold the control's window
// and own nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace fw {

class Window {
  public:
    Window() = default;
    explicit Window(HWND hwnd) : m_hwnd(hwnd) {}
    void Attach(HWND hwnd) { m_hwnd = hwnd; }
    HWND hwnd() const { return m_hwnd; }
    explicit operator bool() const { return m_hwnd != nullptr; }
    void Show(bool show) const { ShowWindow(m_hwnd, show ? SW_SHOW : SW_HIDE); }
    void Enable(bool enable) const { EnableWindow(m_hwnd, enable ? TRUE : FALSE); }

  protected:
    HWND m_hwnd = nullptr;
};

class Button : public Window {
  public:
    using Window::Window;
};

class ProgressBar : public Window {
  public:
    using Window::Window;
    void SetRange(int low, int high) const {
        SendMessageW(m_hwnd, PBM_SETRANGE, 0, MAKELPARAM(low, high));
    }
    void SetStep(int step) const { SendMessageW(m_hwnd, PBM_SETSTEP, step, 0); }
    void SetPos(int pos) const { SendMessageW(m_hwnd, PBM_SETPOS, pos, 0); }
    int GetPos() const { return static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0)); }
    void StepIt() const { SendMessageW(m_hwnd, PBM_STEPIT, 0, 0); }
};

} // namespace fw
