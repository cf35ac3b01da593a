// The skinned message box run modally, driven by clicks, keys and a real mouse drag.
#include "resources/resource.h"
#include "skin/CustomMessageBox.h"
#include "tests/support/ScreenCapture.h"
#include <gtest/gtest.h>
#include <functional>
#include <thread>

using testing_support::PumpMessages;
using testing_support::Rgb;
using testing_support::ScreenCapture;

namespace {

// Runs the box modally; once it is on screen and painted, action(box) runs on the box's own
// thread, inside its modal loop. A box still open long after that is closed with -5, so a
// failing test cannot hang.
class ModalScript {
public:
    static INT_PTR Run(CCustomMessageBox& box, std::function<void(HWND)> action) {
        s_box = &box;
        s_action = std::move(action);
        s_ticks = 0;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Tick);
        INT_PTR result = box.DoModal();
        ::KillTimer(nullptr, timer);
        s_box = nullptr;
        return result;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ++s_ticks;
        HWND hWnd = s_box ? s_box->m_hWnd : nullptr;
        if (!hWnd || !::IsWindowVisible(hWnd)) return;
        if (s_ticks == 4 && s_action) {
            auto action = std::move(s_action);
            s_action = nullptr;
            action(hWnd);
        } else if (s_ticks > 200) {
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
            s_ticks = -100000;
            static_cast<CDialog*>(s_box)->EndDialog(-5);
        }
    }
    static CCustomMessageBox* s_box;
    static std::function<void(HWND)> s_action;
    static int s_ticks;
};
CCustomMessageBox* ModalScript::s_box = nullptr;
std::function<void(HWND)> ModalScript::s_action;
int ModalScript::s_ticks = 0;

void Click(HWND hDlg, int id) {
    HWND hButton = ::GetDlgItem(hDlg, id);
    ::PostMessageW(hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(hButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST(CustomMessageBox, EveryWayOutGivesItsResult) {
    const struct { const char* how; std::function<void(HWND)> action; INT_PTR result; } cases[] = {
        {"OK", [](HWND h) { Click(h, IDOK); }, IDOK},
        {"Cancel", [](HWND h) { Click(h, IDCANCEL); }, IDCANCEL},
        {"close cross", [](HWND h) { Click(h, IDC_BTN_CLOSE); }, IDCANCEL},
        {"Escape", [](HWND) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        CCustomMessageBox box;
        box.SetMessage(L"关闭提示", L"是否退出《Tessik》加强版登录器？");
        EXPECT_EQ(c.result, ModalScript::Run(box, c.action));
    }
}

TEST(CustomMessageBox, LayoutAndDragArea) {
    CCustomMessageBox box;
    RECT window = {}, client = {}, ok = {}, cancel = {}, cross = {};
    LRESULT onEmpty = 0, onButton = 0;
    DWORD style = 0;
    ModalScript::Run(box, [&](HWND h) {
        ::GetWindowRect(h, &window);
        ::GetClientRect(h, &client);
        auto place = [h](int id, RECT* r) { ::GetWindowRect(::GetDlgItem(h, id), r); ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(r), 2); };
        place(IDOK, &ok);
        place(IDCANCEL, &cancel);
        place(IDC_BTN_CLOSE, &cross);
        style = static_cast<DWORD>(::GetWindowLongW(h, GWL_STYLE));
        onEmpty = ::SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(window.left + 10, window.top + 60));
        onButton = ::SendMessageW(::GetDlgItem(h, IDOK), WM_NCHITTEST, 0, MAKELPARAM(window.left + 60, window.top + 80));
        ::PostMessageW(h, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(258, window.right - window.left);
    EXPECT_EQ(112, window.bottom - window.top);
    EXPECT_EQ(CRect(45, 67, 127, 101), CRect(ok));
    EXPECT_EQ(CRect(137, 67, 219, 101), CRect(cancel));
    EXPECT_EQ(CRect(233, 10, 261, 36), CRect(cross));
    EXPECT_EQ(0u, style & WS_CAPTION);
    EXPECT_EQ(HTCAPTION, onEmpty);
    EXPECT_EQ(HTCLIENT, onButton);  // buttons take their own clicks
}

// Pixels of the box as shown, with the given texts.
ScreenCapture ShowBox(const wchar_t* title, const wchar_t* text, const wchar_t* screenshot = nullptr) {
    CCustomMessageBox box;
    if (title) box.SetMessage(title, text);
    ScreenCapture shot;
    ModalScript::Run(box, [&](HWND h) {
        PumpMessages();
        shot = ScreenCapture::OfClient(h);
        if (screenshot) shot.SavePng(screenshot);
        ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    return shot;
}

// Whether two captures differ anywhere in the rectangle.
bool Differs(const ScreenCapture& a, const ScreenCapture& b, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (!(a.Pixel(x, y) == b.Pixel(x, y))) return true;
    return false;
}

TEST(CustomMessageBox, TitleAndTextStayInTheirBoxes) {
    ScreenCapture empty = ShowBox(L"", L"");
    ScreenCapture normal = ShowBox(nullptr, nullptr, L"skin-messagebox-default");
    ScreenCapture shown = ShowBox(L"关闭提示", L"是否退出《Tessik》加强版登录器？", L"skin-messagebox");
    ScreenCapture longer = ShowBox(L"这是一个非常非常非常非常长的标题文字",
        L"This text is far too long for the two lines of the box, so it wraps at words and is cut "
        L"with an ellipsis at the end instead of running over the buttons below it.", L"skin-messagebox-long");
    ASSERT_FALSE(empty.IsEmpty());

    // The background is drawn: the gold frame at the edge, the dark panel inside.
    EXPECT_GT(empty.Pixel(0, 50).r, 100);
    EXPECT_LT(empty.MeanBrightness(20, 40, 20, 20), 80.0);
    // Default title "温馨提示" and the given ones are drawn in the title box.
    EXPECT_TRUE(Differs(empty, normal, 85, 7, 185, 32));
    EXPECT_FALSE(Differs(empty, normal, 28, 33, 248, 63));
    EXPECT_TRUE(Differs(empty, shown, 85, 7, 185, 32));
    EXPECT_TRUE(Differs(empty, shown, 28, 33, 248, 63));
    // Too long: cut inside the boxes, never outside them.
    EXPECT_TRUE(Differs(empty, longer, 85, 7, 185, 32));
    EXPECT_FALSE(Differs(empty, longer, 0, 7, 85, 32));
    EXPECT_FALSE(Differs(empty, longer, 185, 7, 233, 32));
    EXPECT_TRUE(Differs(empty, longer, 28, 48, 248, 63));   // a second line
    EXPECT_FALSE(Differs(empty, longer, 0, 63, 258, 67));   // nothing below the box
    EXPECT_FALSE(Differs(empty, longer, 0, 33, 28, 63));
}

TEST(CustomMessageBox, DraggingAnEmptyPointMovesTheBox) {
    CCustomMessageBox box;
    RECT before = {}, after = {};
    ModalScript::Run(box, [&](HWND h) {
        ::GetWindowRect(h, &before);
        POINT from = { before.left + 12, before.top + 60 };
        // Mouse input from another thread: the system's move loop runs on this one.
        std::thread mover([from] {
            auto send = [](DWORD flags) {
                INPUT in = {};
                in.type = INPUT_MOUSE;
                in.mi.dwFlags = flags;
                ::SendInput(1, &in, sizeof(in));
            };
            ::SetCursorPos(from.x, from.y);
            ::Sleep(100);
            send(MOUSEEVENTF_LEFTDOWN);
            for (int i = 1; i <= 10; ++i) {
                ::Sleep(30);
                ::SetCursorPos(from.x + 8 * i, from.y + 5 * i);
                send(MOUSEEVENTF_MOVE);
            }
            ::Sleep(100);
            send(MOUSEEVENTF_LEFTUP);
        });
        DWORD start = ::GetTickCount();
        MSG msg;
        while (::GetTickCount() - start < 1500) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) { ::TranslateMessage(&msg); ::DispatchMessageW(&msg); }
            ::Sleep(10);
        }
        mover.join();
        PumpMessages();
        ::GetWindowRect(h, &after);
        ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(before.left + 80, after.left);
    EXPECT_EQ(before.top + 50, after.top);
}

}  // namespace
