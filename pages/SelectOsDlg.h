#pragma once

#include "framework/Afx.h"

// Classifies the running Windows into g_nOsType; leaves it as it is for a version it does not know
// or when GetVersionEx fails.
void DetectOsType();

// "Select OS": shows the detected Windows version. The radio buttons only show it; nothing reads
// the user's choice.
class CSelectOsDlg : public CDialog
{
public:
    explicit CSelectOsDlg(CWnd* pParent = nullptr);

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnBack();
    void OnNext();
    void OnExit();
    void OnPaint();
};
