// List boxes: a LISTBOX with LBS_NOTIFY. A user selection is LBN_SELCHANGE, and a left press
// on the row already selected is a click too (the list notifies nothing then); a press is
// reported after the list box has handled it (so a left press has already selected its row);
// scrolling has no notification at all, so the top row is compared after every message that
// can scroll.

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

namespace {

std::string itemText(HWND list, int index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

bool canScroll(UINT message) {
    switch (message) {
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_TIMER: // scrolling while a press is dragged past the edge
    case WM_SIZE:
        return true;
    default:
        return false;
    }
}

// One side of a list set partly outside the picture box that holds it, where the box's edge
// cuts it: cut pixels at 100 % (how far it sticks out, worked out on the design's own pixels),
// as many at this screen's DPI. The cut is drawn to take away the outer line of the list's
// sunken edge (and, past the edge, the scroll bar), and the edge stays two pixels wide at
// every DPI: the part of the cut that falls on the edge keeps its pixels, only the rest
// grows. Scaling the whole cut took the edge away altogether on dense screens.
int cutAt(int cut, int dpi) {
    const int edge = std::min(cut, GetSystemMetrics(SM_CXEDGE));
    return edge + MulDiv(cut - edge, dpi, 96);
}

} // namespace

// The list's place in its container, with the sides that stick out of it cut as at 100 %.
RECT ListBoxPeer::place() const {
    const Scale& scale = view_.scale();
    RECT place = scale.rect(control_.rect);
    const ui::Container* box = control_.parent();
    if (!box || box->kind() == ui::Kind::Window)
        return place;
    const Scale design(96);
    const RECT at100 = design.rect(control_.rect), box100 = design.rect(box->rect);
    const RECT boxHere = scale.rect(box->rect);
    const int dpi = scale.dpi();
    if (at100.left < 0)
        place.left = -cutAt(-at100.left, dpi);
    if (at100.top < 0)
        place.top = -cutAt(-at100.top, dpi);
    if (const int right = at100.right - (box100.right - box100.left); right > 0)
        place.right = boxHere.right - boxHere.left + cutAt(right, dpi);
    if (const int bottom = at100.bottom - (box100.bottom - box100.top); bottom > 0)
        place.bottom = boxHere.bottom - boxHere.top + cutAt(bottom, dpi);
    return place;
}

void ListBoxPeer::create(HWND parent) {
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    const RECT at = place();
    if (!createControl(parent, "LISTBOX", style, WS_EX_CLIENTEDGE, nullptr, false, &at))
        return;
    showItems();
    subclass();
}

// Brings the real list in line with the model: only the rows that differ are replaced, so an
// appended line does not redraw or rescroll the whole list.
void ListBoxPeer::showItems() {
    syncing_ = true;
    const std::vector<std::string>& items = list().items();
    int shown = static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
    if (shown < 0)
        shown = 0;
    // One line more than shown, the rest as it was: the model appended (the filter's report
    // grows by thousands of lines in a pass; reading every row back each time would not do).
    if (static_cast<std::size_t>(shown) + 1 == items.size() &&
        (shown == 0 || itemText(hwnd_, shown - 1) == items[static_cast<std::size_t>(shown - 1)])) {
        SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items.back().c_str()));
        syncing_ = false;
        showEnd();
        announceNewest();
        return;
    }
    std::size_t wanted = items.size();
    std::size_t have = static_cast<std::size_t>(shown);
    // The rows shown, to keep those that stay; an emptied list has nothing to compare.
    std::vector<std::string> current;
    if (wanted > 0) {
        current.reserve(have);
        for (int i = 0; i < shown; ++i)
            current.push_back(itemText(hwnd_, i));
    }
    std::size_t prefix = 0;
    while (prefix < wanted && prefix < have && items[prefix] == current[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < wanted - prefix && suffix < have - prefix &&
           items[wanted - 1 - suffix] == current[have - 1 - suffix])
        ++suffix;
    const std::size_t removed = have - prefix - suffix;
    const std::size_t added = wanted - prefix - suffix;
    // Many rows at once: a visible list box repaints itself and its scroll bar for every
    // row (thousands of rows took many seconds under Wine), so it paints once at the end.
    const bool bulk = removed + added > 1 && !list().updating();
    if (bulk)
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    if (removed == have && have > 0) {
        SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    } else {
        for (std::size_t i = 0; i < removed; ++i)
            SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(prefix), 0);
    }
    if (added > 1) {
        std::size_t bytes = 0;
        for (std::size_t i = prefix; i < wanted - suffix; ++i)
            bytes += items[i].size() + 1;
        SendMessageA(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(added), static_cast<LPARAM>(bytes));
    }
    for (std::size_t i = prefix; i < wanted - suffix; ++i)
        SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(items[i].c_str()));
    SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list().listIndex()), 0);
    if (SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0) != list().topIndex())
        SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(list().topIndex()), 0);
    syncing_ = false;
    announced_ = static_cast<int>(wanted); // rows replaced, not a line of the log added
    if (items.empty())
        keepEnd_ = true;
    showEnd();
    if (bulk)
        redrawAgain();
}

int ListBoxPeer::rowsInSight() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const LRESULT row = SendMessageA(hwnd_, LB_GETITEMHEIGHT, 0, 0);
    return row > 0 ? std::max(1, static_cast<int>(client.bottom / row)) : 1;
}

bool ListBoxPeer::endInSight() const {
    return SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0) + rowsInSight() >=
           SendMessageA(hwnd_, LB_GETCOUNT, 0, 0);
}

// The newest row brought into sight (a batch of rows only at its update's end), unless the user
// scrolled away from the end to read; the model learns the top row as from any scrolling.
void ListBoxPeer::showEnd() {
    if (!list().followsEnd || !keepEnd_ || list().updating() || endInSight())
        return;
    const auto count = static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
    syncing_ = true;
    SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, count - rowsInSight())), 0);
    syncing_ = false;
    const auto top = static_cast<int>(SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0));
    if (top != list().topIndex())
        list().userScrolled(top);
}

// A log's newest row told to assistive technology, which reads it out as a new line: each row
// appended on its own, and a batch's last row once at its update's end. No row went in since
// the last one told: nothing to tell.
void ListBoxPeer::announceNewest() {
    if (!list().followsEnd || list().updating())
        return;
    const auto count = static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
    if (count > announced_)
        NotifyWinEvent(EVENT_OBJECT_CREATE, hwnd_, OBJID_CLIENT, count); // child ids from 1
    announced_ = count;
}

// Painting on again after rows went in quietly: the whole list, scroll bar included.
void ListBoxPeer::redrawAgain() {
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

void ListBoxPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    switch (aspect) {
    case ui::Aspect::Items:
        showItems();
        break;
    case ui::Aspect::Selection:
        syncing_ = true;
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list().listIndex()), 0);
        syncing_ = false;
        break;
    case ui::Aspect::Updating:
        if (list().updating()) {
            SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        } else {
            showEnd();
            redrawAgain();
            announceNewest();
        }
        break;
    case ui::Aspect::TopIndex:
        // LB_SETTOPINDEX sends no notification: a list that follows another's scrolling
        // does not answer back.
        syncing_ = true;
        SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(list().topIndex()), 0);
        syncing_ = false;
        keepEnd_ = endInSight();
        break;
    default:
        Peer::sync(aspect);
        break;
    }
}

void ListBoxPeer::command(UINT code) {
    if (code == LBN_SELCHANGE && reportSelection())
        clicked_ = true;
}

// Some list boxes select on the press but notify on the release: the selection is reported
// once, as soon as it is seen to differ from the model's.
bool ListBoxPeer::reportSelection() {
    if (syncing_ || !hwnd_ || !live())
        return false;
    LRESULT selected = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    int index = selected == LB_ERR ? -1 : static_cast<int>(selected);
    if (index == list().listIndex())
        return false;
    list().userSelected(index);
    return true;
}

// A left press that selected nothing new: a click all the same when it hit the selected row
// (a second click on a row brings back what the first one showed).
bool ListBoxPeer::pressedSelectedRow(LPARAM at) const {
    LRESULT hit = SendMessageA(hwnd_, LB_ITEMFROMPOINT, 0, at);
    LRESULT selected = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    return hit != LB_ERR && HIWORD(hit) == 0 && selected != LB_ERR &&
           static_cast<int>(LOWORD(hit)) == selected && selected == list().listIndex();
}

HBRUSH ListBoxPeer::colours(HDC dc) {
    if (!control_.background)
        return nullptr;
    COLORREF background = view_.background(control_);
    SetBkColor(dc, background);
    SetTextColor(dc, view_.textColour(control_));
    return view_.gdi().brush(background);
}

void ListBoxPeer::reportScroll() {
    if (syncing_ || !hwnd_ || !live())
        return;
    LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    if (top != LB_ERR && top != list().topIndex()) {
        // Scrolled up from the end, the user reads: new rows leave the place alone; scrolled
        // back to the end, the newest rows are followed again.
        keepEnd_ = endInSight();
        list().userScrolled(static_cast<int>(top));
    }
}

// Shift+F10 and the Menu key ask for the list's pop-up menu; Space and Enter choose the row
// the highlight is on. Both go to the model as the mouse press they stand for, at that row.
bool ListBoxPeer::keyed(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool keyUp = message == WM_KEYUP || message == WM_SYSKEYUP;
    const bool menuKey = wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
    if (keyUp && menuKey)
        return true; // else the system would ask for the menu a second time
    int button = 0;
    if ((keyDown && menuKey) || (message == WM_CONTEXTMENU && lParam == -1))
        button = ui::kRightButton;
    else if (message == WM_KEYDOWN && (wParam == VK_SPACE || wParam == VK_RETURN))
        button = ui::kLeftButton;
    else if (message == WM_CHAR && (wParam == ' ' || wParam == '\r'))
        return true; // the key's character is no search for a row
    if (button == 0)
        return false;
    const LRESULT selected = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    if (!live() || (button == ui::kLeftButton && selected == LB_ERR))
        return true;
    // The highlighted row's corner, inside the list (its top-left corner when no row is).
    RECT row{};
    RECT inside{};
    GetClientRect(hwnd_, &inside);
    POINT at{inside.left, inside.top};
    if (selected != LB_ERR && SendMessageA(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(selected),
                                           reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
        at.x = std::clamp(row.left, inside.left, inside.right);
        at.y = std::clamp(row.bottom, inside.top, inside.bottom);
    }
    POINT screen = at;
    ClientToScreen(hwnd_, &screen);
    view_.menuPlace = screen;
    const Scale& scale = view_.scale();
    list().userMouseDown(button, 0, scale.twips(at.x), scale.twips(at.y));
    view_.menuPlace.reset(); // no menu came of it
    return true;
}

LRESULT ListBoxPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (keyed(message, wParam, lParam))
        return 0;
    if (message == WM_LBUTTONDOWN)
        clicked_ = false;
    LRESULT result = callOriginal(message, wParam, lParam);
    if (!hwnd_)
        return result; // destroyed while handling the message
    // The row is selected, and Click raised once, before the press is reported.
    if (message == WM_LBUTTONDOWN && !reportSelection() && !clicked_ && !syncing_ && live() &&
        pressedSelectedRow(lParam))
        list().userSelected(list().listIndex());
    if (hwnd_ && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) && live()) {
        const Scale& scale = view_.scale();
        int button = message == WM_LBUTTONDOWN ? ui::kLeftButton : ui::kRightButton;
        list().userMouseDown(button, shiftState(wParam), scale.twips(GET_X_LPARAM(lParam)),
                             scale.twips(GET_Y_LPARAM(lParam)));
    }
    if (hwnd_ && canScroll(message))
        reportScroll();
    return result;
}

} // namespace morvane::win32
