// Text boxes: an EDIT. Typed characters pass through the model's KeyPress first, which may
// change or discard them; the edit's own changes come back as userEdited, except the ones
// the model made itself; leaving the box is EN_KILLFOCUS.

#include <algorithm>
#include <string>

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

void TextBoxPeer::create(HWND parent) {
    DWORD style = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | (box().readOnly ? ES_READONLY : 0);
    if (!createControl(parent, "EDIT", style, WS_EX_CLIENTEDGE, ""))
        return;
    if (box().maxLength > 0)
        SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(box().maxLength), 0);
    showText();
    subclass();
}

void TextBoxPeer::showText() {
    // SetWindowText puts the caret at the start. The model replaces the text while the user
    // types (the name box lower-cases it), so the caret and selection stay where they were,
    // clamped to the new text, or the next character would land in front.
    DWORD start = 0, end = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    settingText_ = true;
    SetWindowTextA(hwnd_, box().text().c_str());
    settingText_ = false;
    DWORD length = static_cast<DWORD>(box().text().size());
    SendMessageA(hwnd_, EM_SETSEL, std::min(start, length), std::min(end, length));
}

void TextBoxPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    if (aspect != ui::Aspect::Text) {
        Peer::sync(aspect);
        return;
    }
    // A typed edit is mirrored back by the headless path; the edit already shows it here.
    int length = GetWindowTextLengthA(hwnd_);
    std::string shown(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd_, shown.data(), length + 1);
    shown.resize(static_cast<std::size_t>(length));
    if (shown != box().text())
        showText();
}

void TextBoxPeer::command(UINT code) {
    switch (code) {
    case EN_CHANGE: {
        if (settingText_)
            return;
        int length = GetWindowTextLengthA(hwnd_);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        GetWindowTextA(hwnd_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        box().userEdited(std::move(text));
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
    COLORREF background =
        control_.background ? colorRef(*control_.background) : GetSysColor(COLOR_WINDOW);
    if (!control_.background && !box().readOnly)
        return nullptr;
    SetBkColor(dc, background);
    SetTextColor(dc, GetSysColor(control_.enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return view_.gdi().brush(background);
}

LRESULT TextBoxPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && live()) {
        int key = static_cast<unsigned char>(wParam);
        if (!box().userKey(key))
            return 0; // discarded by the handler
        wParam = static_cast<WPARAM>(static_cast<unsigned char>(key));
    }
    return callOriginal(message, wParam, lParam);
}

} // namespace morvane::win32
