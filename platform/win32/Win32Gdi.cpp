#include "platform/win32/Win32Gdi.h"

#include <cstring>

namespace morvane::win32 {

namespace {

struct FontStyle {
    const char* face;
    int centipoints;
    int weight;
};

FontStyle styleOf(ui::Font font, int dpi) {
    // MS Sans Serif is a bitmap font on Windows and looks coarse when scaled up; its TrueType
    // twin has the same metrics and stays sharp above 100 %.
    const char* sansSerif = dpi > 96 ? "Microsoft Sans Serif" : "MS Sans Serif";
    switch (font) {
    case ui::Font::SansSerif:
        return {sansSerif, 825, FW_NORMAL};
    case ui::Font::SansSerifBold:
        return {sansSerif, 825, FW_BOLD};
    case ui::Font::ArialBold:
        return {"Arial", 825, FW_BOLD};
    case ui::Font::ArialSmallBold:
        return {"Arial", 600, FW_BOLD};
    }
    return {sansSerif, 825, FW_NORMAL};
}

} // namespace

GdiCache::~GdiCache() {
    if (measuring_) {
        SelectObject(measuring_, measuringOldFont_);
        DeleteDC(measuring_);
    }
    for (auto& [font, handle] : fonts_)
        DeleteObject(handle);
    for (auto& [colour, handle] : brushes_)
        DeleteObject(handle);
}

HFONT GdiCache::font(ui::Font font) {
    auto found = fonts_.find(font);
    if (found != fonts_.end())
        return found->second;
    FontStyle style = styleOf(font, scale_.dpi());
    LOGFONTA logFont{};
    logFont.lfHeight = scale_.fontHeight(style.centipoints);
    logFont.lfWeight = style.weight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    std::strncpy(logFont.lfFaceName, style.face, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectA(&logFont);
    if (!handle)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_[font] = handle;
    return handle;
}

HDC GdiCache::measuringDc(ui::Font font) {
    if (!measuring_) {
        measuring_ = CreateCompatibleDC(nullptr);
        if (!measuring_)
            return nullptr;
        measuringOldFont_ = SelectObject(measuring_, this->font(font));
    } else {
        SelectObject(measuring_, this->font(font));
    }
    return measuring_;
}

int GdiCache::lineHeight(ui::Font font) {
    auto found = lineHeights_.find(font);
    if (found != lineHeights_.end())
        return found->second;
    TEXTMETRICA metrics{};
    HDC dc = measuringDc(font);
    if (!dc || !GetTextMetricsA(dc, &metrics))
        return 0;
    lineHeights_[font] = metrics.tmHeight;
    return metrics.tmHeight;
}

SIZE GdiCache::textExtent(ui::Font font, const std::wstring& text) {
    SIZE extent{};
    if (HDC dc = measuringDc(font))
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

HBRUSH GdiCache::brush(COLORREF colour) {
    auto found = brushes_.find(colour);
    if (found != brushes_.end())
        return found->second;
    HBRUSH handle = CreateSolidBrush(colour);
    if (!handle)
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    brushes_[colour] = handle;
    return handle;
}

} // namespace morvane::win32
