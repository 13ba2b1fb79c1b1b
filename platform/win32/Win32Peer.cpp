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

std::wstring wideText(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(text.size(), L'\0');
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), size);
    wide.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
    return wide;
}

std::string narrowText(const wchar_t* text, int length) {
    if (length <= 0)
        return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
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
    case ui::Aspect::State: // a command selected or no longer (Win32Accessible.cpp)
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
        break;
    default:
        break;
    }
}

LRESULT Peer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return callOriginal(message, wParam, lParam);
}

LRESULT Peer::callOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return wide_ ? CallWindowProcW(original_, hwnd_, message, wParam, lParam)
                 : CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

HWND Peer::createControl(HWND parent, const char* className, DWORD style, DWORD exStyle,
                         const char* text, bool unicode, const RECT* at) {
    const RECT place = at ? *at : view_.scale().rect(control_.rect);
    int id = view_.nextId();
    const DWORD fullStyle = WS_CHILD | WS_CLIPSIBLINGS | visibleStyle() | enabledStyle() | style;
    auto* menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND hwnd =
        unicode ? CreateWindowExW(exStyle, wideText(className).c_str(), wideText(text).c_str(),
                                  fullStyle, place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, parent, menu, view_.instance(), nullptr)
                : CreateWindowExA(exStyle, className, text, fullStyle, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent, menu,
                                  view_.instance(), nullptr);
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
    // A Unicode window stays one: an "A" subclass would have every typed character
    // converted to the keyboard's code page on its way through.
    wide_ = IsWindowUnicode(hwnd_) != FALSE;
    const auto proc = reinterpret_cast<LONG_PTR>(peerSubclassProc);
    original_ = reinterpret_cast<WNDPROC>(wide_ ? SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, proc)
                                                : SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, proc));
}

LRESULT CALLBACK peerSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer = Peer::of(hwnd);
    if (!peer)
        return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, message, wParam, lParam)
                                     : DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC original = peer->original_;
        const bool wide = peer->wide_;
        const auto proc = reinterpret_cast<LONG_PTR>(original);
        wide ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, proc)
             : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, proc);
        peer->detach();
        return wide ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                    : CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    if (message == WM_GETOBJECT)
        if (const LRESULT object = accessibleObject(hwnd, wParam, lParam))
            return object;
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
    if (message == WM_GETOBJECT)
        if (const LRESULT object = accessibleObject(hwnd, wParam, lParam))
            return object;
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
