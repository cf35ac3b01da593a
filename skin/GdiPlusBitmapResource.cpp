#include "skin/GdiPlusBitmapResource.h"
#include "skin/PngImage.h"
#include <cstring>

CGdiPlusBitmapResource::~CGdiPlusBitmapResource() {
    Empty();
}

void CGdiPlusBitmapResource::Empty() {
    // The bitmap first: it may still read from the buffer.
    delete m_pBitmap;
    m_pBitmap = nullptr;
    if (m_hBuffer) {
        ::GlobalUnlock(m_hBuffer);
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
    }
}

bool CGdiPlusBitmapResource::LoadFromResource(UINT id) {
    Empty();
    DWORD size = 0;
    const void* pData = FindPngResource(id, &size);
    if (!pData) return false;

    m_hBuffer = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!m_hBuffer) return false;
    void* pBuffer = ::GlobalLock(m_hBuffer);
    if (!pBuffer) {
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return false;
    }
    std::memcpy(pBuffer, pData, size);

    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(m_hBuffer, FALSE, &pStream)) || !pStream) {
        Empty();
        return false;
    }
    m_pBitmap = Gdiplus::Bitmap::FromStream(pStream);
    pStream->Release();
    if (m_pBitmap && m_pBitmap->GetLastStatus() == Gdiplus::Ok) return true;
    Empty();
    return false;
}
