#pragma once

#include "framework/CWnd.h"

class CDialog;

// Data exchange between a dialog and its members. This program exchanges no data, so the only
// transfer is DDX_Control, which binds a control object to a dialog item.
class CDataExchange
{
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// Attaches rControl to dialog item nIDC, once; it loses the handle when the dialog window goes.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// A modal dialog run from a dialog template resource of the program.
class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // DialogBoxParamA with the template. The owner is the parent window given, or else the active
    // window of this thread, so that a dialog opened from a page is modal to that page. Returns
    // what EndDialog was given, or -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult) { if (m_hWnd) ::EndDialog(m_hWnd, nResult); }

protected:
    // Fills the dialog's lists from the template's initialisation data, then binds the controls
    // (UpdateData(FALSE)). TRUE lets the dialog manager give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* /*pDX*/) {}
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    const AFX_MSGMAP* GetMessageMap() const override;

    // No painting of its own: the dialog manager paints the background and the controls paint
    // themselves.
    void OnPaint() { Default(); }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ExecuteDlgInit();
    bool TemplateIsVisible() const;
};
