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
    void SetStep(int step) const {
        m_step = step;
        SendMessageW(m_hwnd, PBM_SETSTEP, step, 0);
    }
    void SetPos(int pos) const {
        m_pending = 0; // the steps not sent yet end where the position is set
        if (m_hwnd)    // InvalidateRect without a window would repaint every window there is
            InvalidateRect(m_hwnd, nullptr, FALSE); // with the steps StepIt did not paint
        SendMessageW(m_hwnd, PBM_SETPOS, pos, 0);
    }
    int GetPos() const {
        SendSteps();
        return static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0));
    }
    // One step. The bar paints itself at once on every step, and even a step with painting
    // held off costs more than copying a small file: the steps are sent at most every
    // kPaintMs, together, and painted then.
    void StepIt() const {
        constexpr DWORD kPaintMs = 30;
        if (!m_hwnd)
            return; // no window: nothing to show (an unattended run)
        ++m_pending;
        const DWORD now = GetTickCount();
        if (now - m_lastPaint < kPaintMs)
            return;
        m_lastPaint = now;
        SendSteps();
    }
    // The steps not sent yet, painted: before anything (a message box) lets the user, or
    // another program, look at the bar between two paints.
    void SendSteps() const {
        if (!m_hwnd || m_pending == 0)
            return;
        const int steps = m_pending;
        m_pending = 0;
        const auto pos = static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0));
        const auto high = static_cast<int>(SendMessageW(m_hwnd, PBM_GETRANGE, FALSE, 0));
        // In one move while they stay within the range (the move paints); one at a time
        // where the bar wraps around past its end, as only a step does, painted at the last.
        if (m_step > 0 && pos + steps * m_step <= high) {
            InvalidateRect(m_hwnd, nullptr, FALSE); // with the steps not painted
            SendMessageW(m_hwnd, PBM_DELTAPOS, static_cast<WPARAM>(steps * m_step), 0);
            return;
        }
        if (steps > 1) {
            SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0);
            for (int k = 1; k < steps; ++k)
                SendMessageW(m_hwnd, PBM_STEPIT, 0, 0);
            SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
        }
        InvalidateRect(m_hwnd, nullptr, FALSE);
        SendMessageW(m_hwnd, PBM_STEPIT, 0, 0);
    }

  private:
    mutable DWORD m_lastPaint = 0;
    mutable int m_pending = 0; // steps taken and not yet sent
    mutable int m_step = 10;   // the control's own until SetStep
};

} // namespace fw
