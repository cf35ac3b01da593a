// Message maps: each window class lists the messages and command ids it handles, one member each.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_PAINT()
//       ON_MESSAGE(WM_USER + 5, OnSomething)      // LRESULT OnSomething(WPARAM, LPARAM)
//       ON_COMMAND(IDC_RELOAD, OnReload)          // void OnReload()
//   END_MESSAGE_MAP()
//
// The table is searched from the most derived class to CWnd; a message nobody lists goes to
// the window's default procedure. A handler may still pass a message on by calling Default().
#pragma once
#include <windows.h>
#include <cstddef>

class CWnd;

struct MessageMapEntry {
    UINT message;   // WM_COMMAND for commands
    UINT id;        // command id, or 0 for a plain message
    LRESULT (*invoke)(CWnd* self, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
    size_t count;
};

namespace fw {
// One adapter per handler shape; the cast back to the declaring class is safe because the entry
// is only ever consulted for objects of that class.
template <class T, LRESULT (T::*F)(WPARAM, LPARAM)>
LRESULT InvokeMessage(CWnd* w, WPARAM wp, LPARAM lp) { return (static_cast<T*>(w)->*F)(wp, lp); }
template <class T, void (T::*F)()>
LRESULT InvokeCommand(CWnd* w, WPARAM, LPARAM) { (static_cast<T*>(w)->*F)(); return 0; }
template <class T, void (T::*F)()>
LRESULT InvokeVoid(CWnd* w, WPARAM, LPARAM) { (static_cast<T*>(w)->*F)(); return 0; }
template <class T, void (T::*F)(UINT_PTR)>
LRESULT InvokeTimer(CWnd* w, WPARAM wp, LPARAM) { (static_cast<T*>(w)->*F)(wp); return 0; }
template <class T, void (T::*F)(UINT, int, int)>
LRESULT InvokeSize(CWnd* w, WPARAM wp, LPARAM lp) {
    (static_cast<T*>(w)->*F)(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
    return 0;
}
template <class T, BOOL (T::*F)(HDC)>
LRESULT InvokeEraseBkgnd(CWnd* w, WPARAM wp, LPARAM) { return (static_cast<T*>(w)->*F)(reinterpret_cast<HDC>(wp)); }
template <class T, void (T::*F)(UINT, POINT)>
LRESULT InvokeMouse(CWnd* w, WPARAM wp, LPARAM lp) {
    POINT pt = { static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)) };
    (static_cast<T*>(w)->*F)(static_cast<UINT>(wp), pt);
    return 0;
}
}  // namespace fw

#define DECLARE_MESSAGE_MAP()                                            \
public:                                                                  \
    static const MessageMap* GetThisMessageMap();                        \
protected:                                                               \
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                           \
    const MessageMap* theClass::GetThisMessageMap() {                    \
        typedef theClass ThisClass;                                      \
        typedef baseClass BaseClass;                                     \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                \
            { 0, 0, nullptr } };                                         \
        static const MessageMap map = { &BaseClass::GetThisMessageMap, entries, \
                                        sizeof(entries) / sizeof(entries[0]) - 1 }; \
        return &map;                                                     \
    }

#define ON_MESSAGE(msg, fn)   { msg, 0, &fw::InvokeMessage<ThisClass, &ThisClass::fn> },
#define ON_COMMAND(id, fn)    { WM_COMMAND, static_cast<UINT>(id), &fw::InvokeCommand<ThisClass, &ThisClass::fn> },
#define ON_WM_PAINT()         { WM_PAINT, 0, &fw::InvokeVoid<ThisClass, &ThisClass::OnPaint> },
#define ON_WM_DESTROY()       { WM_DESTROY, 0, &fw::InvokeVoid<ThisClass, &ThisClass::OnDestroy> },
#define ON_WM_TIMER()         { WM_TIMER, 0, &fw::InvokeTimer<ThisClass, &ThisClass::OnTimer> },
#define ON_WM_SIZE()          { WM_SIZE, 0, &fw::InvokeSize<ThisClass, &ThisClass::OnSize> },
#define ON_WM_ERASEBKGND()    { WM_ERASEBKGND, 0, &fw::InvokeEraseBkgnd<ThisClass, &ThisClass::OnEraseBkgnd> },
#define ON_WM_LBUTTONDOWN()   { WM_LBUTTONDOWN, 0, &fw::InvokeMouse<ThisClass, &ThisClass::OnLButtonDown> },
#define ON_WM_LBUTTONUP()     { WM_LBUTTONUP, 0, &fw::InvokeMouse<ThisClass, &ThisClass::OnLButtonUp> },
#define ON_WM_LBUTTONDBLCLK() { WM_LBUTTONDBLCLK, 0, &fw::InvokeMouse<ThisClass, &ThisClass::OnLButtonDblClk> },
#define ON_WM_MOUSEMOVE()     { WM_MOUSEMOVE, 0, &fw::InvokeMouse<ThisClass, &ThisClass::OnMouseMove> },
