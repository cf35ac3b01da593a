// The executable's resources: every image of the catalogue with its size, the bitmap, icons,
// dialog templates, menu and accelerators.
#include "resources/resource.h"
#include "skin/GdiPlusBitmapResource.h"
#include "skin/PngImage.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct CatalogueEntry { UINT id; UINT width, height; };

const CatalogueEntry kCatalogue[] = {
    {172, 1, 30}, {203, 203, 30}, {206, 92, 30},
    {207, 28, 26}, {208, 28, 26}, {227, 28, 26}, {220, 28, 26}, {213, 28, 26}, {228, 28, 26},
    {221, 28, 26}, {217, 28, 26}, {229, 28, 26}, {209, 28, 26}, {210, 28, 26}, {230, 28, 26},
    {211, 59, 24}, {212, 59, 24}, {231, 59, 24}, {223, 97, 24}, {215, 97, 24}, {233, 97, 24},
    {224, 86, 24}, {214, 86, 24}, {234, 86, 24}, {226, 78, 24}, {219, 78, 24}, {236, 78, 24},
    {252, 78, 24}, {253, 78, 24}, {261, 78, 24},
    {275, 1, 1}, {276, 23, 23}, {277, 23, 23}, {278, 23, 23}, {279, 23, 23},
    {304, 256, 110}, {311, 82, 34}, {312, 82, 34}, {313, 82, 34}, {314, 82, 34}, {316, 9, 8},
    {319, 1114, 723}, {320, 27, 30}, {321, 27, 30}, {322, 27, 30}, {323, 28, 31}, {324, 28, 31}, {325, 28, 31},
};

TEST(SkinResources, EveryCatalogueImageLoadsAtItsSizeInChinese) {
    const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    for (const CatalogueEntry& e : kCatalogue) {
        SCOPED_TRACE(e.id);
        EXPECT_NE(nullptr, ::FindResourceExW(nullptr, L"PNG", MAKEINTRESOURCEW(e.id), chinese));

        std::unique_ptr<Gdiplus::Image> image(LoadPngImage(e.id));
        ASSERT_NE(nullptr, image);
        EXPECT_EQ(Gdiplus::Ok, image->GetLastStatus());
        EXPECT_EQ(e.width, image->GetWidth());
        EXPECT_EQ(e.height, image->GetHeight());

        CGdiPlusBitmapResource bitmap;
        ASSERT_TRUE(bitmap.LoadFromResource(e.id));
        EXPECT_EQ(e.width, bitmap.m_pBitmap->GetWidth());
        EXPECT_EQ(e.height, bitmap.m_pBitmap->GetHeight());
    }
}

TEST(SkinResources, UnknownIdsGiveNothing) {
    // 101 is a dialog template, not a PNG; 9999 is nothing at all.
    for (UINT id : {9999u, 101u, 0u}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(nullptr, LoadPngImage(id));
        CGdiPlusBitmapResource bitmap;
        EXPECT_FALSE(bitmap.LoadFromResource(id));
        EXPECT_EQ(nullptr, bitmap.m_pBitmap);
        EXPECT_EQ(nullptr, bitmap.m_hBuffer);
    }
}

TEST(SkinResources, ReloadingWithABadIdLeavesTheBitmapEmpty) {
    CGdiPlusBitmapResource bitmap;
    ASSERT_TRUE(bitmap.LoadFromResource(IDP_MSGBOX_BACKGROUND));
    ASSERT_TRUE(bitmap.LoadFromResource(IDP_MSGBOX_CLOSE));
    EXPECT_EQ(9u, bitmap.m_pBitmap->GetWidth());
    EXPECT_FALSE(bitmap.LoadFromResource(9999));
    EXPECT_EQ(nullptr, bitmap.m_pBitmap);
    EXPECT_EQ(nullptr, bitmap.m_hBuffer);
}

TEST(SkinResources, ImagesDrawWhatTheirRolesNeed) {
    CGdiPlusBitmapResource tint, login;
    ASSERT_TRUE(tint.LoadFromResource(IDP_OVERLAY_TINT));
    Gdiplus::Color c;
    tint.m_pBitmap->GetPixel(0, 0, &c);
    EXPECT_EQ(Gdiplus::Color::MakeARGB(230, 0, 0, 0), c.GetValue());

    // The login artwork has soft, transparent edges and an opaque panel under the popup.
    ASSERT_TRUE(login.LoadFromResource(IDP_LOGIN_BACKGROUND));
    login.m_pBitmap->GetPixel(0, 0, &c);
    EXPECT_EQ(0, c.GetAlpha());
    login.m_pBitmap->GetPixel(353 + 352, 194 + 235, &c);
    EXPECT_EQ(255, c.GetAlpha());
    bool soft = false;
    for (UINT y = 0; y < 20 && !soft; ++y) {
        login.m_pBitmap->GetPixel(557, y, &c);
        soft = c.GetAlpha() > 0 && c.GetAlpha() < 255;
    }
    EXPECT_TRUE(soft);
}

TEST(SkinResources, LoginPopupBitmapHasAGreenBandOverADarkPanel) {
    HBITMAP hBitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGIN_POPUP));
    ASSERT_NE(nullptr, hBitmap);
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    EXPECT_EQ(739, bm.bmWidth);
    EXPECT_EQ(471, bm.bmHeight);
    ::DeleteObject(hBitmap);

    // The bits as stored: 24 bits per pixel.
    HRSRC hRes = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_LOGIN_POPUP), RT_BITMAP);
    ASSERT_NE(nullptr, hRes);
    auto* info = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(nullptr, hRes)));
    EXPECT_EQ(24, info->biBitCount);
    const BYTE* bits = reinterpret_cast<const BYTE*>(info) + info->biSize;
    int stride = (739 * 3 + 3) & ~3;
    auto pixel = [&](int x, int y) {  // bottom-up rows, BGR
        const BYTE* p = bits + static_cast<size_t>(470 - y) * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    for (int x : {0, 300, 704}) {
        EXPECT_EQ(RGB(0, 255, 0), pixel(x, 0));
        EXPECT_EQ(RGB(0, 255, 0), pixel(x, 83));
        EXPECT_NE(RGB(0, 255, 0), pixel(x, 84));
        EXPECT_LT(GetRValue(pixel(x, 400)) + GetGValue(pixel(x, 400)) + GetBValue(pixel(x, 400)), 120);
    }
}

TEST(SkinResources, IconsLoadAtTheSizesTheWindowsAsk) {
    for (UINT id : {IDI_MAIN_ICON, IDI_TRAY_ICON}) {
        for (int size : {16, 32}) {
            HICON hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            EXPECT_NE(nullptr, hIcon) << id << " at " << size;
            if (hIcon) ::DestroyIcon(hIcon);
        }
    }
}

TEST(SkinResources, TrayMenuAndAccelerator) {
    HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    ASSERT_NE(nullptr, hMenu);
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    ASSERT_NE(nullptr, hPopup);
    const struct { UINT id; const wchar_t* text; } items[] = {
        {32775, L"隐藏/显示(F10)"}, {32776, L"清理缓存"}, {32777, L"退出"}};
    ASSERT_EQ(3, ::GetMenuItemCount(hPopup));
    for (int i = 0; i < 3; ++i) {
        wchar_t text[64] = {};
        ::GetMenuStringW(hPopup, i, text, 64, MF_BYPOSITION);
        EXPECT_EQ(items[i].id, ::GetMenuItemID(hPopup, i));
        EXPECT_STREQ(items[i].text, text);
    }
    ::DestroyMenu(hMenu);

    HACCEL hAccel = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATOR));
    ASSERT_NE(nullptr, hAccel);
    ACCEL entries[4] = {};
    ASSERT_EQ(1, ::CopyAcceleratorTableW(hAccel, entries, 4));
    EXPECT_EQ(VK_F5, entries[0].key);
    EXPECT_EQ(32778, entries[0].cmd);
    EXPECT_TRUE(entries[0].fVirt & FVIRTKEY);
    ::DestroyAcceleratorTable(hAccel);
}

// The parts of an extended dialog template the windows rely on.
struct TemplateInfo { DWORD exStyle, style; short cx, cy; WORD pointSize; std::vector<WORD> controls; std::vector<DWORD> controlStyles; };

TemplateInfo ReadTemplate(UINT id) {
    TemplateInfo t = {};
    HRSRC hRes = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!hRes) return t;
    const WORD* p = static_cast<const WORD*>(::LockResource(::LoadResource(nullptr, hRes)));
    auto dword = [](const WORD* w) { return static_cast<DWORD>(w[0]) | (static_cast<DWORD>(w[1]) << 16); };
    auto skipSzOrOrd = [](const WORD* w) { if (*w == 0xFFFF) return w + 2; while (*w) ++w; return w + 1; };
    // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
    t.exStyle = dword(p + 4);
    t.style = dword(p + 6);
    WORD count = p[8];
    t.cx = static_cast<short>(p[11]);
    t.cy = static_cast<short>(p[12]);
    const WORD* q = skipSzOrOrd(skipSzOrOrd(skipSzOrOrd(p + 13)));  // menu, class, title
    t.pointSize = q[0];
    q = skipSzOrOrd(q + 3);  // point size, weight, italic + charset, typeface
    for (WORD i = 0; i < count; ++i) {
        q = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(q) + 3) & ~static_cast<UINT_PTR>(3));
        // DLGITEMTEMPLATEEX: helpID, exStyle, style, x, y, cx, cy, id (DWORD), class, title, extra.
        t.controlStyles.push_back(dword(q + 4));
        t.controls.push_back(static_cast<WORD>(dword(q + 10)));
        const WORD* r = skipSzOrOrd(skipSzOrOrd(q + 12));
        q = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(r + 1) + *r);
    }
    return t;
}

TEST(SkinResources, DialogTemplates) {
    const DWORD setFont = DS_SETFONT | DS_FIXEDSYS;
    const struct { UINT id; DWORD style; short cx, cy; WORD points; std::vector<WORD> controls; } expected[] = {
        {101, setFont | WS_SYSMENU, 503, 183, 9, {1031, 1001, 1002, 1003, 1004, 1005, 1007, 1008, 1017, 1011, 1021, 1030}},
        {103, setFont | WS_POPUP | WS_VISIBLE | WS_SYSMENU, 355, 172, 9, {1016, 1027}},
        {164, 0x80080048, 280, 115, 8, {1001, 1, 2}},
        {274, 0x80080048, 316, 183, 8, {}},
        {328, setFont | WS_CHILD | WS_VISIBLE | WS_SYSMENU, 316, 185, 8, {}},
        {1015, setFont | WS_POPUP | WS_SYSMENU, 383, 231, 8, {1016, 1027}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        TemplateInfo t = ReadTemplate(e.id);
        EXPECT_EQ(e.style, t.style);
        EXPECT_EQ(e.cx, t.cx);
        EXPECT_EQ(e.cy, t.cy);
        EXPECT_EQ(e.points, t.pointSize);
        EXPECT_EQ(e.controls, t.controls);
    }
    EXPECT_EQ(static_cast<DWORD>(WS_EX_APPWINDOW), ReadTemplate(103).exStyle & WS_EX_APPWINDOW);
    // In the main window only 1002 and the unused static start hidden.
    TemplateInfo main = ReadTemplate(101);
    for (size_t i = 0; i < main.controls.size(); ++i) {
        bool hidden = main.controls[i] == 1002 || main.controls[i] == 1031;
        EXPECT_EQ(!hidden, (main.controlStyles[i] & WS_VISIBLE) != 0) << main.controls[i];
    }
}

}  // namespace
