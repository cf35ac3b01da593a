// Text on skinned surfaces: fonts in pixel units that fall back to the generic sans-serif
// family, drawn centred from the top of a layout rectangle.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>

// A font of family at emSize pixels (style 0 regular, 1 bold); when the family is not installed
// or the font cannot be made from it, the same size and style of the generic sans-serif family.
std::unique_ptr<Gdiplus::Font> CreateSkinFont(const wchar_t* family, float emSize, INT style);

// Draws text (zero-terminated) into layout with a solid brush of colour: centred horizontally,
// from the top, cut with the given trimming when it does not fit.
void DrawSkinText(Gdiplus::Graphics& graphics, const wchar_t* text, const Gdiplus::Font& font,
                  const Gdiplus::RectF& layout, Gdiplus::ARGB colour, Gdiplus::StringTrimming trimming);
