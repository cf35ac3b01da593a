// CGdiPlusBitmapResource: a GDI+ bitmap decoded from a PNG resource, with the memory behind it.
#pragma once
#include "skin/GdiPlusBitmap.h"

class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    CGdiPlusBitmapResource() = default;
    ~CGdiPlusBitmapResource() override;

    // Replaces what the object held by PNG resource id. False leaves the object empty.
    bool LoadFromResource(UINT id);

    // A copy of the PNG bytes; locked while the bitmap lives, since the bitmap reads from it.
    HGLOBAL m_hBuffer = nullptr;

private:
    void Empty();
};
