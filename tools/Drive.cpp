// Drives the running program's main window from outside, as a user would: for the demo script
// and for the test script's runs of the shipped exe. One command per run:
//
//   morvane_drive.exe wait SECONDS     the main window is shown, painted and answers messages
//   morvane_drive.exe click CAPTION    clicks the shown item with this caption; returns once the
//                                      program has handled the click and painted
//   morvane_drive.exe expect CLASS TEXT [CLASS TEXT ...]
//                                      each pair names a shown control of the main window
//   morvane_drive.exe tray [SECONDS]   the window is hidden behind its notification icon
//                                      (within SECONDS)
//   morvane_drive.exe rect SECONDS CAPTION
//                                      a window of ours with this caption is shown, painted
//                                      and answering within SECONDS; prints its rectangle on
//                                      the screen as WxH+X+Y (to crop a screenshot to it)
//   morvane_drive.exe answer SECONDS TEXT
//                                      a message box captioned "Morvane" whose text holds
//                                      TEXT shows within SECONDS; its OK is pressed
//   morvane_drive.exe close SECONDS    clicks the close box; the window must be gone within
//                                      SECONDS, having deleted its notification icon
//   morvane_drive.exe type LABEL TEXT  clicks into the text box beside the shown label of this
//                                      caption (the focus moves there), selects its text and
//                                      types TEXT over it key by key; the box must then show
//                                      TEXT. The focus stays in the box.
//   morvane_drive.exe rows CAPTION     prints the rows, one a line in UTF-8, of the main
//                                      window's list box right below the label with this
//                                      caption, shown or not
//
// Exit code 0 when done; 1, with a line on stderr saying what was seen, when not; 2 on misuse.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/Drive.h"

namespace drive {

// A click may run a whole filter pass before it returns.
constexpr UINT kClickMs = 30000;

HWND mainWindow() {
    return FindWindowA("MorvaneWindow", "Morvane");
}

bool answers(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &ignored) != 0;
}

// The control's own text (an edit's contents too), asked of its thread.
std::string textOf(HWND window) {
    char text[256] = {};
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, kAnswerMs, &ignored))
        return {};
    return text;
}

std::string classOf(HWND window) {
    char kind[64] = {};
    GetClassNameA(window, kind, sizeof kind);
    return kind;
}

BOOL CALLBACK collectShown(HWND child, LPARAM list) {
    if (IsWindowVisible(child))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> shownChildren(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, collectShown, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND shownChild(HWND window, const char* kind, const char* text) {
    for (HWND child : shownChildren(window))
        if ((!kind || lstrcmpiA(classOf(child).c_str(), kind) == 0) && textOf(child) == text)
            return child;
    return nullptr;
}

void paint(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

int fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s%s\n", what, detail.c_str());
    return 1;
}

} // namespace drive

namespace {

using namespace drive;

int waitShown(DWORD seconds) {
    const DWORD start = GetTickCount();
    const char* seen = "no window of class MorvaneWindow captioned \"Morvane\"";
    while (GetTickCount() - start < seconds * 1000) {
        HWND window = mainWindow();
        if (!window)
            seen = "no window of class MorvaneWindow captioned \"Morvane\"";
        else if (!IsWindowVisible(window) || IsIconic(window))
            seen = "the main window exists but is not shown";
        else if (!answers(window))
            seen = "the main window is shown but does not answer";
        else {
            // Painted before it counts as shown: the paint is done when it answers again.
            paint(window);
            if (answers(window))
                return 0;
            seen = "the main window did not answer after its paint";
        }
        Sleep(50);
    }
    return fail("after the deadline: ", seen);
}

int click(const char* caption) {
    HWND window = mainWindow();
    if (!window)
        return fail("no main window to click in");
    HWND item = shownChild(window, nullptr, caption);
    if (!item)
        return fail("no shown item captioned ", caption);
    if (lstrcmpiA(classOf(item).c_str(), "Button") == 0) {
        // A button may open a modal dialog: posted, so this helper does not wait for it.
        PostMessageA(item, BM_CLICK, 0, 0);
        Sleep(500);
        return 0;
    }
    DWORD_PTR ignored = 0;
    bool handled = SendMessageTimeoutA(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2),
                                       SMTO_NORMAL, kClickMs, &ignored) &&
                   SendMessageTimeoutA(item, WM_LBUTTONUP, 0, MAKELPARAM(2, 2), SMTO_NORMAL,
                                       kClickMs, &ignored);
    if (!IsWindow(window))
        return 0; // the click ended the program
    if (!handled)
        return fail("the click was not handled within 30 s: ", caption);
    if (IsWindowVisible(window)) {
        paint(window);
        if (!answers(window))
            return fail("the main window did not answer after the click on ", caption);
    }
    return 0;
}

int expect(int count, char** pairs) {
    HWND window = mainWindow();
    if (!window)
        return fail("no main window");
    int missing = 0;
    for (int i = 0; i + 1 < count; i += 2) {
        if (!shownChild(window, pairs[i], pairs[i + 1])) {
            std::fprintf(stderr, "no shown %s \"%s\"\n", pairs[i], pairs[i + 1]);
            ++missing;
        }
    }
    if (missing) {
        std::string seen;
        // Appended piece by piece: a chain of + here trips a false -Wrestrict of GCC 12 at -O2.
        for (HWND child : shownChildren(window))
            if (std::string text = textOf(child); !text.empty())
                seen.append(" ").append(classOf(child)).append(" \"").append(text).append("\"");
        return fail("shown controls with text:", seen);
    }
    return 0;
}

// The shown text box on the label's line, the nearest to its right.
HWND boxBeside(HWND window, const char* label) {
    HWND caption = shownChild(window, "Static", label);
    RECT at{};
    if (!caption || !GetWindowRect(caption, &at))
        return nullptr;
    const LONG middle = (at.top + at.bottom) / 2;
    HWND best = nullptr;
    LONG bestGap = 0;
    for (HWND child : shownChildren(window)) {
        RECT box{};
        if (lstrcmpiA(classOf(child).c_str(), "Edit") != 0 || !GetWindowRect(child, &box) ||
            box.left < at.left || middle < box.top || middle >= box.bottom)
            continue;
        if (!best || box.left - at.right < bestGap) {
            best = child;
            bestGap = box.left - at.right;
        }
    }
    return best;
}

int typeInto(const char* label, const char* text) {
    HWND window = mainWindow();
    if (!window)
        return fail("no main window to type in");
    HWND box = boxBeside(window, label);
    if (!box)
        return fail("no shown text box beside a shown label captioned ", label);
    DWORD_PTR ignored = 0;
    auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageTimeoutW(box, message, wParam, lParam, SMTO_NORMAL, kClickMs, &ignored) !=
               0;
    };
    bool handled = send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)) &&
                   send(WM_LBUTTONUP, 0, MAKELPARAM(2, 2)) && send(EM_SETSEL, 0, -1);
    for (const char* key = text; handled && *key; ++key)
        handled = send(WM_CHAR, static_cast<unsigned char>(*key), 1);
    if (!handled)
        return fail("the typing was not handled within 30 s beside ", label);
    if (const std::string shown = textOf(box); shown != text)
        return fail("after the typing the box shows ", "\"" + shown + "\"");
    return 0;
}

int rectangle(DWORD seconds, const char* caption) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        HWND window = FindWindowA("MorvaneWindow", caption);
        if (window && IsWindowVisible(window) && answers(window)) {
            paint(window);
            RECT at{};
            if (answers(window) && GetWindowRect(window, &at)) {
                std::printf("%ldx%ld+%ld+%ld\n", at.right - at.left, at.bottom - at.top, at.left,
                            at.top);
                return 0;
            }
        }
        Sleep(50);
    }
    return fail("no shown and answering window of ours captioned ", caption);
}

struct Boxes {
    const char* text;
    HWND found = nullptr;
    std::string seen;
};

BOOL CALLBACK findBox(HWND window, LPARAM boxes) {
    auto* look = reinterpret_cast<Boxes*>(boxes);
    if (!IsWindowVisible(window) || classOf(window) != "#32770" || textOf(window) != "Morvane")
        return TRUE;
    char text[1024] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text); // the box's static text
    if (std::strstr(text, look->text)) {
        look->found = window;
        return FALSE;
    }
    look->seen += std::string(" \"") + text + "\"";
    return TRUE;
}

int answerBox(DWORD seconds, const char* text) {
    const DWORD start = GetTickCount();
    while (true) {
        Boxes boxes{text, nullptr, {}};
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&boxes));
        if (boxes.found) {
            PostMessageA(boxes.found, WM_COMMAND, IDOK, 0);
            return 0;
        }
        if (GetTickCount() - start >= seconds * 1000)
            return fail("no message box captioned \"Morvane\" holding the text; boxes seen:",
                        boxes.seen.empty() ? " none" : boxes.seen);
        Sleep(50);
    }
}

BOOL CALLBACK collectAll(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The list box nearest below the label, its left edge nearest the label's: the running-filter
// page's "Filter Actions:" heads its report. Asked across processes, the rows come as UTF-16.
int printRows(const char* caption) {
    HWND window = mainWindow();
    if (!window)
        return fail("no main window");
    std::vector<HWND> all;
    EnumChildWindows(window, collectAll, reinterpret_cast<LPARAM>(&all));
    HWND label = nullptr, list = nullptr;
    for (HWND child : all)
        if (lstrcmpiA(classOf(child).c_str(), "Static") == 0 && textOf(child) == caption)
            label = child;
    if (!label)
        return fail("no label captioned ", caption);
    RECT below{};
    GetWindowRect(label, &below);
    long nearest = 0;
    for (HWND child : all) {
        RECT at{};
        if (lstrcmpiA(classOf(child).c_str(), "ListBox") != 0 || !GetWindowRect(child, &at) ||
            at.top < below.bottom - 4)
            continue;
        long distance = at.top - below.bottom + std::labs(at.left - below.left);
        if (!list || distance < nearest) {
            list = child;
            nearest = distance;
        }
    }
    if (!list)
        return fail("no list box below the label ", caption);
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kAnswerMs, &count))
        return fail("the list box did not answer");
    for (DWORD_PTR row = 0; row < count; ++row) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_NORMAL, kAnswerMs, &length) ||
            length > 4096)
            return fail("the list box did not give the length of row ", std::to_string(row));
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_NORMAL, kAnswerMs, &copied) ||
            copied > length)
            return fail("the list box did not give row ", std::to_string(row));
        std::string line(copied * 3 + 1, '\0');
        int bytes =
            WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(copied), line.data(),
                                static_cast<int>(line.size()), nullptr, nullptr);
        line.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "wait" && argc == 3)
        return waitShown(std::strtoul(argv[2], nullptr, 10));
    if (command == "click" && argc == 3)
        return click(argv[2]);
    if (command == "expect" && argc >= 4 && argc % 2 == 0)
        return expect(argc - 2, argv + 2);
    if (command == "tray" && (argc == 2 || argc == 3))
        return inTray(argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 0);
    if (command == "rect" && argc == 4)
        return rectangle(std::strtoul(argv[2], nullptr, 10), argv[3]);
    if (command == "answer" && argc == 4)
        return answerBox(std::strtoul(argv[2], nullptr, 10), argv[3]);
    if (command == "close" && argc == 3)
        return closeBox(std::strtoul(argv[2], nullptr, 10));
    if (command == "type" && argc == 4)
        return typeInto(argv[2], argv[3]);
    if (command == "rows" && argc == 3)
        return printRows(argv[2]);
    std::fprintf(stderr, "usage: morvane_drive.exe wait SECONDS | click CAPTION | "
                         "expect CLASS TEXT... | tray [SECONDS] | close SECONDS | "
                         "rect SECONDS CAPTION | answer SECONDS TEXT | type LABEL TEXT | "
                         "rows CAPTION\n");
    return 2;
}
