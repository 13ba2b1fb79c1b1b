// For the demo script only: clicks an item of the running program's main window by its
// caption, as a mouse click would, and returns once the program has handled it and painted
// (a button's click is posted, as it may open a modal dialog).
//
//   morvane_demo_click.exe "SHARED FOLDERS"
//
// Exit code 0 when the item was clicked, 1 when the window or the item was not found.

#include <windows.h>

#include <cstring>

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK findItem(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char text[128] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::strcmp(text, search->caption) == 0 && IsWindowVisible(child)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    HWND window = FindWindowA("MorvaneWindow", "Morvane");
    if (!window)
        return 1;
    Search search{argv[1], nullptr};
    EnumChildWindows(window, findItem, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    char kind[32] = {};
    GetClassNameA(search.found, kind, sizeof kind);
    if (lstrcmpiA(kind, "Button") == 0) {
        // A button may open a modal dialog: posted, so this helper does not wait for it.
        PostMessageA(search.found, BM_CLICK, 0, 0);
        Sleep(500);
        return 0;
    }
    SendMessageA(search.found, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(search.found, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    return 0;
}
