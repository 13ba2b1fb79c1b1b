#pragma once
// shell32, loaded at its first use. Only the notification icon and the folder picker's icons
// need it; linking it would load it, and the libraries it pulls in, at every start, before
// the window can appear.

#include <windows.h>

namespace morvane::win32 {

// The shell32 function of this name, or nullptr when there is none.
template <typename Function> Function shellFunction(const char* name) {
    static const HMODULE shell = LoadLibraryA("shell32.dll");
    if (!shell)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(shell, name)));
}

} // namespace morvane::win32
