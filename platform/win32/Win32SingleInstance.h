#pragma once
// One program per user session. The first start holds a named mutex (per session) and a
// hidden window of a class of our own; a later start finds that window, hands over its
// request (bytes the program makes of it) in a WM_COPYDATA message and ends with the answer, the
// reply of SendMessage. Names and data are the same for the 32-bit and the 64-bit exe, so each
// finds the other.

#include <windows.h>

#include <functional>
#include <string>

namespace morvane {

class Win32SingleInstance {
public:
    Win32SingleInstance() = default;
    ~Win32SingleInstance();
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    enum class Claim {
        First,    // this is the session's first program: it holds the instance until it ends
        Answered, // the running program has carried out the request; `answer` is its code
        NoAnswer, // a program holds the instance but does not take requests
    };
    Claim claim(const std::string& request, int& answer);

    // An answer that is no exit code: the running program is in the middle of a dialog, and
    // the request is to be handed over again once the dialog has closed.
    static constexpr int kBusy = 0x4D00;
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
