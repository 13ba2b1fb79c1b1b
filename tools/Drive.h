#pragma once
// What the commands of morvane_drive.exe share: finding the program's main window, asking its
// controls across processes, and saying what went wrong.

#include <windows.h>

#include <string>

namespace drive {

// How long a window of the program has to answer a message.
inline constexpr UINT kAnswerMs = 5000;

HWND mainWindow();
// Whether the window's thread handles a message within kAnswerMs.
bool answers(HWND window);
// The control's own text (an edit's contents too), asked of its thread.
std::string textOf(HWND window);
std::string classOf(HWND window);
// Writes a line on stderr; the exit code for "not done".
int fail(const char* what, const std::string& detail = {});

// The window is hidden behind its notification icon within the seconds.
int inTray(DWORD seconds);
// Clicks the close box; the window must be gone within the seconds, having deleted its icon.
int closeBox(DWORD seconds);

} // namespace drive
