#pragma once
// The notification-icon record as the main window fills it, and how the icon's reports are
// told apart: they arrive as mouse moves over the hidden window whose X is the mouse message.

#include <cstdint>
#include <string>

#include "platform/Services.h"

namespace morvane {

// The record is the first form of the shell's structure: 88 bytes in the 32-bit build, its
// 64-bit form (pointers widened, 104 bytes) in the 64-bit build.
static_assert(sizeof(void*) != 4 || sizeof(NotifyIconRecord) == 88);
static_assert(sizeof(void*) != 8 || sizeof(NotifyIconRecord) == 104);

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags = 7;                // message, icon and tip are set
inline constexpr std::uint32_t kTrayCallbackMessage = 0x0200; // the mouse-move message
inline constexpr int kTrayRightButtonDown = 0x0204;

// The record for the window's icon: the tip is the caption, a NUL, then spaces to the end.
NotifyIconRecord MakeTrayIcon(std::uintptr_t window, std::uintptr_t icon,
                              const std::string& caption);

// The mouse message an icon report carries, from the X of the mouse move it arrived as.
int TrayMouseMessage(float x, int twipsPerPixel);

} // namespace morvane
