#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace morvane {

namespace {

// Twips per pixel from the screen's dots per inch, rounded (96 dpi: 15).
int twipsPerPixel(int capability) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, capability) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    if (dpi <= 0)
        return 15;
    return (1440 + dpi / 2) / dpi;
}

} // namespace

std::string Win32Clock::timeOfDay() {
    char text[80];
    int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
    if (length <= 0)
        return std::string();
    return std::string(text, static_cast<std::size_t>(length - 1));
}

void Win32Clock::setWaitPointer(bool wait) {
    waiting_ = wait;
    SetCursor(LoadCursor(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

int Win32Clock::twipsPerPixelX() {
    return twipsPerPixel(LOGPIXELSX);
}

int Win32Clock::twipsPerPixelY() {
    return twipsPerPixel(LOGPIXELSY);
}

} // namespace morvane
