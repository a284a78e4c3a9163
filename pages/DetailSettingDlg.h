#pragma once

#include "framework/Afx.h"
#include "install/InstallPlan.h"

// "Detail Setting": the printer model, the printer name it will get and whether it becomes the
// default printer. Next opens "Select Port", whose Install runs InstallDriver on this page. A
// hidden section holds the serial-port settings that the installation writes for a COM port.
class CDetailSettingDlg : public CDialog
{
public:
    explicit CDetailSettingDlg(CWnd* pParent = nullptr);

    // The whole installation, from the choices on this page and on "Select Port". Returns what
    // the run did, which tells whether it succeeded (InstallSucceeded); a caller may ignore it.
    InstallOutcome InstallDriver();

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
    BOOL OnInitDialog() override;
    // Esc and the close box end the wizard like Exit: only Back returns to "Select OS".
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBack();
    void OnNext();
    void OnSelchangeModelList();
    void OnSelchangePortList();
    void OnExit();
    void OnSetDefaultPrinter();

    // Window references, fetched when the page opens; valid while its window exists.
    CWnd* m_pModelList = nullptr;
    CWnd* m_pPortList = nullptr;
    CWnd* m_pBaudList = nullptr;
    CWnd* m_pDataBitsList = nullptr;
    CWnd* m_pStopBitsList = nullptr;
    CWnd* m_pParityList = nullptr;
    CWnd* m_pFlowList = nullptr;
    CWnd* m_pDefaultCheck = nullptr;  // fetched by InstallDriver
    HICON m_hIcon;

private:
    void EnableSerialLists(BOOL bEnable);
};
