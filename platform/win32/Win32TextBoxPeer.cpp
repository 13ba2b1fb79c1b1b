// Text boxes: an EDIT. Typed characters pass through the model's KeyPress first, which may
// change or discard them; the edit's own changes come back as userEdited, except the ones
// the model made itself; leaving the box is EN_KILLFOCUS.
//
// The edit is a Unicode window, its text converted from and to the process's code page here.
// An "A" window gets each typed character in the keyboard's code page (measured under Wine
// with UTF-8 as the process's code page: "Ω" arrived as "O", "日" as "?"), so a name in
// another script could never be typed. As UTF-16 a character comes as one WM_CHAR, or as two
// for one outside the BMP, which go on to the model as one key.

#include <algorithm>
#include <string>

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

void TextBoxPeer::create(HWND parent) {
    DWORD style = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | (box().readOnly ? ES_READONLY : 0);
    // Made with the model's text: the edit takes it in without a change notification (and
    // this peer is not attached yet to hear one), and the caret is at its start, as after
    // showText.
    if (!createControl(parent, "EDIT", style, WS_EX_CLIENTEDGE, box().text().c_str(), true))
        return;
    if (box().maxLength > 0)
        SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(box().maxLength), 0);
    textHeight_ = view_.gdi().lineHeight(control_.font);
    subclass();
    // The client area is worked out again, now through handle(): see WM_NCCALCSIZE.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

COLORREF TextBoxPeer::backgroundColour() const {
    if (control_.background)
        return view_.background(control_);
    return GetSysColor(control_.enabled() || box().readOnly ? COLOR_WINDOW : COLOR_BTNFACE);
}

void TextBoxPeer::showText() {
    // SetWindowText puts the caret at the start. The model replaces the text while the user
    // types (the name box lower-cases it), so the caret and selection stay where they were,
    // clamped to the new text, or the next character would land in front.
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::wstring text = wideText(box().text());
    settingText_ = true;
    SetWindowTextW(hwnd_, text.c_str());
    settingText_ = false;
    DWORD length = static_cast<DWORD>(text.size());
    SendMessageW(hwnd_, EM_SETSEL, std::min(start, length), std::min(end, length));
}

std::string TextBoxPeer::shownText() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd_, shown.data(), length + 1);
    return narrowText(shown.data(), got);
}

void TextBoxPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    if (aspect != ui::Aspect::Text) {
        Peer::sync(aspect);
        return;
    }
    // A typed edit is mirrored back by the headless path; the edit already shows it here.
    if (shownText() != box().text())
        showText();
}

void TextBoxPeer::command(UINT code) {
    switch (code) {
    case EN_CHANGE: {
        if (settingText_)
            return;
        box().userEdited(shownText());
        break;
    }
    case EN_KILLFOCUS:
        box().userLeft();
        break;
    default:
        break;
    }
}

HBRUSH TextBoxPeer::colours(HDC dc) {
    // A read-only box keeps the colour of a text box rather than turning grey.
    if (!control_.background && !box().readOnly)
        return nullptr;
    COLORREF background = backgroundColour();
    SetBkColor(dc, background);
    SetTextColor(dc, view_.textColour(control_));
    return view_.gdi().brush(background);
}

// A single-line edit draws its text at the top of its client area; on a dense screen the box
// is much taller than a line, and the text looked stuck to the box's top edge. The client
// area is cut to one line in the middle, and the bands above and below are painted as part
// of the box (and take clicks as the box does).
LRESULT TextBoxPeer::centreText(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = callOriginal(message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : *reinterpret_cast<RECT*>(lParam);
        const int spare = (client.bottom - client.top) - textHeight_;
        if (textHeight_ > 0 && spare >= 2) {
            client.top += spare / 2;
            client.bottom -= spare - spare / 2;
        }
        break;
    }
    case WM_NCPAINT:
        if (HDC dc = GetWindowDC(hwnd_)) {
            RECT window, client;
            GetWindowRect(hwnd_, &window);
            GetClientRect(hwnd_, &client);
            MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
            OffsetRect(&client, -window.left, -window.top);
            const int edge = GetSystemMetrics(SM_CYEDGE);
            const int bottom = window.bottom - window.top - edge;
            HBRUSH brush = view_.gdi().brush(backgroundColour());
            RECT above{client.left, edge, client.right, client.top};
            RECT below{client.left, client.bottom, client.right, bottom};
            if (above.bottom > above.top)
                FillRect(dc, &above, brush);
            if (below.bottom > below.top)
                FillRect(dc, &below, brush);
            ReleaseDC(hwnd_, dc);
        }
        break;
    case WM_NCHITTEST:
        if (result == HTBORDER || result == HTNOWHERE)
            result = HTCLIENT;
        break;
    default:
        break;
    }
    return result;
}

LRESULT TextBoxPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE || message == WM_NCPAINT || message == WM_NCHITTEST)
        return centreText(message, wParam, lParam);
    if (message == WM_CHAR && live())
        return typed(wParam, lParam);
    return callOriginal(message, wParam, lParam);
}

// One typed character: the model's key press sees it whole, as its code point, and it goes
// into the edit only when the model keeps it and the program's text can hold it.
LRESULT TextBoxPeer::typed(WPARAM wParam, LPARAM lParam) {
    const auto unit = static_cast<wchar_t>(wParam);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        highSurrogate_ = unit; // the character's second half follows
        return 0;
    }
    std::wstring character(1, unit);
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (!highSurrogate_)
            return 0; // half a character
        character.insert(character.begin(), highSurrogate_);
    }
    highSurrogate_ = 0;
    const char32_t code = character.size() == 2
                              ? 0x10000 + ((character[0] - 0xD800) << 10) + (character[1] - 0xDC00)
                              : unit;
    // Where the process runs in a legacy code page (Windows before 10 1903), a character that
    // code page cannot hold would reach the program as "?": such a character cannot be typed.
    if (code >= 0x80 && GetACP() != CP_UTF8) {
        BOOL lost = FALSE;
        char bytes[8];
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, character.data(),
                                static_cast<int>(character.size()), bytes, sizeof bytes, nullptr,
                                &lost) <= 0 ||
            lost)
            return 0;
    }
    int key = static_cast<int>(code);
    if (!box().userKey(key))
        return 0; // discarded by the handler
    if (key != static_cast<int>(code)) {
        character.clear();
        if (key >= 0x10000) {
            character += static_cast<wchar_t>(0xD800 + ((key - 0x10000) >> 10));
            character += static_cast<wchar_t>(0xDC00 + ((key - 0x10000) & 0x3FF));
        } else {
            character += static_cast<wchar_t>(key);
        }
    }
    LRESULT result = 0;
    for (wchar_t c : character)
        result = callOriginal(WM_CHAR, static_cast<WPARAM>(c), lParam);
    return result;
}

} // namespace morvane::win32
