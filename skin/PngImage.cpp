#include "skin/PngImage.h"
#include <cstring>

namespace {
// GDI+ may read an image's stream for as long as the image lives, so the image keeps a
// reference to it; the stream frees its memory block when the last reference goes.
class CStreamImage : public Gdiplus::Image {
public:
    explicit CStreamImage(IStream* pStream) : Gdiplus::Image(pStream), m_pStream(pStream) { m_pStream->AddRef(); }
    ~CStreamImage() override { m_pStream->Release(); }

private:
    IStream* m_pStream;
};
}

const void* FindPngResource(UINT id, DWORD* pSize) {
    *pSize = 0;
    HMODULE hModule = ::GetModuleHandleW(nullptr);
    HRSRC hRes = ::FindResourceW(hModule, MAKEINTRESOURCEW(id), L"PNG");
    if (!hRes) return nullptr;
    DWORD size = ::SizeofResource(hModule, hRes);
    HGLOBAL hData = size ? ::LoadResource(hModule, hRes) : nullptr;
    const void* pData = hData ? ::LockResource(hData) : nullptr;
    if (!pData) return nullptr;
    *pSize = size;
    return pData;
}

Gdiplus::Image* LoadPngImage(UINT id) {
    DWORD size = 0;
    const void* pData = FindPngResource(id, &size);
    if (!pData) return nullptr;

    HGLOBAL hBuffer = ::GlobalAlloc(GMEM_FIXED, size);
    if (!hBuffer) return nullptr;
    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hBuffer, TRUE, &pStream)) || !pStream) {
        ::GlobalFree(hBuffer);
        return nullptr;
    }
    std::memcpy(hBuffer, pData, size);  // a fixed block's handle is its address

    Gdiplus::Image* pImage = new CStreamImage(pStream);  // GDI+'s allocator: null when out of memory
    pStream->Release();                                  // the image holds its own reference
    return pImage;
}
