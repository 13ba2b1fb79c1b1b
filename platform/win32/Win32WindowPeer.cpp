// The top-level window: a fixed-size tool window whose client area is exactly the model's
// size, with the model's caption, icon, visibility and window state.

#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

namespace {

// Caption and close box; no minimise or maximise box, no sizing border.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

DWORD exStyleOf(const ui::Window& window) {
    return WS_EX_CONTROLPARENT | (window.toolWindow ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW);
}

} // namespace

void WindowPeer::create(HWND /*parent*/) {
    const Scale& scale = view_.scale();
    RECT frame{0, 0, scale.px(window().clientWidth), scale.px(window().clientHeight)};
    DWORD exStyle = exStyleOf(window());
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, exStyle);
    const char* className = registerPeerClass(view_.instance(), "MorvaneWindow", 0);
    HWND hwnd = CreateWindowExA(exStyle, className, window().caption().c_str(), kWindowStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, view_.instance(), this);
    if (!hwnd)
        return;
    if (!window().icon.empty()) {
        // The large icon for Alt+Tab and the tray, the small one for the caption.
        auto load = [&](int size) {
            return reinterpret_cast<LPARAM>(LoadImageA(view_.instance(), window().icon.c_str(),
                                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        };
        if (LPARAM big = load(GetSystemMetrics(SM_CXICON)))
            SendMessageA(hwnd, WM_SETICON, ICON_BIG, big);
        if (LPARAM small = load(GetSystemMetrics(SM_CXSMICON)))
            SendMessageA(hwnd, WM_SETICON, ICON_SMALL, small);
    }
    if (!window().enabled())
        EnableWindow(hwnd, FALSE);
}

void WindowPeer::show(bool visible) {
    if (!visible) {
        if (view_.beforeHide)
            view_.beforeHide();
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    // Back from the tray: the model made the state normal while the window was hidden.
    bool restore = IsIconic(hwnd_) && window().state() == ui::WindowState::Normal;
    ShowWindow(hwnd_, restore ? SW_RESTORE : SW_SHOW);
    // Every control drawn at once, not when the message loop next runs (a handler may keep
    // it busy for a while): the window appears finished. Showing made all of it invalid
    // already; invalidating it again would erase and paint every control twice. A first
    // showing is followed by a message loop straight away (start-up's, or a dialog's own),
    // which draws it: drawing it here would only keep that loop from answering sooner.
    if (shownBefore_) {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else {
        shownBefore_ = true;
        view_.settleInput();
        if (HWND first = view_.nextTabStop(nullptr, false))
            SetFocus(first);
        // A window's size is first settled when it is first shown: that counts as a resize.
        if (window().Resize && live())
            window().Resize();
    }
}

void WindowPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    switch (aspect) {
    case ui::Aspect::Text:
        SetWindowTextA(hwnd_, window().caption().c_str());
        break;
    case ui::Aspect::Visible:
        show(window().visible());
        break;
    case ui::Aspect::State:
        if (window().state() == ui::WindowState::Minimised) {
            if (!IsIconic(hwnd_) && IsWindowVisible(hwnd_))
                ShowWindow(hwnd_, SW_MINIMIZE);
        } else if (IsIconic(hwnd_) && IsWindowVisible(hwnd_)) {
            ShowWindow(hwnd_, SW_RESTORE);
        }
        break;
    default:
        ContainerPeer::sync(aspect);
        break;
    }
}

LRESULT WindowPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // Sent to every top-level window when the shell's task bar is made afresh (after the shell
    // restarted), which forgets the icons it showed.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == taskbarCreated && taskbarCreated != 0) {
        if (live() && window().TaskbarCreated)
            window().TaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_ACTIVATE:
        // Back to the control that had the focus, as a dialog does, rather than to the
        // window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focus_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
        } else if (!HIWORD(wParam)) {
            SetFocus(focus_ && IsWindow(focus_) && view_.takesFocus(focus_) ? focus_ : hwnd_);
            view_.settleInput(); // not the window itself, nor a page that went behind meanwhile
            return 0;
        }
        break;
    case Win32View::kSettleInput:
        view_.settleInput();
        return 0;
    case WM_CLOSE:
        view_.closeBox();
        return 0;
    // High contrast switched on or off, or other colours chosen: painted afresh.
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        view_.coloursChanged(message == WM_SYSCOLORCHANGE);
        break;
    // Log-off and shut-down: agreed to at once; when the session does end, the window ends
    // as its close box would end it.
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            view_.endSession();
        return 0;
    case WM_SIZE:
        if (live()) {
            if (wParam == SIZE_MINIMIZED)
                window().setState(ui::WindowState::Minimised);
            else if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
                window().setState(ui::WindowState::Normal);
        }
        return 0;
    case WM_TIMER:
        if (TimerPeer* timer = view_.timer(wParam)) {
            if (live())
                timer->tick();
            return 0;
        }
        break;
    default:
        break;
    }
    return ContainerPeer::handle(message, wParam, lParam);
}

} // namespace morvane::win32
