#include "skin/SkinText.h"

std::unique_ptr<Gdiplus::Font> CreateSkinFont(const wchar_t* family, float emSize, INT style) {
    Gdiplus::FontFamily named(family);
    if (named.GetLastStatus() == Gdiplus::Ok) {
        std::unique_ptr<Gdiplus::Font> font(new Gdiplus::Font(&named, emSize, style, Gdiplus::UnitPixel));
        if (font->GetLastStatus() == Gdiplus::Ok) return font;
    }
    // The generic family is cached by the library and must not be deleted.
    const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
    return std::unique_ptr<Gdiplus::Font>(new Gdiplus::Font(generic, emSize, style, Gdiplus::UnitPixel));
}

void DrawSkinText(Gdiplus::Graphics& graphics, const wchar_t* text, const Gdiplus::Font& font,
                  const Gdiplus::RectF& layout, Gdiplus::ARGB colour, Gdiplus::StringTrimming trimming) {
    Gdiplus::StringFormat format(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(trimming);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    graphics.DrawString(text, -1, &font, layout, &format, &brush);
}
