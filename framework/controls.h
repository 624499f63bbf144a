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
    // The steps not sent yet end where the position is set.
    void SetPos(int pos) const;
    int GetPos() const;
    // One step. The bar paints itself at once on every step, and even a step with painting
    // held off costs more than copying a small file: the steps are sent at most every
    // kPaintMs, together, and painted then.
    void StepIt() const;
    // The steps not sent yet, painted: before anything (a message box) lets the user, or
    // another program, look at the bar between two paints.
    void SendSteps() const;

  private:
    mutable DWORD m_lastPaint = 0;
    mutable int m_pending = 0; // steps taken and not yet sent
    mutable int m_step = 10;   // the control's own until SetStep
};

} // namespace fw
