#pragma once
// One peer per model control: it owns the control's real window, mirrors the model into it
// (sync) and turns the window's messages into the model's user actions. A container passes
// its children's WM_COMMAND and WM_CTLCOLOR* messages back to the child's peer, so each
// peer decodes its own notifications and nothing else ever sees a WPARAM.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/Controls.h"

namespace morvane {
class Win32View;
}

namespace morvane::win32 {

// Mouse state of a mouse message as the model's handlers take it.
int mouseButtons(WPARAM keys);
int shiftState(WPARAM keys);

// The program's text (the process's code page) as UTF-16 and back, for the calls that must
// take UTF-16: GDI draws "A" text in the system's code page, not the process's, and a
// character typed into an "A" window arrives in the keyboard's code page.
std::wstring wideText(const std::string& text);
std::string narrowText(const wchar_t* text, int length);

class Peer {
public:
    Peer(Win32View& view, ui::Control& control) : view_(view), control_(control) {}
    virtual ~Peer() = default;
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    ui::Control& control() const { return control_; }
    HWND hwnd() const { return hwnd_; }

    // Makes the real window (a timer has none) inside parent, hidden if the model is.
    virtual void create(HWND parent) = 0;
    // Mirrors one changed aspect of the model.
    virtual void sync(ui::Aspect aspect);
    // A WM_COMMAND notification about this control, passed on by its container.
    virtual void command(UINT /*code*/) {}
    // WM_CTLCOLOR* about this control: the brush to paint with, nullptr for the default.
    virtual HBRUSH colours(HDC /*dc*/) { return nullptr; }
    // WM_DRAWITEM about this (owner-drawn) control; false to leave it to the default.
    virtual bool draw(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // The control's own messages (our classes, or a subclassed system control).
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    static Peer* of(HWND hwnd);

protected:
    // A system control as a child of parent at the model's place (or at place, when given),
    // in the model's font; a Unicode window when `unicode` (its text and typed characters
    // then travel as UTF-16).
    HWND createControl(HWND parent, const char* className, DWORD style, DWORD exStyle,
                       const char* text, bool unicode = false, const RECT* place = nullptr);
    // Routes the system control's messages through handle() first.
    void subclass();
    LRESULT callOriginal(UINT message, WPARAM wParam, LPARAM lParam);
    DWORD visibleStyle() const { return control_.visible() ? WS_VISIBLE : 0; }
    DWORD enabledStyle() const { return control_.enabled() ? 0 : WS_DISABLED; }
    // False while the view is being torn down: no more events to the model.
    bool live() const;

    Win32View& view_;
    ui::Control& control_;
    HWND hwnd_ = nullptr;
    WNDPROC original_ = DefWindowProcA;
    bool wide_ = false; // subclassed as a Unicode window

private:
    friend LRESULT CALLBACK peerClassProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK peerSubclassProc(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND hwnd);
    void detach();
};

// A label that runs something (a menu item): a keyboard button on Windows.
bool isCommand(const ui::Control& control);
// The outline of its container that a control sits in, if any.
const ui::Outline* outlineHolding(const ui::Control& control);
// The outline a command (a label that runs something) sits in, where its focus shows; nullptr
// for any other control.
const ui::Outline* outlineAround(const ui::Control& control);

// Our own window classes send every message to the peer given in CreateWindowEx's last
// argument.
LRESULT CALLBACK peerClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// A subclassed system control sends its messages to its peer first.
LRESULT CALLBACK peerSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
const char* registerPeerClass(HINSTANCE instance, const char* name, UINT style);
// WM_GETOBJECT for a peer's window: the system's accessible object with the model's name and a
// selected command's state; 0 where the model adds nothing (the window then answers itself).
LRESULT accessibleObject(HWND hwnd, WPARAM wParam, LPARAM objectId);

// A frame or picture box: paints its background and outlines, reports mouse moves over its
// own background, and passes its children's notifications on.
class ContainerPeer : public Peer {
public:
    ContainerPeer(Win32View& view, ui::Container& container) : Peer(view, container) {}
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A container under another that covers it takes no input, whatever the model says; one
    // no longer covered is shown again if the model shows it.
    void setCovered(bool covered);
    // Out of sight while covered (it is shown again when it no longer is).
    void hideIfCovered();

protected:
    ui::Container& container() const { return static_cast<ui::Container&>(control_); }
    void paintOutlines(HDC dc);
    bool covered_ = false;
};

// The top-level window: caption, shown or hidden, window state, close box, timers.
class WindowPeer : public ContainerPeer {
public:
    WindowPeer(Win32View& view, ui::Window& window) : ContainerPeer(view, window) {}
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ui::Window& window() const { return static_cast<ui::Window&>(control_); }
    void show(bool visible);
    bool shownBefore_ = false;
    HWND focus_ = nullptr; // the control that had the focus when the window was left
};

// Labels draw their own text: a label only one line high keeps its caption on one line and
// grows just enough to show it, so a stand-in font a pixel wider than the designed one does
// not wrap "SHARED FOLDERS" into a clipped "SHARED". Taller labels wrap at word breaks unless
// the caption nearly fits on one line.
class LabelPeer : public Peer {
public:
    LabelPeer(Win32View& view, ui::Label& label) : Peer(view, label) {}
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void command(UINT code) override;
    bool draw(const DRAWITEMSTRUCT& item) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ui::Label& label() const { return static_cast<ui::Label&>(control_); }
    // Where the label goes for its caption (and whether it is one line), worked out before
    // its window is made, so a new label needs no second move.
    RECT fitted();
    void fit();
    bool oneLine_ = false;
};

class TextBoxPeer : public Peer {
public:
    TextBoxPeer(Win32View& view, ui::TextBox& box) : Peer(view, box) {}
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void command(UINT code) override;
    HBRUSH colours(HDC dc) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ui::TextBox& box() const { return static_cast<ui::TextBox&>(control_); }
    void showText();
    COLORREF backgroundColour() const;
    LRESULT centreText(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT typed(WPARAM wParam, LPARAM lParam);
    std::string shownText() const;
    bool settingText_ = false;  // the model's own text is going in: not a user edit
    wchar_t highSurrogate_ = 0; // first half of a character outside the BMP, until its second
    int textHeight_ = 0;        // one line of the box's font, in pixels
};

class ListBoxPeer : public Peer {
public:
    ListBoxPeer(Win32View& view, ui::ListBox& list) : Peer(view, list) {}
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void command(UINT code) override;
    HBRUSH colours(HDC dc) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ui::ListBox& list() const { return static_cast<ui::ListBox&>(control_); }
    RECT place() const;
    void showItems();
    void redrawAgain();
    // A key that stands for a press of the mouse on the highlighted row; true when taken.
    bool keyed(UINT message, WPARAM wParam, LPARAM lParam);
    // True when it raised Click.
    bool reportSelection();
    bool pressedSelectedRow(LPARAM at) const;
    void reportScroll();
    // A list that follows its end (ui::ListBox::followsEnd): the rows it shows whole, whether
    // its last row is among them, and scrolling it there when the user left it there.
    int rowsInSight() const;
    bool endInSight() const;
    void showEnd();
    void announceNewest();
    bool syncing_ = false; // the model's own changes are going in: no events back
    int announced_ = 0;    // rows the list held when it last told of a new one
    bool clicked_ = false; // this left press has raised Click already
    bool keepEnd_ = true;  // the last scrolling, the user's or the model's, left the end in sight
};

class ButtonPeer : public Peer {
public:
    ButtonPeer(Win32View& view, ui::Button& button) : Peer(view, button) {}
    ~ButtonPeer() override;
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void command(UINT code) override;
    HBRUSH colours(HDC dc) override;

private:
    ui::Button& button() const { return static_cast<ui::Button&>(control_); }
    HBITMAP picture_ = nullptr;
};

// The folder picker's drive list: a drop-down list of the drives, each with the system's icon
// for it and its label.
class DriveListPeer : public Peer {
public:
    DriveListPeer(Win32View& view, ui::DriveListBox& drives) : Peer(view, drives) {}
    ~DriveListPeer() override;
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void command(UINT code) override;
    bool draw(const DRAWITEMSTRUCT& item) override;

private:
    ui::DriveListBox& drives() const { return static_cast<ui::DriveListBox&>(control_); }
    void showItems();
    void showSelection();
    std::vector<HICON> icons_; // one per item
    bool syncing_ = false;
};

// The folder picker's directory list: the open folder's parents, itself and its subfolders,
// indented by level with open and closed folder icons. A single click highlights, a double
// click opens.
class DirListPeer : public Peer {
public:
    DirListPeer(Win32View& view, ui::DirListBox& dir) : Peer(view, dir) {}
    ~DirListPeer() override;
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void command(UINT code) override;
    bool draw(const DRAWITEMSTRUCT& item) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ui::DirListBox& dir() const { return static_cast<ui::DirListBox&>(control_); }
    void showItems();
    HICON openIcon_ = nullptr;
    HICON closedIcon_ = nullptr;
    HICON driveIcon_ = nullptr;
    bool syncing_ = false;
};

// A bitmap from the resources, scaled to the control. It takes no mouse input, so moves over
// it belong to the container underneath.
class ImagePeer : public Peer {
public:
    ImagePeer(Win32View& view, ui::Image& image) : Peer(view, image) {}
    ~ImagePeer() override;
    void create(HWND parent) override;

private:
    HBITMAP picture_ = nullptr;
};

// A timer has no window of its own: it runs on the top-level window's WM_TIMER.
class TimerPeer : public Peer {
public:
    TimerPeer(Win32View& view, ui::Timer& timer, UINT_PTR id) : Peer(view, timer), id_(id) {}
    ~TimerPeer() override;
    void create(HWND parent) override;
    void sync(ui::Aspect aspect) override;
    void tick();
    UINT_PTR id() const { return id_; }

private:
    ui::Timer& timer() const { return static_cast<ui::Timer&>(control_); }
    void arm();
    UINT_PTR id_;
    HWND owner_ = nullptr;
    bool running_ = false;
};

} // namespace morvane::win32
