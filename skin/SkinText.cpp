#include "skin/SkinText.h"

namespace {
std::unique_ptr<Gdiplus::Font> FontOf(const Gdiplus::FontFamily* family, float emSize, INT style) {
    if (!family || family->GetLastStatus() != Gdiplus::Ok) return nullptr;
    std::unique_ptr<Gdiplus::Font> font(new Gdiplus::Font(family, emSize, style, Gdiplus::UnitPixel));
    if (font->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return font;
}

// The installed face the system picks for Chinese text asked for in family.
Gdiplus::FontFamily* ChineseFontFamily(const wchar_t* family) {
    LOGFONTW lf = {};
    lf.lfCharSet = GB2312_CHARSET;
    lstrcpynW(lf.lfFaceName, family, LF_FACESIZE);
    wchar_t face[LF_FACESIZE] = {};
    HFONT hFont = ::CreateFontIndirectW(&lf);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDC, hFont);
    ::GetTextFaceW(hDC, LF_FACESIZE, face);
    ::SelectObject(hDC, old);
    ::ReleaseDC(nullptr, hDC);
    ::DeleteObject(hFont);
    return new Gdiplus::FontFamily(face);
}
}

std::unique_ptr<Gdiplus::Font> CreateSkinFont(const wchar_t* family, float emSize, INT style) {
    Gdiplus::FontFamily named(family);
    if (auto font = FontOf(&named, emSize, style)) return font;
    // The generic family is cached by the library and must not be deleted.
    if (auto font = FontOf(Gdiplus::FontFamily::GenericSansSerif(), emSize, style)) return font;
    // A system without the generic family would show no text at all: take the face the system
    // substitutes for the family, one that has the Chinese characters of our texts.
    if (auto font = FontOf(std::unique_ptr<Gdiplus::FontFamily>(ChineseFontFamily(family)).get(), emSize, style)) return font;
    return std::unique_ptr<Gdiplus::Font>(new Gdiplus::Font(&named, emSize, style, Gdiplus::UnitPixel));
}

void DrawSkinText(Gdiplus::Graphics& graphics, const wchar_t* text, const Gdiplus::Font& font,
                  const Gdiplus::RectF& layout, Gdiplus::ARGB colour, Gdiplus::StringTrimming trimming) {
    Gdiplus::StringFormat format(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(trimming);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    // Nothing outside the layout rectangle, whatever the library does with lines that do not fit.
    Gdiplus::Region saved;
    graphics.GetClip(&saved);
    graphics.SetClip(layout, Gdiplus::CombineModeIntersect);
    graphics.DrawString(text, -1, &font, layout, &format, &brush);
    graphics.SetClip(&saved);
}
