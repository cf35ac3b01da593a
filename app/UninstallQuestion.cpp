#include "app/UninstallQuestion.h"
#include "skin/CustomMessageBox.h"

bool ConfirmUninstall(const CString& strQuestion) {
    CCustomMessageBox box;
    box.SetMessage(L"卸载", strQuestion);
    return box.DoModal() == IDOK;
}
