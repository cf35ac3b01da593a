#include "browser/MyHtmlView.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ScreenCapture.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using testing_support::LocalHttpServer;
using testing_support::PumpUntil;
using testing_support::Rgb;
using testing_support::ScreenCapture;

namespace {

// Debugger output of this process, caught on its way out. Newer systems raise the wide text,
// older ones (and Wine) the text in the system code page.
struct DebugOutput {
    static std::vector<std::wstring> wide;
    static std::vector<std::string> narrow;
    static LONG CALLBACK Catch(EXCEPTION_POINTERS* p) {
        const EXCEPTION_RECORD* r = p->ExceptionRecord;
        if (r->ExceptionCode == 0x4001000A && r->NumberParameters >= 2)
            wide.emplace_back(reinterpret_cast<const wchar_t*>(r->ExceptionInformation[1]));
        else if (r->ExceptionCode == DBG_PRINTEXCEPTION_C && r->NumberParameters >= 2)
            narrow.emplace_back(reinterpret_cast<const char*>(r->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_SEARCH;
    }
    DebugOutput() { m_handler = AddVectoredExceptionHandler(1, &Catch); Clear(); }
    ~DebugOutput() { RemoveVectoredExceptionHandler(m_handler); }
    void Clear() { wide.clear(); narrow.clear(); }
    // The lines that start like a link-click report.
    std::vector<std::wstring> ClickLines() const {
        std::vector<std::wstring> lines;
        if (!wide.empty()) {
            for (const auto& w : wide) if (w.rfind(L"单击事件:", 0) == 0) lines.push_back(w);
            return lines;
        }
        std::string prefix = CString(L"单击事件:").ToMultiByte();
        for (const auto& n : narrow) {
            if (n.rfind(prefix, 0) != 0) continue;
            int len = MultiByteToWideChar(CP_ACP, 0, n.c_str(), -1, nullptr, 0);
            std::wstring w(len, L'\0');
            MultiByteToWideChar(CP_ACP, 0, n.c_str(), -1, &w[0], len);
            w.resize(len - 1);
            lines.push_back(w);
        }
        return lines;
    }
    // The report line as it reaches this process's debugger output (through the code page, where
    // characters it cannot hold turn into '?').
    static std::wstring Expected(const CString& href) {
        CString line = FormatLinkClickLine(href);
        if (!wide.empty()) return line.GetString();
        std::string bytes = line.ToMultiByte();
        int len = MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, nullptr, 0);
        std::wstring w(len, L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, &w[0], len);
        w.resize(len - 1);
        return w;
    }
    PVOID m_handler;
};
std::vector<std::wstring> DebugOutput::wide;
std::vector<std::string> DebugOutput::narrow;

class ObservedView : public CMyHtmlView {
public:
    int completed = 0;
protected:
    void OnDocumentComplete(const CString& strURL) override {
        CMyHtmlView::OnDocumentComplete(strURL);
        ++completed;
    }
};

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) SetPropW(hWnd, L"contextmenu", reinterpret_cast<HANDLE>(1));
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

class GamePageView : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = L"GamePageHost";
        RegisterClassW(&wc);
        m_hHost = CreateWindowExW(0, L"GamePageHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                  20, 20, 700, 500, nullptr, nullptr, wc.hInstance, nullptr);
        m_host.Attach(m_hHost);
        m_pView = new ObservedView;
        RECT empty = {};
        ASSERT_TRUE(m_pView->Create(nullptr, L"MyWebBrowser", WS_CHILD | WS_VISIBLE, empty, &m_host, 10000));
        m_pView->MoveWindow(0, 0, 680, 460, FALSE);
    }
    void TearDown() override {
        if (m_pView) {
            m_pView->DestroyWindow();
            delete m_pView;
        }
        m_host.Detach();
        DestroyWindow(m_hHost);
    }
    void Load(const std::string& path) {
        int before = m_pView->completed;
        m_pView->Navigate(server.Url(path));
        ASSERT_TRUE(PumpUntil([&] { return m_pView->completed > before; }));
    }
    HWND PageWindow() {
        HWND h = m_pView->m_hWnd;
        wchar_t name[64];
        do {
            h = GetWindow(h, GW_CHILD);
            GetClassNameW(h, name, 64);
        } while (h && lstrcmpW(name, L"Internet Explorer_Server"));
        return h;
    }
    // Clicks the first word of the page and lets the click's consequences run.
    void ClickFirstWord() {
        HWND hPage = PageWindow();
        SendMessageW(hPage, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
        SendMessageW(hPage, WM_LBUTTONUP, 0, MAKELPARAM(12, 14));
        testing_support::PumpMessagesFor(100);
    }

    LocalHttpServer server;
    HWND m_hHost = nullptr;
    CWnd m_host;
    ObservedView* m_pView = nullptr;
};

TEST_F(GamePageView, ReportsTheInnermostLinkAroundAClick) {
    struct Case { const char* path; const char* html; const wchar_t* href; };  // href null: no report
    const Case cases[] = {
        { "/plain", "<a href=\"/a\">first</a>", L"/a" },
        { "/inside", "<a href=\"/b\"><b><i>bold</i></b> rest</a>", L"/b" },
        { "/nested", "<a href=\"/outer\"><span><a href=\"/inner\">in</a></span></a>", L"/inner" },
        { "/noref", "<a name=\"x\">anchor</a>", L"" },
        { "/outside", "<p>words <a href=\"/c\">c</a></p>", nullptr },
    };
    for (const Case& c : cases) server.SetPage(c.path, std::string("<html><body>") + c.html + "</body></html>");
    DebugOutput output;
    for (const Case& c : cases) {
        Load(c.path);
        EXPECT_NE(m_pView->GetDocumentCookie(), 0u) << c.path;
        output.Clear();
        ClickFirstWord();
        std::vector<std::wstring> lines = output.ClickLines();
        if (!c.href) {
            EXPECT_TRUE(lines.empty()) << c.path;
            continue;
        }
        CString href = *c.href ? server.Url(CString(c.href).ToMultiByte()) : CString();
        ASSERT_EQ(lines.size(), 1u) << c.path;   // one connection: one report per click
        EXPECT_EQ(lines[0], DebugOutput::Expected(href)) << c.path;
    }
}

TEST_F(GamePageView, SwallowsContextMenusAndLetsGoOfThePageWhenDestroyed) {
    server.SetPage("/game", "<html><body><a href=\"/x\">x</a></body></html>");
    Load("/game");
    SendMessageW(m_pView->m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_pView->m_hWnd), MAKELPARAM(50, 50));
    EXPECT_EQ(GetPropW(m_hHost, L"contextmenu"), nullptr);
    // The same message to a plain child reaches the host: the view really stops it.
    HWND plain = CreateWindowExW(0, L"GamePageHost", L"", WS_CHILD, 0, 0, 5, 5, m_hHost, nullptr, nullptr, nullptr);
    SendMessageW(plain, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(plain), MAKELPARAM(50, 50));
    EXPECT_NE(GetPropW(m_hHost, L"contextmenu"), nullptr);
    DestroyWindow(plain);

    ASSERT_NE(m_pView->GetDocumentCookie(), 0u);
    m_pView->DestroyWindow();
    // Still our object after its window went; the connection is given up.
    EXPECT_EQ(m_pView->m_hWnd, nullptr);
    EXPECT_EQ(m_pView->GetDocumentCookie(), 0u);
}

// The view as the game view holds it: below a 30-pixel strip of its parent, showing the page.
TEST_F(GamePageView, DrawsTheServedPageBelowTheStrip) {
    server.SetPage("/game", "<html><body>game page <a href=\"/next\">next server</a></body></html>");
    m_pView->MoveWindow(0, 30, 680, 430, FALSE);
    Load("/game");
    InvalidateRect(m_hHost, nullptr, TRUE);
    UpdateWindow(m_hHost);
    testing_support::PumpMessagesFor(200);

    ScreenCapture shot = ScreenCapture::OfClient(m_hHost);
    shot.SavePng(L"game-page-below-strip");
    ASSERT_FALSE(shot.IsEmpty());
    int pageBackground = 0, linkInk = 0, textInk = 0;
    for (int y = 30; y < 120; ++y)
        for (int x = 0; x < 400; ++x) {
            Rgb p = shot.Pixel(x, y);
            if (p == Rgb{ 255, 255, 255 }) ++pageBackground;
            else if (p.b > 150 && p.r < 80 && p.g < 80) ++linkInk;
            else if (p.r < 80 && p.g < 80 && p.b < 80) ++textInk;
        }
    EXPECT_GT(pageBackground, 400 * 90 / 2);  // the page fills the area below the strip
    EXPECT_GT(linkInk, 10);                   // the link is drawn in its colour
    EXPECT_GT(textInk, 10);                   // and the plain text in black
    // The strip stays the parent's (its grey background): nothing of the page spills above the view.
    for (int x = 0; x < 400; x += 7) EXPECT_EQ(shot.Pixel(x, 10), (Rgb{ 128, 128, 128 })) << x;
}

TEST(GamePageViewAmbient, DownloadControlGetsOnlyItsTypeAndTheDefaultAnswer) {
    CMyHtmlView view;
    VARIANT v;
    VariantInit(&v);
    EXPECT_FALSE(view.OnAmbientProperty(-5512, &v));
    EXPECT_EQ(V_VT(&v), VT_I4);
    VariantInit(&v);
    EXPECT_FALSE(view.OnAmbientProperty(-5501, &v));
    EXPECT_EQ(V_VT(&v), VT_EMPTY);
}

}  // namespace
