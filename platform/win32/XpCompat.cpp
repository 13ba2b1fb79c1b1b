#include "platform/win32/XpCompat.h"

#include <windows.h>

namespace morvane {

std::uint64_t widenTickCount(std::uint32_t now, std::uint32_t& last, std::uint64_t& high) {
    if (now < last)
        high += 0x100000000ull;
    last = now;
    return high + now;
}

} // namespace morvane

namespace {

using TickCount64 = ULONGLONG(WINAPI*)();

// Looked up without a guarded static: the thread library calls this, and a guarded static
// would take one of its locks. Racing threads find the same answer.
TickCount64 systemTickCount64 = nullptr;
bool lookedUp = false;
std::uint32_t lastTick = 0;
std::uint64_t tickWraps = 0;

ULONGLONG WINAPI tickCount64() {
    if (!lookedUp) {
        systemTickCount64 = reinterpret_cast<TickCount64>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
        lookedUp = true;
    }
    if (systemTickCount64)
        return systemTickCount64();
    return morvane::widenTickCount(GetTickCount(), lastTick, tickWraps);
}

} // namespace

// The import slot that the thread library (winpthreads, built for Vista) reads GetTickCount64
// through. Defining it here keeps the name out of the exe's import table: XP refuses to load
// an exe importing a function its kernel32 lacks.
#if defined(__MINGW32__)
#if defined(__i386__)
#define MORVANE_TICK_IMPORT "__imp__GetTickCount64@0"
#else
#define MORVANE_TICK_IMPORT "__imp_GetTickCount64"
#endif
extern "C" {
TickCount64 morvaneTickCount64Import __asm__(MORVANE_TICK_IMPORT) = tickCount64;
}
#endif
