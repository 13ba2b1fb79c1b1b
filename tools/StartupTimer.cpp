// Times the program's start-up against a bare window, both started from here as new
// processes, for scripts/bench.sh:
//
//   morvane_startup.exe time PREFIX ROUNDS EXE    prints
//       ratio <PREFIX>StartUp <ours / bare> goal <= 1.25
//       time <PREFIX>StartUp <median ms of ours>
//       time <PREFIX>StartUp.bare <median ms of the bare window>
//   morvane_startup.exe bare CHILDREN WIDTH HEIGHT
//       the bare window: a top-level window with CHILDREN child windows (statics, every tenth
//       an edit) in a client area of WIDTH x HEIGHT pixels, until it is closed
//
// A start counts as done when the process's top-level window is visible, its thread answers
// a message, it has painted everything (a forced paint) and it answers again. The bare window
// gets as many children as the program's main window has, counted on a first, untimed start.
// The two alternate, so a slow spell of the machine hits both; medians are compared.
// Exit code 0 when timed, 1 with a line on stderr saying what was seen otherwise.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartDeadlineMs = 30000;
constexpr UINT kAnswerMs = 10000;
constexpr double kGoal = 1.25;

struct Found {
    DWORD process = 0;
    HWND window = nullptr;
};

BOOL CALLBACK findShown(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == found->process && IsWindowVisible(window) && !IsIconic(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

bool answers(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &ignored) != 0;
}

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double ms = 0;
    std::string failure; // empty when the window became ready
};

// Starts the command line and waits until its window is shown, painted and answering.
Started start(const std::string& commandLine) {
    Started started;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA info{};
    info.cb = sizeof info;
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &info,
                        &started.process)) {
        started.failure =
            "could not start " + commandLine + " (error " + std::to_string(GetLastError()) + ")";
        return started;
    }
    Found found{started.process.dwProcessId, nullptr};
    const DWORD since = GetTickCount();
    std::string seen = "no visible top-level window of the process";
    for (;;) {
        found.window = nullptr;
        EnumWindows(findShown, reinterpret_cast<LPARAM>(&found));
        if (found.window) {
            if (!answers(found.window)) {
                seen = "the window is shown but does not answer";
            } else {
                RedrawWindow(found.window, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                 RDW_FRAME);
                if (answers(found.window))
                    break;
                seen = "the window did not answer after its paint";
            }
        }
        if (WaitForSingleObject(started.process.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(started.process.hProcess, &code);
            started.failure = commandLine + " ended (exit code " + std::to_string(code) +
                              ") before its window was ready";
            return started;
        }
        if (GetTickCount() - since > kStartDeadlineMs) {
            started.failure = commandLine + ": after 30 s, " + seen;
            return started;
        }
        Sleep(1);
    }
    QueryPerformanceCounter(&end);
    started.window = found.window;
    started.ms = 1e3 * static_cast<double>(end.QuadPart - begin.QuadPart) /
                 static_cast<double>(frequency.QuadPart);
    return started;
}

void end(Started& started) {
    if (!started.process.hProcess)
        return;
    TerminateProcess(started.process.hProcess, 0);
    WaitForSingleObject(started.process.hProcess, kStartDeadlineMs);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    started.process = {};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

int fail(const std::string& what) {
    std::fprintf(stderr, "startup timer: %s\n", what.c_str());
    return 1;
}

int timeStartUp(const std::string& prefix, int rounds, const std::string& exe) {
    // A first start, untimed: warms the caches for both sides and counts the children.
    Started first = start(quoted(exe));
    if (!first.failure.empty())
        return fail(first.failure);
    int children = 0;
    EnumChildWindows(first.window, countChild, reinterpret_cast<LPARAM>(&children));
    RECT client{};
    GetClientRect(first.window, &client);
    end(first);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string bare = quoted(self) + " bare " + std::to_string(children) + " " +
                             std::to_string(client.right) + " " + std::to_string(client.bottom);
    Started warm = start(bare);
    if (!warm.failure.empty())
        return fail(warm.failure);
    end(warm);

    std::vector<double> ours, plain;
    for (int round = 0; round < rounds; ++round) {
        for (bool isOurs : {true, false}) {
            Started run = start(isOurs ? quoted(exe) : bare);
            if (!run.failure.empty()) {
                end(run);
                return fail(run.failure);
            }
            (isOurs ? ours : plain).push_back(run.ms);
            end(run);
        }
    }
    const double oursMs = median(ours), plainMs = median(plain);
    std::printf("ratio %sStartUp %.3f goal <= %.2f\n", prefix.c_str(), oursMs / plainMs, kGoal);
    std::printf("time %sStartUp %.3f\n", prefix.c_str(), oursMs);
    std::printf("time %sStartUp.bare %.3f\n", prefix.c_str(), plainMs);
    std::printf("info %sStartUp.children %d\n", prefix.c_str(), children);
    std::fflush(stdout);
    return 0;
}

// ---- The bare window.

LRESULT CALLBACK bareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int bareWindow(int children, int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bareProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "MorvaneBareWindow";
    RegisterClassA(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, "MorvaneBareWindow", "Bare", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    const int columns = 8;
    const int cellWidth = std::max(1, width / columns);
    const int rows = (children + columns - 1) / columns;
    const int cellHeight = std::max(1, height / std::max(1, rows));
    for (int i = 0; i < children; ++i) {
        const bool edit = i % 10 == 9;
        const int x = (i % columns) * cellWidth, y = (i / columns) * cellHeight;
        const std::string text = "Item " + std::to_string(i);
        CreateWindowExA(edit ? WS_EX_CLIENTEDGE : 0, edit ? "EDIT" : "STATIC", text.c_str(),
                        WS_CHILD | WS_VISIBLE | (edit ? ES_AUTOHSCROLL : 0), x, y, cellWidth - 2,
                        std::min(cellHeight - 2, 24), window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "time" && argc == 5) {
        const int rounds = std::atoi(argv[3]);
        if (rounds < 1)
            return fail("ROUNDS must be 1 or more");
        return timeStartUp(argv[2], rounds, argv[4]);
    }
    if (command == "bare" && argc == 5)
        return bareWindow(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: morvane_startup.exe time PREFIX ROUNDS EXE | "
                         "bare CHILDREN WIDTH HEIGHT\n");
    return 2;
}
