// A dialog from a template resource. The window procedure is a static function that finds
// the object through DWLP_USER and forwards each message to a virtual member handler.
#pragma once

#include "framework/data_exchange.h"

#include <windows.h>

namespace fw {

class Dialog {
  public:
    Dialog(int templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the result given to EndDialog, or -1 when the dialog
    // could not be created.
    INT_PTR DoModal();
    // Creates the dialog modelessly (tests drive it so); null when it could not be created.
    // The caller shows it and ends it with DestroyWindow or EndDialog.
    HWND Create();

    HWND hwnd() const { return m_hwnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hwnd, id); }

    // Runs the bindings of DoDataExchange: true reads the controls into the members, false
    // writes the members into the controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Ends a modal run with result, or destroys a modeless dialog.
    void EndDialog(INT_PTR result);
    // Destroys a modeless dialog that is still open. A derived dialog calls it from its own
    // destructor, so that no control paints with members that are already gone.
    void DestroyModeless();
    INT_PTR GetResult() const { return m_result; }
    // True while UpdateData runs: the notifications that writing a control sends (an edit
    // box's EN_CHANGE) are then not the user's doing.
    bool IsExchangingData() const { return m_exchanging; }

  protected:
    // While the dialog runs it is the application's main window: the owner of the message
    // boxes that lower layers show.
    void SetActsAsMainWindow(bool value) { m_actsAsMainWindow = value; }

    virtual void DoDataExchange(DataExchange&) {}
    // Default: the members go to the controls; TRUE puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Default: reads the controls back and ends with IDOK.
    virtual void OnOK();
    // Default: ends with IDCANCEL (Cancel button, Escape key, close box).
    virtual void OnCancel();
    // Every other WM_COMMAND; true when handled.
    virtual bool OnCommand(int id, int code);
    // Every WM_CTLCOLOR* message: kind is CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC, window is the
    // control (or the dialog itself). Default: the system's colours. Null means "default".
    virtual HBRUSH OnCtlColor(HDC dc, HWND window, UINT kind);
    virtual void OnDestroy() {}

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();

    int m_templateId;
    HWND m_parent;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
    bool m_actsAsMainWindow = false;
    INT_PTR m_result = 0;
    bool m_exchanging = false;
};

} // namespace fw
