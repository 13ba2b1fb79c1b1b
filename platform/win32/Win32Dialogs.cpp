#include "platform/win32/Win32Dialogs.h"

#include <windows.h>

#include "platform/ui/Controls.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane {

MessageAnswer Win32Dialogs::messageBox(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) {
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (icon == MessageIcon::Stop)
        style |= MB_ICONSTOP;
    else if (icon == MessageIcon::Information)
        style |= MB_ICONINFORMATION;
    HWND owner = windows_.dialogOwner();
    // Without a visible window of ours the box still keeps every window of ours waiting.
    if (!owner)
        style |= MB_TASKMODAL | MB_SETFOREGROUND;
    int answer =
        MessageBoxA(owner, text.c_str(), caption.empty() ? "Morvane" : caption.c_str(), style);
    switch (answer) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    default:
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

int Win32Dialogs::popupMenu(const ui::Menu& menu) {
    HMENU popup = CreatePopupMenu();
    if (!popup)
        return -1;
    UINT id = 1; // 0 is TrackPopupMenu's "nothing chosen"
    for (const ui::MenuItem& item : menu.items)
        AppendMenuA(popup, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), id++,
                    item.caption.c_str());
    POINT at{};
    if (std::optional<POINT> place = windows_.takeMenuPlace())
        at = *place;
    else
        GetCursorPos(&at);
    HWND owner = windows_.menuOwner();
    if (!owner) {
        DestroyMenu(popup); // a menu needs a window to report to
        return -1;
    }
    // Without this the menu stays open when the user clicks somewhere else (and from the
    // tray it would not open in front at all).
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
        at.y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0); // lets the menu close properly on the next click
    DestroyMenu(popup);
    return chosen == 0 ? -1 : static_cast<int>(chosen) - 1;
}

} // namespace morvane
