// Frames and picture boxes: plain child windows of our own class that paint their colour and
// outlines, report mouse moves over their own background, and pass their children's
// notifications back to the children's peers.

#include <windowsx.h>

#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

void ContainerPeer::create(HWND parent) {
    RECT place = view_.scale().rect(control_.rect);
    const char* className = registerPeerClass(view_.instance(), "MorvaneContainer", 0);
    // Clip the children: a list box set partly outside a picture box is cut at its edge.
    CreateWindowExA(WS_EX_CONTROLPARENT, className, "",
                    WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | visibleStyle() | enabledStyle(),
                    place.left, place.top, place.right - place.left, place.bottom - place.top,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(view_.nextId())),
                    view_.instance(), this);
}

void ContainerPeer::sync(ui::Aspect aspect) {
    if (aspect == ui::Aspect::ZOrder && hwnd_) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        view_.settleInputLater();
        return;
    }
    if (aspect == ui::Aspect::Enabled && hwnd_) {
        EnableWindow(hwnd_, control_.enabled() && !covered_);
        view_.settleInputLater();
        return;
    }
    Peer::sync(aspect);
}

void ContainerPeer::setCovered(bool covered) {
    covered_ = covered;
    if (!hwnd_)
        return;
    if ((IsWindowEnabled(hwnd_) != FALSE) != (control_.enabled() && !covered))
        EnableWindow(hwnd_, control_.enabled() && !covered);
    if (!covered && control_.visible() && !(GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(hwnd_, SW_SHOWNA);
}

void ContainerPeer::hideIfCovered() {
    if (hwnd_ && covered_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(hwnd_, SW_HIDE);
}

void ContainerPeer::paintOutlines(HDC dc) {
    if (container().outlines.empty())
        return;
    const Scale& scale = view_.scale();
    HPEN pen = CreatePen(PS_SOLID, scale.lineWidth(), view_.textColour(control_));
    HGDIOBJ oldPen = SelectObject(dc, pen ? pen : GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const ui::Outline& outline : container().outlines) {
        RECT r = scale.rect(outline.rect);
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (pen)
        DeleteObject(pen);
    // A command of ours with the focus shows it inside its outline, clear of its caption, once
    // the keyboard has been used (a mouse user never sees it).
    const Peer* focused = Peer::of(GetFocus());
    if (view_.showsFocus() && focused && focused->control().parent() == &container())
        if (const ui::Outline* outline = outlineAround(focused->control())) {
            RECT r = scale.rect(outline->rect);
            const int inset = scale.px(30);
            InflateRect(&r, -inset, -inset);
            DrawFocusRect(dc, &r);
        }
}

const ui::Outline* outlineHolding(const ui::Control& control) {
    if (!control.parent())
        return nullptr;
    const ui::Rect& r = control.rect;
    for (const ui::Outline& outline : control.parent()->outlines) {
        const ui::Rect& o = outline.rect;
        if (o.left <= r.left && o.top <= r.top && o.left + o.width >= r.left + r.width &&
            o.top + o.height >= r.top + r.height)
            return &outline;
    }
    return nullptr;
}

const ui::Outline* outlineAround(const ui::Control& control) {
    return isCommand(control) ? outlineHolding(control) : nullptr;
}

LRESULT ContainerPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 view_.gdi().brush(view_.background(control_)));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd_, &paint);
        if (dc) {
            paintOutlines(dc);
            EndPaint(hwnd_, &paint);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (live() && container().MouseMove) {
            const Scale& scale = view_.scale();
            container().MouseMove(mouseButtons(wParam), shiftState(wParam),
                                  scale.twips(GET_X_LPARAM(lParam)),
                                  scale.twips(GET_Y_LPARAM(lParam)));
        }
        return 0;
    case WM_SETCURSOR:
        if (view_.busy && view_.busy()) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (lParam) {
            if (Peer* child = Peer::of(reinterpret_cast<HWND>(lParam))) {
                if (live())
                    child->command(HIWORD(wParam));
                return 0;
            }
        }
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Peer* child = Peer::of(item->hwndItem))
            if (child->draw(*item))
                return TRUE;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (Peer* child = Peer::of(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = child->colours(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    default:
        break;
    }
    return Peer::handle(message, wParam, lParam);
}

} // namespace morvane::win32
