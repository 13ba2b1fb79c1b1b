// The plumbing every peer shares: linking a window to its peer, subclassing system
// controls, placing a control, the generic aspects.

#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

int mouseButtons(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON)
        buttons |= ui::kLeftButton;
    if (keys & MK_RBUTTON)
        buttons |= ui::kRightButton;
    if (keys & MK_MBUTTON)
        buttons |= ui::kMiddleButton;
    return buttons;
}

int shiftState(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT)
        shift |= 1;
    if (keys & MK_CONTROL)
        shift |= 2;
    if (GetKeyState(VK_MENU) < 0)
        shift |= 4;
    return shift;
}

// The window's user data links it to its peer (the system controls leave that slot to the
// application). Every message to every control looks its peer up: a window property would
// cost two calls to the Wine server each time (the atom, then the property), which made
// filling a list of thousands of rows take seconds.
Peer* Peer::of(HWND hwnd) {
    return hwnd ? reinterpret_cast<Peer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) : nullptr;
}

void Peer::attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Peer::detach() {
    if (!hwnd_)
        return;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

bool Peer::live() const {
    return view_.live();
}

void Peer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    switch (aspect) {
    case ui::Aspect::Visible:
        ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
        view_.settleInputLater();
        break;
    case ui::Aspect::Enabled:
        EnableWindow(hwnd_, control_.enabled());
        view_.settleInputLater();
        break;
    default:
        break;
    }
}

LRESULT Peer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return callOriginal(message, wParam, lParam);
}

LRESULT Peer::callOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

HWND Peer::createControl(HWND parent, const char* className, DWORD style, DWORD exStyle,
                         const char* text) {
    RECT place = view_.scale().rect(control_.rect);
    int id = view_.nextId();
    HWND hwnd = CreateWindowExA(
        exStyle, className, text,
        WS_CHILD | WS_CLIPSIBLINGS | visibleStyle() | enabledStyle() | style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), view_.instance(), nullptr);
    if (!hwnd)
        return nullptr;
    attach(hwnd);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(view_.gdi().font(control_.font)),
                 FALSE);
    return hwnd;
}

void Peer::subclass() {
    if (!hwnd_)
        return;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(peerSubclassProc)));
}

LRESULT CALLBACK peerSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer = Peer::of(hwnd);
    if (!peer)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC original = peer->original_;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        peer->detach();
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    return peer->handle(message, wParam, lParam);
}

LRESULT CALLBACK peerClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* peer = static_cast<Peer*>(create->lpCreateParams))
            peer->attach(hwnd);
    }
    Peer* peer = Peer::of(hwnd);
    if (!peer)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        peer->detach();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return peer->handle(message, wParam, lParam);
}

const char* registerPeerClass(HINSTANCE instance, const char* name, UINT style) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, name, &existing))
        return name;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = peerClassProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
    return name;
}

} // namespace morvane::win32
