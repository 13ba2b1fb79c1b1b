#include "platform/win32/Win32WindowManager.h"

#include <utility>
#include <vector>

namespace morvane {

namespace {

// The shift state of the key being handled, as the model's handlers take it.
int keyShift() {
    return (GetKeyState(VK_SHIFT) < 0 ? ui::kShiftKey : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? ui::kCtrlKey : 0) |
           (GetKeyState(VK_MENU) < 0 ? ui::kAltKey : 0);
}

BOOL CALLBACK collectEnabled(HWND hwnd, LPARAM list) {
    if (IsWindowEnabled(hwnd))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

} // namespace

Win32WindowManager::Win32WindowManager(HINSTANCE instance, int dpi)
    : instance_(instance), dpi_(dpi > 0 ? dpi : win32::Scale::screenDpi()) {}

Win32WindowManager::~Win32WindowManager() {
    releaseAll();
}

Win32View& Win32WindowManager::realise(ui::Window& window) {
    auto found = views_.find(&window);
    if (found != views_.end())
        return *found->second;
    auto view = std::make_unique<Win32View>(window, instance_, dpi_);
    view->busy = [this] { return busy_ && busy_(); };
    view->onClose = [this, &window] {
        if (window.Unload)
            window.Unload();
        if (&window != main_)
            return false; // a dialog: hidden, and made afresh at its next show
        endProgram();     // closing the main window always goes on
        return true;
    };
    // Log-off or shut-down: only the main window's end counts; the system ends the process
    // anyway once every window has answered.
    view->onEndSession = [this, &window] {
        if (&window != main_)
            return;
        if (window.Unload)
            window.Unload();
        endProgram();
    };
    return *views_.emplace(&window, std::move(view)).first->second;
}

Win32View* Win32WindowManager::viewOf(const ui::Window& window) const {
    auto found = views_.find(&window);
    return found == views_.end() ? nullptr : found->second.get();
}

void Win32WindowManager::release(ui::Window& window) {
    views_.erase(&window);
}

void Win32WindowManager::releaseAll() {
    views_.clear();
}

void Win32WindowManager::setMainWindow(ui::Window& window) {
    main_ = &window;
    realise(window);
}

void Win32WindowManager::dispatch(MSG& message) {
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.hwnd) {
        if (Win32View* view = viewOfHandle(GetAncestor(message.hwnd, GA_ROOT))) {
            view->keyPressed(static_cast<int>(message.wParam));
            ui::Window& window = view->model();
            if (window.KeyDown && window.KeyDown(static_cast<int>(message.wParam), keyShift()))
                return;
        }
    }
    // Enter and Esc press the window's default and cancel buttons, unless a drop-down list is
    // open: there they close the list.
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) && message.hwnd &&
        !SendMessageA(message.hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
        if (Win32View* view = viewOfHandle(GetAncestor(message.hwnd, GA_ROOT))) {
            ui::Window& window = view->model();
            ui::Button* button =
                message.wParam == VK_RETURN ? window.defaultButton : window.cancelButton;
            if (button && button->shownOnScreen() && button->enabled()) {
                button->click();
                return;
            }
        }
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && message.hwnd) {
        if (Win32View* view = viewOfHandle(GetAncestor(message.hwnd, GA_ROOT))) {
            bool back = GetKeyState(VK_SHIFT) < 0;
            if (HWND next = view->nextTabStop(GetFocus(), back)) {
                SetFocus(next);
                // As in a dialog: a text box reached by Tab holds its text selected, so what
                // is typed replaces it. A click still places the caret.
                char kind[8] = {};
                GetClassNameA(next, kind, sizeof kind);
                if (lstrcmpiA(kind, "Edit") == 0)
                    SendMessageW(next, EM_SETSEL, 0, -1);
                return;
            }
        }
    }
    // The Tab's character is not typed into an edit.
    if (message.message == WM_CHAR && message.wParam == '\t')
        return;
    // Taken and passed on as UTF-16: a character typed into a text box (a Unicode window)
    // would otherwise be cut down to the keyboard's code page on the way, whatever the
    // process's code page is. Our "A" windows get their messages converted as before.
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

Win32View* Win32WindowManager::viewOfHandle(HWND top) const {
    for (const auto& [window, view] : views_)
        if (top && view->handle() == top)
            return view.get();
    return nullptr;
}

int Win32WindowManager::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

void Win32WindowManager::doEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop
            return;
        }
        dispatch(message);
    }
}

// Each look at the queue is a trip to the window server, dearer than handling one item of a
// loop (a filter pass over a hundred thousand names); the tick count is only a memory read.
// Looking once per tick (10 to 16 ms) keeps the window as responsive as the user can tell.
void Win32WindowManager::doEventsInLoop() {
    DWORD now = GetTickCount();
    if (now == lastLook_)
        return;
    lastLook_ = now;
    doEvents();
}

void Win32WindowManager::showModal(ui::Window& window) {
    Win32View& view = realise(window);
    HWND dialog = view.handle();
    if (!dialog)
        return; // no window system to show it on
    HWND owner = window.centredOnOwner ? dialogOwner() : nullptr;
    HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&disabled));
    std::erase(disabled, dialog);
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, FALSE);
    // The others take input again before the dialog goes: a window that is hidden while all
    // the others are disabled leaves no window active (under Wine none at all, on Windows
    // another program's).
    auto enableOthers = [&disabled] {
        for (HWND hwnd : disabled)
            if (IsWindow(hwnd))
                EnableWindow(hwnd, TRUE);
        disabled.clear();
    };
    view.beforeHide = enableOthers;
    modal_.push_back(&window);

    view.centre(owner);
    window.setVisible(true);
    SetForegroundWindow(dialog);
    MSG message;
    bool quit = false;
    while (!ended() && window.visible() && !view.closed() && IsWindow(dialog)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        dispatch(message);
    }

    modal_.pop_back();
    view.beforeHide = nullptr;
    enableOthers();
    // Made afresh at the next show: the model may be gone by then.
    release(window);
    activate(active);
    if (quit)
        PostQuitMessage(static_cast<int>(message.wParam));
}

void Win32WindowManager::activate(HWND window) {
    if (window && IsWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window) &&
        GetForegroundWindow() != window)
        SetForegroundWindow(window);
}

void Win32WindowManager::endProgram() {
    ended_ = true;
    ExitProcess(0);
}

void Win32WindowManager::leaveFocusedControl(ui::Window& window) {
    if (Win32View* view = viewOf(window))
        view->leaveFocus();
}

std::uintptr_t Win32WindowManager::windowHandle(const ui::Window& window) const {
    Win32View* view = viewOf(window);
    return reinterpret_cast<std::uintptr_t>(view ? view->handle() : nullptr);
}

// The notification area shows small icons: the window's small one, else its large one.
std::uintptr_t Win32WindowManager::windowIcon(const ui::Window& window) const {
    HWND hwnd = reinterpret_cast<HWND>(windowHandle(window));
    if (!hwnd)
        return 0;
    LRESULT icon = SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0);
    if (!icon)
        icon = SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0);
    // An empty icon would be an invisible one: the hidden window could not be found again.
    if (!icon)
        icon = reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_APPLICATION));
    return static_cast<std::uintptr_t>(icon);
}

HWND Win32WindowManager::dialogOwner() const {
    for (auto it = modal_.rbegin(); it != modal_.rend(); ++it) {
        Win32View* view = viewOf(**it);
        if (view && view->handle() && IsWindowVisible(view->handle()))
            return view->handle();
    }
    if (main_) {
        Win32View* view = viewOf(*main_);
        if (view && view->handle() && IsWindowVisible(view->handle()))
            return view->handle();
    }
    return nullptr;
}

std::optional<POINT> Win32WindowManager::takeMenuPlace() {
    std::optional<POINT> place;
    for (const auto& [window, view] : views_)
        if (view->menuPlace)
            place = std::exchange(view->menuPlace, std::nullopt);
    return place;
}

HWND Win32WindowManager::menuOwner() const {
    if (HWND owner = dialogOwner())
        return owner;
    if (main_)
        if (Win32View* view = viewOf(*main_))
            return view->handle();
    return nullptr;
}

} // namespace morvane
