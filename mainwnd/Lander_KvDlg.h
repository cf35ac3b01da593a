// The launcher's main window.
#pragma once
#include "framework/Dialog.h"

class CLander_KvDlg : public CDialog {
public:
    explicit CLander_KvDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
};
