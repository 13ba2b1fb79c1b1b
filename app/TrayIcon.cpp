#include "app/TrayIcon.h"

#include <cmath>
#include <cstring>

namespace morvane {

NotifyIconRecord MakeTrayIcon(std::uintptr_t window, std::uintptr_t icon,
                              const std::string& caption) {
    NotifyIconRecord record;
    record.cbSize = sizeof(NotifyIconRecord);
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = kTrayFlags;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    std::memset(record.szTip, ' ', sizeof record.szTip);
    // A caption too long for the tip keeps its NUL: the shell reads the tip up to it.
    std::size_t length = std::min(caption.size(), sizeof record.szTip - 1);
    std::memcpy(record.szTip, caption.data(), length);
    record.szTip[length] = '\0';
    return record;
}

int TrayMouseMessage(float x, int twipsPerPixel) {
    if (twipsPerPixel <= 0)
        return -1;
    return static_cast<int>(std::lround(x / static_cast<float>(twipsPerPixel)));
}

} // namespace morvane
