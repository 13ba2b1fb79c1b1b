// The commands of morvane_drive.exe about the notification icon: the window hidden behind it,
// and the close box deleting it.

#include <windows.h>

#include <shellapi.h>

#include "tools/Drive.h"

namespace drive {

namespace {

// Whether the shell holds the window's icon: only an existing icon can be modified.
bool hasTrayIcon(HWND window) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

} // namespace

int inTray(DWORD seconds) {
    const DWORD start = GetTickCount();
    while (true) {
        HWND window = mainWindow();
        const char* seen = !window                   ? "no main window"
                           : IsWindowVisible(window) ? "the main window is still shown"
                           : !hasTrayIcon(window)
                               ? "the main window is hidden but has no notification icon"
                               : nullptr;
        if (!seen)
            return 0;
        if (GetTickCount() - start >= seconds * 1000)
            return fail(seen);
        Sleep(50);
    }
}

namespace {

// The notification icons' deletes seen while the window closes: see closeBox.
HWND g_closing = nullptr;
bool g_iconDeleted = false;

LRESULT CALLBACK standInTray(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        // Wine's shell sends the message as dwData, the window as wParam, and the record
        // starting with the window and the icon's id.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* record = static_cast<const UINT*>(data->lpData);
        if (data->dwData == NIM_DELETE && reinterpret_cast<HWND>(wParam) == g_closing &&
            data->cbData >= 2 * sizeof(UINT) && record[1] == 1)
            g_iconDeleted = true;
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

// The close box must run the unload, which deletes the notification icon before the program
// ends. Wine's shell drops the icons of a window that is gone by itself, so looking for the
// icon afterwards proves nothing: while the window closes, this helper stands in for the
// shell's notification area instead. Shell_NotifyIcon sends to the first window of the tray's
// class, and a hidden topmost one made now comes first.
int closeBox(DWORD seconds) {
    HWND window = mainWindow();
    if (!window)
        return fail("no main window to close");
    const bool hadIcon = hasTrayIcon(window);
    WNDCLASSA trayClass{};
    trayClass.lpfnWndProc = standInTray;
    trayClass.hInstance = GetModuleHandleA(nullptr);
    trayClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&trayClass);
    HWND tray = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, trayClass.hInstance, nullptr);
    g_closing = window;
    // What the close box sends.
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= seconds * 1000)
            return fail(IsWindowVisible(window) ? "the main window is still shown"
                                                : "the main window is hidden but not gone");
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    if (tray)
        DestroyWindow(tray);
    if (hadIcon && !g_iconDeleted)
        return fail("the window had a notification icon and went without deleting it");
    // The deletion went to the stand-in, so the shell itself drops the icon of the window that
    // is gone, in its own time (seconds on a loaded machine).
    while (hasTrayIcon(window)) {
        if (GetTickCount() - start >= 2 * seconds * 1000)
            return fail("the notification icon is left after the window has gone");
        Sleep(50);
    }
    return 0;
}

} // namespace drive
