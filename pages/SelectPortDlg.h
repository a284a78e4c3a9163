#pragma once

#include "framework/Afx.h"

// "Select Port": lists the spooler's ports, lets the user create or configure one, and runs the
// installation with Install. Its progress bar shows the installation's progress.
class CSelectPortDlg : public CDialog
{
public:
    explicit CSelectPortDlg(CWnd* pParent = nullptr);

    CString m_strPort;         // the port taken from the selected row by Install
    CProgressCtrl m_progress;  // 0..100, moved by InstallDriver
    CListCtrl m_listPorts;

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnCreatePort();
    void OnConfigurePort();
    void OnBack();
    void OnInstall();

private:
    // Lists the ports of one enumeration (at most kMaxListedPorts rows, in the spooler's order)
    // into the empty list and selects the default row.
    void FillPortList();
};
