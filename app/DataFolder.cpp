#include "app/DataFolder.h"
#include "app/ProductText.h"
#include <shlobj.h>

CString GetDataFolder() {
    static CString s_strDataFolder;
    if (s_strDataFolder.IsEmpty()) {
        wchar_t appData[MAX_PATH] = L"";
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
        s_strDataFolder = CString(appData) + L"\\" + LoadProductText(IDS_DATA_PUBLISHER) + L"\\" +
                          LoadProductText(IDS_GAME_CODE) + L"\\";
    }
    return s_strDataFolder;
}
