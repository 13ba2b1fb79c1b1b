#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "platform/win32/Win32ShellLibrary.h"

namespace morvane {

// The 32-bit build hands the shell exactly the 88-byte record of the first shells.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);
static_assert(sizeof(void*) != 8 || NOTIFYICONDATAA_V1_SIZE == 104);

bool Win32Shell::notifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
    // An icon is known by its window: a delete with a record that names none (the window's
    // first showing, before any icon was added) finds nothing, and needs no shell32 loaded
    // before the window can answer.
    if (message == NIM_DELETE && !record.hWnd)
        return false;
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    // The first form of the record: every shell since Windows 95 accepts it, and the program
    // uses nothing newer (a 64-character tip, no balloons).
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    static_assert(sizeof record.szTip <= sizeof data.szTip);
    std::memcpy(data.szTip, record.szTip, sizeof record.szTip);
    data.szTip[sizeof record.szTip - 1] = '\0';
    using NotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    static const auto notify = win32::shellFunction<NotifyIcon>("Shell_NotifyIconA");
    return notify && notify(message, &data) != FALSE;
}

void Win32Shell::runHidden(const std::string& commandLine) {
    std::string command = "cmd.exe /c " + commandLine;
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    // CreateProcessA may write into the command line, so it gets a copy it can change.
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace morvane
