#pragma once
// The Win32 view of one model window: a real top-level window and a real child window for
// every control in its tree, placed from twips at the screen's DPI. The model drives the
// windows through each control's onViewSync; the windows drive the model through its user
// actions. The view holds no state of its own beyond the window handles.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Scale.h"

namespace morvane {

namespace win32 {
class Peer;
class TimerPeer;
} // namespace win32

class Win32View {
public:
    // Creates every window, all hidden until the model shows the window.
    Win32View(ui::Window& window, HINSTANCE instance, int dpi);
    // Destroys the windows and unhooks the model; the model must still be alive.
    ~Win32View();
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    ui::Window& model() const { return window_; }
    // The top-level window; nullptr when it could not be made or has been destroyed.
    HWND handle() const;
    // The real window of a control of this view; nullptr for a timer or a stranger.
    HWND handleOf(const ui::Control& control) const;

    // Places the window in the middle of the screen, or of another window when given one.
    void centre(HWND over = nullptr);
    // Tab order is the control table's order (the z-order is not: later controls lie on
    // top). The next control after from that can take the focus; from nullptr: the first.
    HWND nextTabStop(HWND from, bool backwards) const;
    // Whether a control can take the focus: shown, enabled, and on no page that lies behind
    // another (such a page is disabled by updateCovering, and hidden by settleInput).
    bool takesFocus(HWND hwnd) const;
    // After pages were shown, hidden or stacked afresh: a page under another that covers its
    // middle takes no input (it is disabled); one no longer covered is shown again at once.
    void updateCovering();
    // A focus left on a page behind (or on anything else that can no longer take it) moves
    // to the first control beside it that can; then the covered pages are hidden (hideCovered).
    // The covering is up to date already: every change of a page's place, visibility or state
    // runs settleInputLater.
    void settleInput();
    // updateCovering now, and the focus once the handler that changed the pages has
    // finished, so that no lost-focus handling runs in the middle of it.
    void settleInputLater();

    // The close box. Unless this returns true (it dealt with the close itself), the model
    // window is hidden and closed() holds.
    std::function<bool()> onClose;
    // The user's session ends (log-off or shut-down); the process goes once this returns.
    std::function<void()> onEndSession;
    // Asked on WM_SETCURSOR: while it returns true the pointer is the wait pointer.
    std::function<bool()> busy;
    // Called just before the window is hidden.
    std::function<void()> beforeHide;
    bool closed() const { return closed_; }

    // ---- For the peers.
    const win32::Scale& scale() const { return scale_; }
    win32::GdiCache& gdi() { return gdi_; }
    HINSTANCE instance() const { return instance_; }
    // What a control paints behind itself: its own colour, else (a label, an image) its
    // container's, else the system's colour for a dialog. While high contrast is on, the
    // system's colour for what the control is: a window's (lists, boxes, white areas) or a
    // button face's (the rest).
    COLORREF background(const ui::Control& control) const;
    // The colour of text drawn in a control on its background: in its model's colour fore (a
    // label's) on a colour of the model's own, else in the system's colour for text on that
    // background; greyed out when the control is disabled. While high contrast is on, always
    // the system's: the hot-tracking colour for a highlighted label (fore not black) on a
    // window's colour.
    COLORREF textColour(const ui::Control& control, ui::Colour fore = ui::kBlack) const;
    // The system's colours or its high-contrast setting changed: read the setting again and
    // paint the whole window afresh (WM_SYSCOLORCHANGE, WM_SETTINGCHANGE).
    void coloursChanged(bool repaint);
    // Whether the system's high contrast is on. A system that cannot switch it on (Wine) is
    // stood in for by tests, in their own process, with highContrastForTests.
    static bool systemHighContrast();
    static inline std::optional<bool> highContrastForTests;
    int nextId() { return nextId_++; }
    bool live() const { return live_; }
    win32::TimerPeer* timer(UINT_PTR id) const;
    void closeBox();
    void endSession();
    // The focused control of this window hears what leaving it would tell it (a text box's
    // LostFocus); the focus itself stays. Nothing when the focus is elsewhere: a window that
    // is not active has lost its focus already, with the same notice.
    void leaveFocus();
    // A key went down in this window: once it is one that moves around the window (Tab, an
    // arrow, Alt), the focus is shown from then on, as Windows' dialogs do.
    void keyPressed(int key);
    bool showsFocus() const { return showsFocus_; }
    // Screen point for the next pop-up menu, set by a control whose menu was asked for from the
    // keyboard (a menu from the mouse opens at the pointer).
    std::optional<POINT> menuPlace;
    // The message that runs settleInput later.
    static constexpr UINT kSettleInput = WM_APP + 1;

private:
    void build(ui::Container& container, HWND parent);
    void settleFocus();
    // A covered page is hidden too, once the focus has left it (hiding a window moves the focus
    // at once, in the middle of whatever handler changed the pages): the window system then
    // leaves its controls out of every paint, where they cost as much as the shown ones.
    void hideCovered();
    win32::Peer& adopt(std::unique_ptr<win32::Peer> peer);
    // The model's colour a control paints on (its own or its container's), if any.
    std::optional<ui::Colour> fixedBackground(const ui::Control& control) const;
    // The system colour a control paints on where it takes the system's (always, in high
    // contrast): COLOR_WINDOW or COLOR_BTNFACE.
    int systemBackground(const ui::Control& control) const;

    ui::Window& window_;
    HINSTANCE instance_;
    win32::Scale scale_;
    win32::GdiCache gdi_;
    std::vector<std::unique_ptr<win32::Peer>> peers_;
    std::unordered_map<const ui::Control*, win32::Peer*> byControl_;
    std::vector<win32::TimerPeer*> timers_;
    int nextId_ = 100;
    bool live_ = true;
    bool closed_ = false;
    bool settlePending_ = false;
    bool showsFocus_ = false;
    bool highContrast_ = systemHighContrast();
};

} // namespace morvane
