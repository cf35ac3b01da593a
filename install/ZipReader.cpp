#include "install/ZipReader.h"
#include "install/ZipEntryRules.h"
#include <unzip.h>
#include <climits>

namespace {

const DWORD kTransferBufferSize = 16384;

// minizip reads the archive through these; the "file name" it opens is our MemoryStream.
voidpf MemoryOpen(voidpf, const void* pStream, int) {
    auto* stream = static_cast<CZipReader::MemoryStream*>(const_cast<void*>(pStream));
    stream->position = 0;
    return stream;
}

uLong MemoryRead(voidpf, voidpf pStream, void* pBuffer, uLong size) {
    auto* stream = static_cast<CZipReader::MemoryStream*>(pStream);
    ULONGLONG left = stream->size - stream->position;
    uLong count = left < size ? static_cast<uLong>(left) : size;
    memcpy(pBuffer, stream->pData + stream->position, count);
    stream->position += count;
    return count;
}

uLong MemoryWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T MemoryTell(voidpf, voidpf pStream) {
    return static_cast<CZipReader::MemoryStream*>(pStream)->position;
}

long MemorySeek(voidpf, voidpf pStream, ZPOS64_T offset, int origin) {
    auto* stream = static_cast<CZipReader::MemoryStream*>(pStream);
    ULONGLONG from = origin == ZLIB_FILEFUNC_SEEK_SET ? 0
                     : origin == ZLIB_FILEFUNC_SEEK_CUR ? stream->position
                     : origin == ZLIB_FILEFUNC_SEEK_END ? stream->size
                     : ULLONG_MAX;
    if (from == ULLONG_MAX || offset > stream->size || from + offset > stream->size) return -1;
    stream->position = from + offset;
    return 0;
}

int MemoryClose(voidpf, voidpf) { return 0; }
int MemoryError(voidpf, voidpf) { return 0; }

bool IsSeparator(wchar_t ch) { return ch == L'\\' || ch == L'/'; }

bool PathExists(const CString& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

CString FullPath(const CString& path) {
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? CString(full) : CString();
}

}  // namespace

ZipResult CZipReader::OpenFromMemory(const void* pData, DWORD dwSize) {
    if (m_hZip) return ZIP_ALREADY_OPEN;
    if (!pData) return ZIP_NO_FILE;
    m_stream = { static_cast<const BYTE*>(pData), dwSize, 0 };
    zlib_filefunc64_def io = {};
    io.zopen64_file = MemoryOpen;
    io.zread_file = MemoryRead;
    io.zwrite_file = MemoryWrite;
    io.ztell64_file = MemoryTell;
    io.zseek64_file = MemorySeek;
    io.zclose_file = MemoryClose;
    io.zerror_file = MemoryError;
    unzFile hZip = unzOpen2_64(&m_stream, &io);
    if (!hZip) return ZIP_NO_FILE;
    unz_global_info64 info = {};
    if (unzGetGlobalInfo64(hZip, &info) != UNZ_OK) {
        unzClose(hZip);
        return ZIP_NO_FILE;
    }
    m_hZip = hZip;
    m_nCount = info.number_entry > INT_MAX ? INT_MAX : static_cast<int>(info.number_entry);
    m_nPosition = -1;
    m_lastItem = ZipItem();

    wchar_t current[MAX_PATH] = L"";
    DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
    SetBaseFolder(n > 0 && n < MAX_PATH ? current : L".");
    return ZIP_OK;
}

ZipResult CZipReader::SetBaseFolder(const wchar_t* pszFolder) {
    m_strBaseFolder = pszFolder;
    if (m_strBaseFolder.IsEmpty() || !IsSeparator(m_strBaseFolder[m_strBaseFolder.GetLength() - 1]))
        m_strBaseFolder += L"\\";
    return ZIP_OK;
}

void CZipReader::CloseEntry() {
    if (m_bEntryOpen) unzCloseCurrentFile(m_hZip);
    m_bEntryOpen = false;
}

ZipResult CZipReader::GoTo(int nIndex) {
    if (m_nPosition < 0 || nIndex < m_nPosition) {
        m_nPosition = -1;
        if (unzGoToFirstFile(m_hZip) != UNZ_OK) return ZIP_CORRUPT;
        m_nPosition = 0;
    }
    while (m_nPosition < nIndex) {
        int rc = unzGoToNextFile(m_hZip);
        if (rc != UNZ_OK) {
            // A directory that ends early: the count shrinks to the entries really there.
            if (rc == UNZ_END_OF_LIST_OF_FILE) m_nCount = m_nPosition + 1;
            m_nPosition = -1;
            return rc == UNZ_END_OF_LIST_OF_FILE ? ZIP_BAD_ARGUMENT : ZIP_CORRUPT;
        }
        ++m_nPosition;
    }
    return ZIP_OK;
}

ZipResult CZipReader::GetItem(int nIndex, ZipItem& item) {
    if (!m_hZip) return ZIP_BAD_ARGUMENT;
    CloseEntry();
    if (nIndex == -1) {
        item = ZipItem();
        item.index = m_nCount;
        return ZIP_OK;
    }
    if (nIndex < -1 || nIndex >= m_nCount) return ZIP_BAD_ARGUMENT;
    if (m_lastItem.index == nIndex) {
        item = m_lastItem;
        return ZIP_OK;
    }
    ZipResult result = GoTo(nIndex);
    if (result != ZIP_OK) return result;

    unz_file_info64 info = {};
    if (unzGetCurrentFileInfo64(m_hZip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return ZIP_CORRUPT;
    std::vector<char> rawName(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(m_hZip, &info, rawName.data(), static_cast<uLong>(rawName.size()), nullptr, 0,
                                nullptr, 0) != UNZ_OK)
        return ZIP_CORRUPT;

    ZipItem found;
    found.index = nIndex;
    // A name that does not fit the item is refused rather than cut into some other name.
    int nameLength = static_cast<int>(info.size_filename);
    int wideLength = nameLength ? MultiByteToWideChar(CP_UTF8, 0, rawName.data(), nameLength, nullptr, 0) : 0;
    if (wideLength >= MAX_PATH || (nameLength && wideLength <= 0)) return ZIP_CORRUPT;
    wchar_t wideName[MAX_PATH] = L"";
    if (wideLength) MultiByteToWideChar(CP_UTF8, 0, rawName.data(), nameLength, wideName, MAX_PATH);
    if (static_cast<int>(wcslen(wideName)) != wideLength) return ZIP_CORRUPT;  // a NUL inside the name
    CString cleaned = CleanZipEntryName(wideName);
    wcscpy_s(found.name, MAX_PATH, cleaned);

    found.attributes = ZipEntryAttributes(static_cast<int>(info.version >> 8), static_cast<DWORD>(info.external_fa));
    found.writeTime = found.accessTime = found.creationTime = ZipDosTimeToFileTime(static_cast<DWORD>(info.dosDate));
    if (unzOpenCurrentFile2(m_hZip, nullptr, nullptr, 1) == UNZ_OK) {
        int extraSize = unzGetLocalExtrafield(m_hZip, nullptr, 0);
        if (extraSize > 0) {
            std::vector<BYTE> extra(extraSize);
            if (unzGetLocalExtrafield(m_hZip, extra.data(), extraSize) == extraSize)
                ApplyZipExtendedTimes(extra.data(), extra.size(), found.writeTime, found.accessTime,
                                      found.creationTime);
        }
        unzCloseCurrentFile(m_hZip);
    }
    found.compressedSize = static_cast<DWORD>(info.compressed_size);
    found.uncompressedSize = static_cast<DWORD>(info.uncompressed_size);

    m_lastItem = found;
    item = found;
    return ZIP_OK;
}

ZipResult CZipReader::CreateFolders(const CString& strFolderPart) {
    CreateDirectoryW(m_strBaseFolder, nullptr);
    for (int i = 0; i < strFolderPart.GetLength(); ++i) {
        if (!IsSeparator(strFolderPart[i])) continue;
        CString folder = m_strBaseFolder + strFolderPart.Left(i);
        if (!PathExists(folder)) CreateDirectoryW(folder, nullptr);
    }
    return ZIP_OK;
}

ZipResult CZipReader::ExtractItem(int nIndex, const wchar_t* pszName) {
    if (!m_hZip) return ZIP_BAD_ARGUMENT;
    CloseEntry();
    if (nIndex < 0 || nIndex >= m_nCount || !pszName) return ZIP_BAD_ARGUMENT;
    ZipItem item;
    ZipResult result = GetItem(nIndex, item);
    if (result == ZIP_OK) result = GoTo(nIndex);
    if (result != ZIP_OK) return result;

    CString name = pszName;
    if (!IsContainedEntryName(name)) return ZIP_BAD_ARGUMENT;
    int lastSeparator = -1;
    for (int i = 0; i < name.GetLength(); ++i)
        if (IsSeparator(name[i])) lastSeparator = i;
    CString folderPart = name.Left(lastSeparator + 1);
    CString filePart = name.Mid(lastSeparator + 1);
    CString target = m_strBaseFolder + folderPart + filePart;
    if (target.GetLength() >= MAX_PATH) return ZIP_NO_FILE;
    // The name rules already keep the target below the base folder; the file system has the last word.
    CString fullBase = FullPath(m_strBaseFolder), fullTarget = FullPath(target);
    if (fullBase.IsEmpty() || fullTarget.GetLength() <= fullBase.GetLength() ||
        fullTarget.Left(fullBase.GetLength()).CompareNoCase(fullBase) != 0)
        return ZIP_BAD_ARGUMENT;

    if ((item.attributes & FILE_ATTRIBUTE_DIRECTORY) || filePart.IsEmpty()) {
        CreateFolders(name + L"\\");
        return ZIP_OK;
    }
    CreateFolders(folderPart);
    return WriteEntry(item, target);
}

ZipResult CZipReader::WriteEntry(const ZipItem& item, const CString& strTarget) {
    unz_file_info64 info = {};
    if (unzGetCurrentFileInfo64(m_hZip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return ZIP_CORRUPT;
    if (info.flag & 1) return ZIP_PASSWORD;
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) return ZIP_CORRUPT;
    if (unzOpenCurrentFile(m_hZip) != UNZ_OK) return ZIP_CORRUPT;
    m_bEntryOpen = true;

    DWORD attributes = item.attributes & ~FILE_ATTRIBUTE_DIRECTORY;
    HANDLE hFile = CreateFileW(strTarget, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        CloseEntry();
        return ZIP_NO_FILE;
    }
    if (m_buffer.empty()) m_buffer.resize(kTransferBufferSize);

    ZipResult result = ZIP_OK;
    for (;;) {
        int n = unzReadCurrentFile(m_hZip, m_buffer.data(), kTransferBufferSize);
        if (n > 0) {
            DWORD written = 0;
            if (!WriteFile(hFile, m_buffer.data(), static_cast<DWORD>(n), &written, nullptr) ||
                written != static_cast<DWORD>(n)) {
                result = ZIP_WRITE_FAILED;
                break;
            }
            continue;
        }
        if (n == 0 && unzeof(m_hZip)) {
            auto time = [](const FILETIME& ft) { return ft.dwLowDateTime || ft.dwHighDateTime ? &ft : nullptr; };
            SetFileTime(hFile, time(item.creationTime), time(item.accessTime), time(item.writeTime));
        } else {
            result = ZIP_INFLATE_FAILED;
        }
        break;
    }
    CloseHandle(hFile);
    int closed = unzCloseCurrentFile(m_hZip);
    m_bEntryOpen = false;
    // A damaged entry is not left behind looking like a good one.
    if (result == ZIP_OK && closed == UNZ_CRCERROR) result = ZIP_CORRUPT;
    if (result != ZIP_OK) {
        SetFileAttributesW(strTarget, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(strTarget);
    }
    return result;
}

void CZipReader::Close() {
    CloseEntry();
    if (m_hZip) unzClose(m_hZip);
    m_hZip = nullptr;
    m_nCount = 0;
    m_nPosition = -1;
    m_lastItem = ZipItem();
    m_buffer.clear();
    m_buffer.shrink_to_fit();
}
