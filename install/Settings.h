// The settings file res//systemset.ini in the data folder, read and written through the
// system's private-profile functions. Every value is text; readers convert numbers themselves.
#pragma once
#include "framework/String.h"

const int kSettingLength = 260;
typedef wchar_t SettingBuffer[kSettingLength];

// Full path of the settings file, rebuilt on every call.
CString GetSettingsPath();
// Fills buffer with the value, cut to 259 characters, or with the default when there is none.
void ReadSetting(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszDefault, SettingBuffer& buffer);
// Writes the value (creating the file, not the folder); failures are ignored.
void WriteSetting(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszValue);
