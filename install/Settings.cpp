#include "install/Settings.h"
#include "app/DataFolder.h"
#include "app/ProductText.h"

CString GetSettingsPath() {
    return GetDataFolder() + LoadProductText(IDS_SETTINGS_PATH);
}

void ReadSetting(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszDefault, SettingBuffer& buffer) {
    GetPrivateProfileStringW(pszSection, pszKey, pszDefault, buffer, kSettingLength, GetSettingsPath());
}

void WriteSetting(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszValue) {
    WritePrivateProfileStringW(pszSection, pszKey, pszValue, GetSettingsPath());
}
