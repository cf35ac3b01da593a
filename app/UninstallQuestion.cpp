#include "app/UninstallQuestion.h"

bool ConfirmUninstall(const CString& strQuestion) {
    // TODO: skinned box
    return MessageBoxW(nullptr, strQuestion, L"卸载", MB_OKCANCEL) == IDOK;
}
