#pragma once
// A real Win32 view under test: the main window built on the emulated registry and C: drive
// (so no test touches the Wine prefix), shown through the Win32 window manager, with the
// program's end recorded instead of ending the test process.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Form1.h"
#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32View.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane::test {

inline std::filesystem::path freshViewRoot() {
    static std::atomic<int> counter{0};
    std::filesystem::path root =
        std::filesystem::temp_directory_path() /
        ("morvane-view-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "c");
    return root;
}

inline std::string windowText(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

inline bool styleVisible(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Typing as the keyboard does it: a WM_CHAR per character at the end of the text.
inline void typeInto(HWND edit, const std::string& characters) {
    SetFocus(edit);
    int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    for (char c : characters)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline void clickAt(HWND hwnd, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
}

// The control as it paints itself, counted in pixels of one colour.
inline int pixelsOf(HWND hwnd, COLORREF colour) {
    RECT client;
    GetClientRect(hwnd, &client);
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (GetPixel(memory, x, y) == colour)
                ++count;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
    return count;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : files(freshViewRoot()) {}

    void SetUp() override {
        installKazaa();
        form = std::make_unique<Form1>(services);
        windows.setMainWindow(form->window);
        ASSERT_NE(windows.viewOf(form->window)->handle(), nullptr)
            << "no window: the view tests need a display (Xvfb)";
        ASSERT_TRUE(form->Form_Load());
        form->window.setVisible(true);
        windows.doEvents();
    }

    void TearDown() override {
        windows.releaseAll();
        form.reset();
        std::error_code ignored;
        std::filesystem::remove_all(files.root(), ignored);
    }

    HWND h(const ui::Control& control) { return windows.viewOf(form->window)->handleOf(control); }

    void setText(const std::string& key, const std::string& name, const std::string& text) {
        RegKey handle = 0;
        registry.createKey(kHkeyCurrentUser, key, handle);
        std::string data = text + '\0';
        registry.setValue(handle, name, kRegSz, reinterpret_cast<const std::uint8_t*>(data.data()),
                          static_cast<std::uint32_t>(data.size()));
        registry.closeKey(handle);
    }

    void setNumber(const std::string& key, const std::string& name, std::int32_t number) {
        RegKey handle = 0;
        registry.createKey(kHkeyCurrentUser, key, handle);
        std::uint8_t data[4];
        std::memcpy(data, &number, 4);
        registry.setValue(handle, name, kRegDword, data, 4);
        registry.closeKey(handle);
    }

    void installKazaa() {
        setText("Software\\Kazaa\\LocalContent", "DownloadDir", "C:\\Downloads");
        setText("Software\\Kazaa\\UserDetails", "UserName", "alice");
        setText("Software\\Kazaa\\Transfer", "DlDir0", "C:\\Downloads");
        setNumber("Software\\Kazaa\\Transfer", "ConcurrentDownloads", 3);
        setNumber("Software\\Kazaa\\Transfer", "ConcurrentUploads", 2);
        setNumber("Software\\Kazaa\\Advanced", "MaxSearchResult", 100);
        files.makeDirectory("c:\\Downloads");
        files.makeDirectory("c:\\FastTrackProfiles");
        files.writeLines("c:\\FastTrackProfiles\\kazaa.id", {});
    }

    EmulatedRegistry registry;
    EmulatedFileSystem files;
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    bool exited = false;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [this] { exited = true; }};
    Services services{registry, files, shell, dialogs, clock, windows};
    std::unique_ptr<Form1> form;
};

} // namespace morvane::test
