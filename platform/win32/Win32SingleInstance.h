#pragma once
// One program per user session. The first start holds a named mutex (per session) and a
// hidden window of a class of our own; a later start finds that window, hands over its
// request (bytes the program makes of it) in a WM_COPYDATA message and ends with the answer, the
// reply of SendMessage. Names and data are the same for the 32-bit and the 64-bit exe, so each
// finds the other.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/ProgramHost.h"

namespace morvane {

class Win32SingleInstance {
public:
    Win32SingleInstance() = default;
    ~Win32SingleInstance();
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    // The session's program, or the request handed to the running one (its answer, or
    // ProgramHost::kBusy while that one waits for a dialog: asked again once it has closed).
    ProgramHost::Claim claim(const std::string& request, int& answer);

    // The answer to a WM_COPYDATA that is not one of ours.
    static constexpr int kNotARequest = 4;

    // Makes the window a later start hands its request to; `carryOut` answers it, on this
    // thread, from within the message loop.
    void listen(HINSTANCE instance, std::function<int(const std::string&)> carryOut);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HANDLE mutex_ = nullptr;
    HWND window_ = nullptr;
    std::function<int(const std::string&)> carryOut_;
};

} // namespace morvane
