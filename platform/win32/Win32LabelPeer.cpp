// Labels: an owner-drawn STATIC with SS_NOTIFY, so it can be clicked and is hit-tested for
// mouse moves (without it a static is transparent and its container would get the move). A
// static never takes the focus, so clicking a label leaves the focus where it was.
//
// A label that is a command (a menu item) is an owner-drawn BUTTON instead, painted the same:
// Tab reaches it, Space and Enter press it, and assistive technology reads a push button with
// the action "Press". Its mouse press is taken here, before the button would take the focus,
// so a click on it still leaves the focus where it was.

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

bool isCommand(const ui::Control& control) {
    return control.kind() == ui::Kind::Label && static_cast<const ui::Label&>(control).command;
}

void LabelPeer::create(HWND parent) {
    const RECT place = fitted();
    const bool command = label().command;
    if (!createControl(parent, command ? "BUTTON" : "STATIC",
                       command ? WS_TABSTOP | BS_OWNERDRAW : SS_NOTIFY | SS_OWNERDRAW, 0,
                       label().caption().c_str(), false, &place))
        return;
    subclass();
}

// Decides between one line and wrapping, and widens a one-line label whose caption is wider
// than the label: a centred one on both sides, a left-aligned one to the right.
RECT LabelPeer::fitted() {
    const Scale& scale = view_.scale();
    RECT place = scale.rect(control_.rect);
    int width = place.right - place.left;
    int height = place.bottom - place.top;
    const std::string& caption = label().caption();
    const int lineHeight = view_.gdi().lineHeight(control_.font);
    const SIZE extent = view_.gdi().textExtent(control_.font, wideText(caption));

    // A caption that misses the label's width by a few pixels (the stand-in fonts of a dense
    // screen run a little wider than the designed ones) stays on one line too: its second
    // line would fall under the controls below ("Registered Profile:" at 150 %).
    oneLine_ = caption.find('\n') == std::string::npos &&
               (height < 2 * lineHeight || extent.cx <= width + width / 20);
    int wanted = oneLine_ && extent.cx > width ? extent.cx : width;
    int left = place.left - (label().centred ? (wanted - width + 1) / 2 : 0);
    // A caption widened past the inside of the outline it sits in (CHECK FOR UPDATES in the
    // stand-in fonts) is centred in it instead, and cut to it: the outline stays whole.
    if (const ui::Outline* outline = outlineHolding(control_); outline && wanted > width) {
        const RECT around = scale.rect(outline->rect);
        const int insideLeft = around.left + scale.lineWidth();
        const int inside = around.right - around.left - 2 * scale.lineWidth();
        if (left < insideLeft || left + wanted > insideLeft + inside) {
            wanted = std::min(wanted, inside);
            left = insideLeft + (inside - wanted) / 2;
        }
    }
    return RECT{left, place.top, left + wanted, place.top + height};
}

void LabelPeer::fit() {
    const RECT place = fitted();
    SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LabelPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    switch (aspect) {
    case ui::Aspect::Text:
        SetWindowTextA(hwnd_, label().caption().c_str());
        fit();
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case ui::Aspect::Colour:
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case ui::Aspect::Enabled:
        Peer::sync(aspect);
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    default:
        Peer::sync(aspect);
        break;
    }
}

void LabelPeer::command(UINT code) {
    // A quick second click is a double click (STN_DBLCLK): like a label's DblClick it is
    // not a second Click. A command's BN_CLICKED (the same code) comes from the keyboard.
    static_assert(STN_CLICKED == BN_CLICKED);
    if (code == STN_CLICKED)
        label().click();
}

bool LabelPeer::draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, view_.gdi().brush(view_.background(control_)));
    HGDIOBJ old = SelectObject(dc, view_.gdi().font(control_.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, view_.textColour(control_, label().foreColour()));
    UINT format = DT_NOPREFIX | (label().centred ? DT_CENTER : DT_LEFT) |
                  (oneLine_ ? DT_SINGLELINE : DT_WORDBREAK);
    const std::wstring caption = wideText(label().caption());
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, format);
    SelectObject(dc, old);
    return true;
}

LRESULT LabelPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // An owner-drawn static erases nothing and paints only when its WM_PAINT comes round:
    // until then a window just shown would show whatever its pixels held (black under
    // Wine). Erasing to the label's background closes that gap.
    if (message == WM_ERASEBKGND) {
        RECT area;
        GetClientRect(hwnd_, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area,
                 view_.gdi().brush(view_.background(control_)));
        return 1;
    }
    if (label().command) {
        switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The focus shows inside the command's outline, which its container draws.
            if (const ui::Outline* outline = outlineAround(control_)) {
                RECT area = view_.scale().rect(outline->rect);
                InvalidateRect(GetParent(hwnd_), &area, TRUE);
            }
            break;
        case WM_LBUTTONDOWN:
            // As a static's STN_CLICKED: at the press, and without taking the focus.
            if (live())
                label().click();
            return 0;
        case WM_LBUTTONDBLCLK:
            return 0; // a double click is not a second click
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                if (live())
                    label().click();
                return 0;
            }
            break;
        default:
            break;
        }
    }
    if (message == WM_MOUSEMOVE && live() && label().MouseMove) {
        const Scale& scale = view_.scale();
        label().MouseMove(mouseButtons(wParam), shiftState(wParam),
                          scale.twips(GET_X_LPARAM(lParam)), scale.twips(GET_Y_LPARAM(lParam)));
    }
    return callOriginal(message, wParam, lParam);
}

} // namespace morvane::win32
