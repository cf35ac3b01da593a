// The window layer for real: dialogs from templates, modal loops, message maps, control binding.
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

const UINT kTemplate = 30001, kEdit = 30010, kCustom = 30011;
const UINT WM_TEST_STEP = WM_APP + 1;
const UINT WM_TEST_PING = WM_APP + 2;

// An edit control bound to an object: counts the characters typed into it.
class CCountingEdit : public CWnd {
public:
    int m_nChars = 0;
    DECLARE_MESSAGE_MAP()
    LRESULT OnChar(WPARAM, LPARAM) { ++m_nChars; return Default(); }
};

BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
    ON_MESSAGE(WM_CHAR, OnChar)
END_MESSAGE_MAP()

// A dialog that plays a script of steps from inside its own modal loop and records what reached it.
class CScriptedDialog : public CDialog {
public:
    explicit CScriptedDialog(CWnd* pParent = nullptr) : CDialog(kTemplate, pParent) {}

    std::vector<std::function<void(CScriptedDialog&)>> m_steps;
    std::vector<std::string> m_log;
    bool m_bSwallowEnter = false;
    POINT m_ptPlace = { -1, -1 };  // where the initialisation puts the dialog, if anywhere
    CCountingEdit m_edit;

    void Next() { PostMessage(WM_TEST_STEP); }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_log.push_back("init");
        EXPECT_TRUE(m_edit.SubclassDlgItem(kEdit, this));
        if (m_ptPlace.x >= 0) SetWindowPos(nullptr, m_ptPlace.x, m_ptPlace.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Next();
        return TRUE;
    }
    void OnOK() override { m_log.push_back("ok"); CDialog::OnOK(); }
    void OnCancel() override { m_log.push_back("cancel"); CDialog::OnCancel(); }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (m_bSwallowEnter && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
            m_log.push_back("enter swallowed");
            return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }

    DECLARE_MESSAGE_MAP()
    LRESULT OnStep(WPARAM, LPARAM) {
        if (m_steps.empty()) { EndDialog(77); return 0; }
        auto step = m_steps.front();
        m_steps.erase(m_steps.begin());
        step(*this);
        return 0;
    }
    void OnCustom() { m_log.push_back("custom"); }
    virtual LRESULT OnPing(WPARAM w, LPARAM) { m_log.push_back("ping " + std::to_string(w)); return 5; }
};

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
    ON_COMMAND(kCustom, OnCustom)
    ON_MESSAGE(WM_TEST_PING, OnPing)
END_MESSAGE_MAP()

// A derived map sees its own entries first and inherits the rest.
class CDerivedDialog : public CScriptedDialog {
public:
    DECLARE_MESSAGE_MAP()
    void OnCustomDerived() { m_log.push_back("derived custom"); }
};

BEGIN_MESSAGE_MAP(CDerivedDialog, CScriptedDialog)
    ON_COMMAND(kCustom, OnCustomDerived)
END_MESSAGE_MAP()

void Key(HWND h, UINT vk) {
    PostMessageW(h, WM_KEYDOWN, vk, 1);
    PostMessageW(h, WM_KEYUP, vk, 0xC0000001);
}

TEST(DialogTest, ModalLoopEndsWithTheValueGivenToEndDialog) {
    CScriptedDialog dlg;
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        EXPECT_TRUE(d.IsWindowVisible());
        d.m_log.push_back("shown");
        d.Next();
    });
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{ "init", "shown" }));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(DialogTest, CommandsAndMessagesReachTheirHandlers) {
    CDerivedDialog dlg;
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(kCustom, BN_CLICKED), reinterpret_cast<LPARAM>(d.GetDlgItem(kCustom)));
        EXPECT_EQ(d.SendMessage(WM_TEST_PING, 3), 5);
        // A notification other than a click is not a command.
        d.SendMessage(WM_COMMAND, MAKEWPARAM(kCustom, BN_SETFOCUS), reinterpret_cast<LPARAM>(d.GetDlgItem(kCustom)));
        d.Next();
    });
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{ "init", "derived custom", "ping 3" }));
}

TEST(DialogTest, KeysPassThroughPreTranslateMessageBeforeTheDialogManager) {
    CScriptedDialog dlg;
    dlg.m_bSwallowEnter = true;
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        HWND edit = d.GetDlgItem(kEdit);
        ::SetFocus(edit);
        Key(edit, VK_RETURN);      // would press the default button
        PostMessageW(edit, WM_CHAR, L'a', 1);
        PostMessageW(edit, WM_CHAR, L'b', 1);
        d.Next();
    });
    dlg.m_steps.push_back([](CScriptedDialog& d) {
        EXPECT_EQ(d.m_edit.m_nChars, 2);
        EXPECT_EQ(d.m_edit.GetWindowText(), CString(L"ab"));
        d.m_bSwallowEnter = false;
        Key(d.GetDlgItem(kEdit), VK_RETURN);  // now the dialog manager turns it into OK
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{ "init", "enter swallowed", "ok" }));
}

TEST(DialogTest, CloseAndEscapeCancel) {
    for (bool useEscape : { false, true }) {
        CScriptedDialog dlg;
        dlg.m_steps.push_back([useEscape](CScriptedDialog& d) {
            if (useEscape) Key(d.GetDlgItem(kEdit), VK_ESCAPE);
            else d.PostMessage(WM_CLOSE);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_log.back(), "cancel");
    }
}

TEST(DialogTest, OwnerIsDisabledWhileModalAndEnabledAfter) {
    CDialog owner(kTemplate);
    ASSERT_TRUE(owner.Create(kTemplate));
    CScriptedDialog dlg(&owner);
    dlg.m_steps.push_back([&owner](CScriptedDialog& d) {
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(::GetWindow(d.m_hWnd, GW_OWNER), owner.m_hWnd);
        d.Next();
    });
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
    EXPECT_EQ(owner.m_hWnd, nullptr);
}

TEST(DialogTest, OpensCentredOnItsOwnerUnlessItPlacedItself) {
    CDialog owner(kTemplate);
    ASSERT_TRUE(owner.Create(kTemplate));
    owner.SetWindowPos(nullptr, 100, 80, 900, 600, SWP_NOZORDER | SWP_SHOWWINDOW);
    for (bool placesItself : { false, true }) {
        CScriptedDialog dlg(&owner);
        if (placesItself) dlg.m_ptPlace = { 30, 40 };
        RECT rc = {};
        dlg.m_steps.push_back([&rc](CScriptedDialog& d) {
            d.GetWindowRect(&rc);
            d.Next();
        });
        EXPECT_EQ(dlg.DoModal(), 77);
        if (placesItself) {
            EXPECT_EQ(rc.left, 30);
            EXPECT_EQ(rc.top, 40);
        } else {
            EXPECT_NEAR((rc.left + rc.right) / 2, 100 + 900 / 2, 1);
            EXPECT_NEAR((rc.top + rc.bottom) / 2, 80 + 600 / 2, 1);
        }
    }
    owner.DestroyWindow();
}

TEST(DialogTest, MissingTemplateFailsWithMinusOne) {
    CDialog dlg(29999);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(29999));
}

// A modeless window that deletes itself when its window goes, as long-lived windows do.
class CSelfDeleting : public CDialog {
public:
    explicit CSelfDeleting(bool* pGone) : CDialog(kTemplate), m_pGone(pGone) {}
protected:
    void PostNcDestroy() override { *m_pGone = true; delete this; }
    bool* m_pGone;
};

TEST(DialogTest, ModelessDialogLivesUntilDestroyed) {
    bool gone = false;
    auto* dlg = new CSelfDeleting(&gone);
    ASSERT_TRUE(dlg->Create(kTemplate));
    HWND h = dlg->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(h), dlg);
    dlg->ShowWindow(SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(h));
    ::DestroyWindow(h);
    EXPECT_TRUE(gone);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST(WndTest, AnObjectThatGoesFirstLeavesItsWindowUsable) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    {
        CCountingEdit bound;
        ASSERT_TRUE(bound.SubclassWindow(edit));
        EXPECT_FALSE(CCountingEdit().SubclassWindow(edit));  // one object per window
        SendMessageW(edit, WM_CHAR, L'x', 1);
        EXPECT_EQ(bound.m_nChars, 1);
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    SendMessageW(edit, WM_CHAR, L'y', 1);  // would crash if the old procedure were still ours
    wchar_t text[8];
    GetWindowTextW(edit, text, 8);
    EXPECT_STREQ(text, L"xy");
    DestroyWindow(edit);
}

TEST(WinAppTest, ProfileStoreKeepsValuesPerSection) {
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    EXPECT_TRUE(app->WriteProfileString(L"Uninstall", L"DisplayName", L"《Tessik》加强版"));
    EXPECT_EQ(app->GetProfileString(L"Uninstall", L"DisplayName"), CString(L"《Tessik》加强版"));
    EXPECT_EQ(app->GetProfileString(L"Uninstall", L"Missing", L"def"), CString(L"def"));
    EXPECT_TRUE(app->WriteProfileInt(L"Other", L"n", 42));
    EXPECT_EQ(app->GetProfileInt(L"Other", L"n", 0), 42u);

    HKEY key = nullptr;
    CString path = L"Software\\Brennhollow\\" + app->m_strAppName + L"\\Uninstall";
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brennhollow");
}

}  // namespace
