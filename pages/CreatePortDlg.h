#pragma once

#include "framework/Afx.h"

// "Create Port": lists the spooler's port monitors; New Port... lets the selected monitor add a
// port through its own dialog. "Select Port" rebuilds its port list however this dialog ends.
class CCreatePortDlg : public CDialog
{
public:
    explicit CCreatePortDlg(CWnd* pParent = nullptr);

    CListCtrl m_listMonitors;

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnNewPort();
    void OnClose();
};
