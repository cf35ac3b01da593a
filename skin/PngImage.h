// Loading the PNG images compiled into the executable (resource type "PNG").
#pragma once
#include <windows.h>
#include <gdiplus.h>

// A new image decoded from PNG resource id, or null when the resource is missing or empty or
// memory runs out. The caller owns the image; the copy of the PNG bytes it decodes from lives
// exactly as long as the image. An image whose decoding failed comes back with a failed status
// and draws nothing.
Gdiplus::Image* LoadPngImage(UINT id);

// The bytes of PNG resource id in the executable, or null (size 0) when there is none.
const void* FindPngResource(UINT id, DWORD* pSize);
