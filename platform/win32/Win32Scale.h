#pragma once
// Twips to pixels for one screen resolution. The layout is in twips so that the window keeps
// its proportions and stays sharp at any DPI: every edge is converted on its own, so
// neighbouring controls never drift apart by rounding.

#include <windows.h>

#include "platform/ui/Controls.h"

namespace morvane::win32 {

class Scale {
public:
    explicit Scale(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}

    int dpi() const { return dpi_; }
    int px(int twips) const { return MulDiv(twips, dpi_, 1440); }
    RECT rect(const ui::Rect& r) const {
        return RECT{px(r.left), px(r.top), px(r.left + r.width), px(r.top + r.height)};
    }
    // Whole twips per pixel (15 at 96 dpi), as the program's handlers divide by it: a pixel
    // position sent to the model in twips comes back exactly.
    int twipsPerPixel() const { return dpi_ >= 1440 ? 1 : (1440 + dpi_ / 2) / dpi_; }
    float twips(int pixels) const { return static_cast<float>(pixels * twipsPerPixel()); }
    // A font size in hundredths of a point as a LOGFONT height (negative: the em height).
    int fontHeight(int centipoints) const { return -MulDiv(centipoints, dpi_, 7200); }
    // The pen width for outlines: one pixel at 100 %, thicker on denser screens.
    int lineWidth() const { return dpi_ < 144 ? 1 : dpi_ / 96; }

    static int screenDpi() {
        HDC screen = GetDC(nullptr);
        int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen)
            ReleaseDC(nullptr, screen);
        return dpi > 0 ? dpi : 96;
    }

private:
    int dpi_;
};

} // namespace morvane::win32
