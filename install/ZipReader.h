// CZipReader: reads a ZIP archive held in memory (the embedded package) through minizip and
// writes its entries below a base folder.
#pragma once
#include "framework/String.h"
#include <vector>

// Results of the reader's operations.
enum ZipResult : DWORD {
    ZIP_OK = 0,
    ZIP_NO_FILE = 0x200,             // a file cannot be opened or created, or the block is no archive
    ZIP_WRITE_FAILED = 0x400,
    ZIP_CORRUPT = 0x700,             // the archive (or the entry) is damaged
    ZIP_READ_FAILED = 0x800,
    ZIP_PASSWORD = 0x1000,           // the entry is encrypted
    ZIP_BAD_ARGUMENT = 0x10000,      // also: no archive open, or a name that would leave the base folder
    ZIP_ALREADY_OPEN = 0x1000000,
    ZIP_INFLATE_FAILED = 0x5000000,
};

struct ZipItem {
    int index = -1;                  // for the query with index -1: the number of entries
    wchar_t name[MAX_PATH] = L"";    // converted from UTF-8 and cleaned
    DWORD attributes = 0;
    FILETIME accessTime = {}, creationTime = {}, writeTime = {};
    DWORD compressedSize = 0, uncompressedSize = 0;
};

class CZipReader {
public:
    CZipReader() = default;
    ~CZipReader() { Close(); }
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;

    // The block must stay valid until Close. The base folder starts as the current directory.
    ZipResult OpenFromMemory(const void* pData, DWORD dwSize);
    // A separator is appended unless the path already ends in one.
    ZipResult SetBaseFolder(const wchar_t* pszFolder);
    // Index -1 gives only the entry count, in item.index.
    ZipResult GetItem(int nIndex, ZipItem& item);
    // Writes entry nIndex below the base folder under pszName (normally the item's cleaned name).
    // Names that could reach outside the base folder are refused with ZIP_BAD_ARGUMENT.
    ZipResult ExtractItem(int nIndex, const wchar_t* pszName);
    void Close();

    bool IsOpen() const { return m_hZip != nullptr; }

    // minizip's view of the memory block.
    struct MemoryStream {
        const BYTE* pData;
        ULONGLONG size;
        ULONGLONG position;
    };

private:
    ZipResult GoTo(int nIndex);
    void CloseEntry();
    ZipResult WriteEntry(const ZipItem& item, const CString& strTarget);
    ZipResult CreateFolders(const CString& strFolderPart);

    void* m_hZip = nullptr;          // minizip's unzFile
    MemoryStream m_stream = {};
    int m_nCount = 0;
    int m_nPosition = -1;            // the entry minizip stands on
    bool m_bEntryOpen = false;
    ZipItem m_lastItem;              // copy of the last item returned, m_lastItem.index -1 when none
    CString m_strBaseFolder;
    std::vector<BYTE> m_buffer;      // the transfer buffer, allocated on the first extraction
};
