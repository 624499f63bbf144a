#include "framework/controls.h"

namespace fw {

void ProgressBar::SetPos(int pos) const {
    m_pending = 0;
    if (m_hwnd) // InvalidateRect without a window would repaint every window there is
        InvalidateRect(m_hwnd, nullptr, FALSE); // with the steps StepIt did not paint
    SendMessageW(m_hwnd, PBM_SETPOS, pos, 0);
}

int ProgressBar::GetPos() const {
    SendSteps();
    return static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0));
}

void ProgressBar::StepIt() const {
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

void ProgressBar::SendSteps() const {
    if (!m_hwnd || m_pending == 0)
        return;
    const int steps = m_pending;
    m_pending = 0;
    const auto pos = static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0));
    const auto high = static_cast<int>(SendMessageW(m_hwnd, PBM_GETRANGE, FALSE, 0));
    // In one move while they stay within the range (the move paints); one at a time where
    // the bar wraps around past its end, as only a step does, painted at the last.
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

} // namespace fw
