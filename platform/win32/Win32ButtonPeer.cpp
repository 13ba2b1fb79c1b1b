// Buttons: a push button with the model's caption, or with a bitmap from the resources when
// the model names a picture.

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

namespace {

// A bitmap resource at the screen's scale (drawn for 96 dpi); nullptr when missing.
HBITMAP loadScaledBitmap(HINSTANCE instance, const std::string& name, const Scale& scale) {
    HBITMAP natural =
        static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, 0));
    if (!natural || scale.dpi() == 96)
        return natural;
    BITMAP info{};
    GetObjectA(natural, sizeof info, &info);
    DeleteObject(natural);
    return static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP,
                                           MulDiv(info.bmWidth, scale.dpi(), 96),
                                           MulDiv(info.bmHeight, scale.dpi(), 96), 0));
}

} // namespace

ButtonPeer::~ButtonPeer() {
    if (picture_)
        DeleteObject(picture_);
}

void ButtonPeer::create(HWND parent) {
    bool pictured = !button().picture.empty();
    const bool isDefault = view_.model().defaultButton == &button();
    DWORD style =
        WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (pictured ? BS_BITMAP : 0);
    if (!createControl(parent, "BUTTON", style, 0, button().caption().c_str()))
        return;
    if (pictured) {
        picture_ = loadScaledBitmap(view_.instance(), button().picture, view_.scale());
        if (picture_)
            SendMessageA(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
    }
    subclass(); // for its accessible name
}

void ButtonPeer::sync(ui::Aspect aspect) {
    if (aspect == ui::Aspect::Text && hwnd_) {
        SetWindowTextA(hwnd_, button().caption().c_str());
        return;
    }
    Peer::sync(aspect);
}

void ButtonPeer::command(UINT code) {
    if (code == BN_CLICKED)
        button().click();
}

HBRUSH ButtonPeer::colours(HDC dc) {
    // Only the corners around a push button take this colour: the container's, so they
    // blend in.
    COLORREF background =
        control_.parent() ? view_.background(*control_.parent()) : GetSysColor(COLOR_BTNFACE);
    SetBkColor(dc, background);
    return view_.gdi().brush(background);
}

ImagePeer::~ImagePeer() {
    if (picture_)
        DeleteObject(picture_);
}

void ImagePeer::create(HWND parent) {
    // No SS_NOTIFY: the static is transparent to the mouse. SS_REALSIZECONTROL keeps the
    // control's size instead of the bitmap's.
    if (!createControl(parent, "STATIC", SS_BITMAP | SS_REALSIZECONTROL, 0, nullptr))
        return;
    const std::string& name = static_cast<ui::Image&>(control_).picture;
    if (name.empty())
        return;
    RECT place;
    GetClientRect(hwnd_, &place);
    picture_ = static_cast<HBITMAP>(
        LoadImageA(view_.instance(), name.c_str(), IMAGE_BITMAP, place.right, place.bottom, 0));
    if (picture_)
        SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
}

TimerPeer::~TimerPeer() {
    if (running_ && owner_ && IsWindow(owner_))
        KillTimer(owner_, id_);
}

void TimerPeer::create(HWND parent) {
    owner_ = GetAncestor(parent, GA_ROOT);
    arm();
}

void TimerPeer::arm() {
    if (!owner_)
        return;
    if (running_)
        KillTimer(owner_, id_);
    running_ = timer().enabled() && timer().interval > 0 &&
               SetTimer(owner_, id_, static_cast<UINT>(timer().interval), nullptr) != 0;
}

void TimerPeer::sync(ui::Aspect aspect) {
    if (aspect == ui::Aspect::Enabled || aspect == ui::Aspect::Timer)
        arm();
}

void TimerPeer::tick() {
    timer().tick();
}

} // namespace morvane::win32
