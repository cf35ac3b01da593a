#include "app/FileDigest.h"
#include <wincrypt.h>
#include <vector>

namespace {
// The file is hashed piece by piece, so its size never decides how much memory we take.
const DWORD kChunkSize = 256 * 1024;

struct HashSession {
    HCRYPTPROV hProv = 0;
    HCRYPTHASH hHash = 0;
    ~HashSession() {
        if (hHash) CryptDestroyHash(hHash);
        if (hProv) CryptReleaseContext(hProv, 0);
    }
};
}

int ComputeFileMd5(const CString& strPath, CString& strDigest) {
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return 0;

    HashSession session;
    bool ok = CryptAcquireContextW(&session.hProv, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
              CryptCreateHash(session.hProv, CALG_MD5, 0, 0, &session.hHash);
    if (ok) {
        std::vector<BYTE> buffer(kChunkSize);
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(hFile, buffer.data(), kChunkSize, &read, nullptr)) { ok = false; break; }
            if (read == 0) break;
            if (!CryptHashData(session.hHash, buffer.data(), read, 0)) { ok = false; break; }
        }
    }
    CloseHandle(hFile);
    if (!ok) return 0;

    DWORD length = 0;
    if (!CryptGetHashParam(session.hHash, HP_HASHVAL, nullptr, &length, 0) || length == 0) return 0;
    std::vector<BYTE> hash(length);
    if (!CryptGetHashParam(session.hHash, HP_HASHVAL, hash.data(), &length, 0)) return 0;
    for (DWORD i = 0; i < length; ++i) strDigest.AppendFormat(L"%02x", hash[i]);

    BOOL destroyed = CryptDestroyHash(session.hHash);
    session.hHash = 0;
    BOOL released = CryptReleaseContext(session.hProv, 0);
    session.hProv = 0;
    return destroyed && released ? 1 : 0;
}
