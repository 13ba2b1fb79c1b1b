#pragma once
// The fonts and brushes a view needs, made once per view and freed with it.

#include <windows.h>

#include <map>

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

private:
    Scale scale_;
    std::map<ui::Font, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
};

} // namespace morvane::win32
