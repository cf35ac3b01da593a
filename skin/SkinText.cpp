#include "skin/SkinText.h"

namespace {
std::unique_ptr<Gdiplus::Font> FontOf(const Gdiplus::FontFamily* family, float emSize, INT style) {
    if (!family || family->GetLastStatus() != Gdiplus::Ok) return nullptr;
    std::unique_ptr<Gdiplus::Font> font(new Gdiplus::Font(family, emSize, style, Gdiplus::UnitPixel));
    if (font->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return font;
}

Gdiplus::FontFamily* MessageFontFamily() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
    wchar_t face[LF_FACESIZE] = {};
    HFONT hFont = ::CreateFontIndirectW(&metrics.lfMessageFont);
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
    // A system without the generic family would show no text at all: take the face that the
    // system's message font really resolves to.
    if (auto font = FontOf(std::unique_ptr<Gdiplus::FontFamily>(MessageFontFamily()).get(), emSize, style)) return font;
    return std::unique_ptr<Gdiplus::Font>(new Gdiplus::Font(&named, emSize, style, Gdiplus::UnitPixel));
}

void DrawSkinText(Gdiplus::Graphics& graphics, const wchar_t* text, const Gdiplus::Font& font,
                  const Gdiplus::RectF& layout, Gdiplus::ARGB colour, Gdiplus::StringTrimming trimming) {
    Gdiplus::StringFormat format(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(trimming);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    graphics.DrawString(text, -1, &font, layout, &format, &brush);
}
