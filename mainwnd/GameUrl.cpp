#include "mainwnd/GameUrl.h"
#include <string>

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}

CString DecodeGameUrl(const CString& strUrl) {
    std::string bytes = strUrl.ToMultiByte(CP_THREAD_ACP);
    std::string decoded;
    decoded.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        int high, low;
        if (bytes[i] == '%' && i + 2 < bytes.size() && (high = HexValue(bytes[i + 1])) >= 0 &&
            (low = HexValue(bytes[i + 2])) >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += bytes[i];
        }
    }
    // The decoded text is a C string: an escaped NUL ends it.
    decoded.resize(decoded.find('\0') == std::string::npos ? decoded.size() : decoded.find('\0'));
    if (decoded.empty()) return CString();
    // Invalid sequences become U+FFFD, as the system converter does without MB_ERR_INVALID_CHARS.
    int n = ::MultiByteToWideChar(CP_UTF8, 0, decoded.data(), static_cast<int>(decoded.size()), nullptr, 0);
    if (n <= 0) return CString();
    std::wstring wide(n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, decoded.data(), static_cast<int>(decoded.size()), &wide[0], n);
    return CString(wide);
}

CString ServerNameFromDecodedUrl(const CString& strDecodedUrl) {
    int marker = strDecodedUrl.Find(L"svname");
    if (marker < 0) return CString();
    // The name starts after "svname" and the one character that follows it (the "=").
    CString name = strDecodedUrl.Mid(marker + 7);
    int slash = name.Find(L'/');
    return slash >= 0 ? name.Left(slash) : name;
}
