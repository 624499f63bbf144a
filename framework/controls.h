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
    void SetPos(int pos) const {
        if (m_hwnd) // InvalidateRect without a window would repaint every window there is
            InvalidateRect(m_hwnd, nullptr, FALSE); // with the steps StepIt did not paint
        SendMessageW(m_hwnd, PBM_SETPOS, pos, 0);
    }
    int GetPos() const { return static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0)); }
    // One step. The bar paints itself at once on every step, which for a package of many
    // files costs more than copying them: it is painted at most every kPaintMs, whole, while
    // its position follows every step.
    void StepIt() const {
        constexpr DWORD kPaintMs = 30;
        if (!m_hwnd)
            return; // no window: nothing to show (an unattended run)
        const DWORD now = GetTickCount();
        if (now - m_lastPaint < kPaintMs) {
            SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0);
            SendMessageW(m_hwnd, PBM_STEPIT, 0, 0);
            SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
            return;
        }
        m_lastPaint = now;
        InvalidateRect(m_hwnd, nullptr, FALSE); // with the steps not painted
        SendMessageW(m_hwnd, PBM_STEPIT, 0, 0);
    }

  private:
    mutable DWORD m_lastPaint = 0;
};

} // namespace fw
