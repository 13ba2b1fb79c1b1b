#pragma once
// The fonts and brushes a view needs, made once per view and freed with it.

#include <windows.h>

#include <map>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/win32/Win32Scale.h"

namespace morvane::win32 {

inline COLORREF colorRef(ui::Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

class GdiCache {
public:
    explicit GdiCache(const Scale& scale) : scale_(scale) {}
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    HFONT font(ui::Font font);
    HBRUSH brush(COLORREF colour);
    // A font's line height and a text's extent in it, measured on one screen-compatible
    // memory DC: asking a control's own DC costs trips to the window server for each of the
    // window's seventy-odd controls, before the window can first be shown.
    int lineHeight(ui::Font font);
    SIZE textExtent(ui::Font font, const std::wstring& text);

private:
    HDC measuringDc(ui::Font font);

    Scale scale_;
    std::map<ui::Font, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<ui::Font, int> lineHeights_;
    HDC measuring_ = nullptr;
    HGDIOBJ measuringOldFont_ = nullptr;
};

} // namespace morvane::win32
