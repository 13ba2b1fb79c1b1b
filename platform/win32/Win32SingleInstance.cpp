#include "platform/win32/Win32SingleInstance.h"

#include <string>

namespace morvane {

namespace {

// "Local\" keeps the mutex to the user's session.
constexpr const char* kMutexName = "Local\\Morvane.Instance";
constexpr const char* kWindowClass = "Morvane.Instance";
// Marks our WM_COPYDATA among any other program's.
constexpr ULONG_PTR kRequestTag = 0x4D525131; // "MRQ1"
// A running program starting up or ending may hold the mutex without the window for a moment.
constexpr DWORD kFindMs = 15000;
// The running program may show a message while it works; the user answers it first.
constexpr UINT kAnswerMs = 3600000;

} // namespace

Win32SingleInstance::~Win32SingleInstance() {
    if (window_)
        DestroyWindow(window_);
    if (mutex_)
        CloseHandle(mutex_);
}

ProgramHost::Claim Win32SingleInstance::claim(const std::string& request, int& answer) {
    const std::string& data = request;
    COPYDATASTRUCT copy{kRequestTag, static_cast<DWORD>(data.size()),
                        const_cast<char*>(data.data())};
    DWORD start = GetTickCount();
    while (true) {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
        // Without a mutex (a system without per-session names) the program simply runs.
        if (!mutex || GetLastError() != ERROR_ALREADY_EXISTS) {
            mutex_ = mutex;
            return ProgramHost::Claim::First;
        }
        CloseHandle(mutex);
        if (HWND running = FindWindowA(kWindowClass, nullptr)) {
            // The running program may bring its window to the front: the user started us.
            DWORD process = 0;
            GetWindowThreadProcessId(running, &process);
            AllowSetForegroundWindow(process);
            DWORD_PTR reply = 0;
            if (SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                    SMTO_ABORTIFHUNG, kAnswerMs, &reply)) {
                if (reply != ProgramHost::kBusy) {
                    answer = static_cast<int>(reply);
                    return ProgramHost::Claim::Answered;
                }
                // The user is answering a dialog there: asked again once it is closed.
                start = GetTickCount();
                Sleep(200);
                continue;
            }
            // Gone meanwhile, or not answering for now: asked again until the deadline. Every
            // request does the same the second time, so one that arrived twice does no harm.
        }
        if (GetTickCount() - start >= kFindMs)
            return ProgramHost::Claim::NoAnswer;
        Sleep(50);
    }
}

void Win32SingleInstance::listen(HINSTANCE instance,
                                 std::function<int(const std::string&)> carryOut) {
    carryOut_ = std::move(carryOut);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    // Never shown; a top-level window so that FindWindow sees it.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
}

LRESULT CALLBACK Win32SingleInstance::procedure(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_COPYDATA) {
        auto* self = reinterpret_cast<Win32SingleInstance*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!self || !self->carryOut_ || data.dwData != kRequestTag || !data.lpData)
            return kNotARequest;
        return self->carryOut_(std::string(static_cast<const char*>(data.lpData), data.cbData));
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace morvane
