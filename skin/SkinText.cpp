#include "skin/SkinText.h"
#include <string>

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

namespace {
// Whole lines only, the last one cut with an ellipsis when the text does not fit. Done here
// rather than left to the library, since not every GDI+ trims (some show a half line instead).
std::wstring FitText(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::Font& font,
                     const Gdiplus::RectF& box, const Gdiplus::StringFormat& format, Gdiplus::StringTrimming trimming) {
    auto fits = [&](const std::wstring& s) {
        Gdiplus::RectF bounds;
        INT fitted = 0, lines = 0;
        graphics.MeasureString(s.c_str(), static_cast<INT>(s.size()), &font, box, &format, &bounds, &fitted, &lines);
        return fitted >= static_cast<INT>(s.size()) && bounds.Height <= box.Height + 0.5f;
    };
    if (text.empty() || fits(text)) return text;
    auto cut = [&](size_t n) {
        if (trimming == Gdiplus::StringTrimmingEllipsisWord) {
            size_t space = text.find_last_of(L' ', n);
            if (space != std::wstring::npos && space > 0) n = space;
        }
        std::wstring s = text.substr(0, n);
        while (!s.empty() && s.back() == L' ') s.pop_back();
        return s + L"\x2026";
    };
    // The longest prefix that still fits with its ellipsis.
    size_t lo = 0, hi = text.size() - 1;
    while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        if (fits(cut(mid))) lo = mid; else hi = mid - 1;
    }
    return cut(lo);
}
}

void DrawSkinText(Gdiplus::Graphics& graphics, const wchar_t* text, const Gdiplus::Font& font,
                  const Gdiplus::RectF& layout, Gdiplus::ARGB colour, Gdiplus::StringTrimming trimming) {
    Gdiplus::StringFormat format(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(trimming);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};

    float lineHeight = font.GetHeight(&graphics);
    int lines = lineHeight > 0 ? static_cast<int>(layout.Height / lineHeight + 0.01f) : 1;
    Gdiplus::RectF box(layout.X, layout.Y, layout.Width, lines > 0 ? lines * lineHeight : layout.Height);
    std::wstring shown = FitText(graphics, text ? text : L"", font, box, format, trimming);

    // Nothing outside the layout rectangle, whatever the library does with lines that do not fit.
    Gdiplus::Region saved;
    graphics.GetClip(&saved);
    graphics.SetClip(layout, Gdiplus::CombineModeIntersect);
    graphics.DrawString(shown.c_str(), -1, &font, box, &format, &brush);
    graphics.SetClip(&saved);
}
