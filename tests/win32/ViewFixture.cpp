#include "tests/win32/ViewFixture.h"

#include <cstdio>
#include <cstdlib>

#include "platform/win32/Win32Peers.h"

namespace morvane::view {

namespace {

std::string className(HWND hwnd) {
    char kind[64] = {};
    GetClassNameA(hwnd, kind, sizeof kind);
    return kind;
}

BOOL CALLBACK collectVisible(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> visibleWindows() {
    std::vector<HWND> shown;
    EnumThreadWindows(GetCurrentThreadId(), collectVisible, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// The visible message box of this thread, if any.
HWND messageBox() {
    for (HWND hwnd : visibleWindows())
        if (className(hwnd) == "#32770")
            return hwnd;
    return nullptr;
}

// The script in progress. Its steps run from a thread timer, which fires inside whatever
// message loop is running: the program's modal loops and the system's message boxes alike.
struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    DWORD since = 0; // when the current wait began
    HWND main = nullptr;
    bool failed = false;
};
Script* g_script = nullptr;

// Ends every modal window but the main one: message boxes by their cancel command, our own
// windows by their close box.
void closeModals(HWND main) {
    for (HWND hwnd : visibleWindows())
        if (hwnd != main)
            className(hwnd) == "#32770" ? PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0)
                                        : PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

void CALLBACK scriptTick(HWND, UINT, UINT_PTR, DWORD) {
    Script* run = g_script;
    if (!run)
        return;
    const bool late = GetTickCount() - run->since > kDeadlineMs;
    Step* step = run->next < run->steps.size() ? &run->steps[run->next] : nullptr;
    if (run->failed && late) { // something keeps the test from returning: end it, not hang
        std::fprintf(stderr, "view test: modal windows would not close: %s\n", onScreen().c_str());
        std::fflush(stderr);
        std::_Exit(3);
    } else if (!run->failed && step && step->ready()) {
        ++run->next;
        run->since = GetTickCount();
        step->act(); // may open a modal loop of its own, in which later steps run
        return;
    } else if (!run->failed && late) {
        ADD_FAILURE() << (step ? "step \"" + step->name + "\" was not possible"
                               : std::string("every step ran, yet a modal window is still open"))
                      << " after " << kDeadlineMs << " ms; on screen: " << onScreen();
        run->failed = true;
        run->since = GetTickCount();
    }
    if (run->failed)
        closeModals(run->main);
}

void mouseClick(HWND hwnd, LPARAM at) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
}

} // namespace

std::string listText(HWND list, int row) {
    char text[512] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string windowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

void clickRow(HWND list, int row) {
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    mouseClick(list, MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2));
}

std::string nameOf(HWND hwnd) {
    const win32::Peer* peer = win32::Peer::of(hwnd);
    return !hwnd  ? std::string("none")
           : peer ? peer->control().name
                  : className(hwnd) + " \"" + windowText(hwnd) + "\"";
}

std::string onScreen() {
    std::string shown = "windows [";
    for (HWND hwnd : visibleWindows())
        shown += nameOf(hwnd) + (IsWindowEnabled(hwnd) ? "" : " (disabled)") + ", ";
    return shown + "], active " + nameOf(GetActiveWindow()) + ", in front " +
           nameOf(GetForegroundWindow()) + ", focus " + nameOf(GetFocus());
}

ViewTest::ViewTest(Real real)
    : services{registry,
               files,
               real.shell ? static_cast<Shell&>(winShell) : emulated.shell,
               real.dialogs ? static_cast<Dialogs&>(winDialogs) : dialogs,
               emulated.clock,
               windows} {}

void ViewTest::SetUp() {
    windows.setMainWindow(form.window);
    ASSERT_NE(h(form.window), nullptr) << "no window: the view tests need a display (Xvfb)";
}

void ViewTest::TearDown() {
    windows.releaseAll();
}

void ViewTest::show() {
    form.window.setVisible(true);
    windows.doEvents();
}

HWND ViewTest::h(const ui::Control& control, const ui::Window* window) const {
    Win32View* view = windows.viewOf(window ? *window : form.window);
    return view ? view->handleOf(control) : nullptr;
}

HWND ViewTest::picker(const ui::Control& control) {
    return h(control, &form.picker().window);
}

void ViewTest::click(const ui::Control& label) {
    mouseClick(h(label), 0);
}

void ViewTest::press(WPARAM key, std::initializer_list<BYTE> held) {
    BYTE keys[256], before[256];
    GetKeyboardState(before);
    std::copy(std::begin(before), std::end(before), keys);
    for (BYTE k : held)
        keys[k] |= 0x80;
    SetKeyboardState(keys);
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000000);
    windows.doEvents();
    SetKeyboardState(before);
}

std::vector<std::string> ViewTest::tabCycle() {
    std::vector<std::string> visited{nameOf(GetFocus())};
    for (int i = 0; i < 40; ++i) {
        press(VK_TAB);
        if (nameOf(GetFocus()) == visited.front())
            return visited;
        visited.push_back(nameOf(GetFocus()));
    }
    ADD_FAILURE() << "Tab never came back to " << visited.front();
    return visited;
}

bool ViewTest::backOn(const ui::Control& control) {
    return GetActiveWindow() == h(form.window) && GetForegroundWindow() == h(form.window) &&
           GetFocus() == h(control);
}

bool ViewTest::waitFor(const std::string& what, const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kDeadlineMs) {
            ADD_FAILURE() << "waited " << kDeadlineMs << " ms for " << what
                          << "; on screen: " << onScreen();
            return false;
        }
        windows.doEvents();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void ViewTest::script(std::vector<Step> steps, const std::function<void()>& action) {
    Script run{std::move(steps), 0, GetTickCount(), h(form.window), false};
    g_script = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, scriptTick);
    action();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    if (!run.failed && run.next < run.steps.size())
        ADD_FAILURE() << "step \"" << run.steps[run.next].name
                      << "\" never ran: the modal windows closed before it; on screen: "
                      << onScreen();
}

Step ViewTest::inPicker(std::string name, std::function<void()> act) {
    return {std::move(name),
            [this] {
                HWND dialog = picker(form.picker().window);
                return dialog && IsWindowVisible(dialog) && IsWindowEnabled(dialog);
            },
            std::move(act)};
}

Step ViewTest::answer(int button) {
    return {"answer a message box with button " + std::to_string(button),
            [] { return messageBox() != nullptr; },
            [this, button] {
                HWND box = messageBox(), icon = GetDlgItem(box, 0x0440); // the box's icon
                const bool yesNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
                boxes.push_back(
                    windowText(box) + "|" + windowText(GetDlgItem(box, 0xFFFF)) + "|" +
                    (yesNo ? "YesNo" : "Ok") + "|" +
                    (icon && SendMessageA(icon, STM_GETICON, 0, 0) ? "icon" : "no icon"));
                SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
            }};
}

} // namespace morvane::view
