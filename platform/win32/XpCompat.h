#pragma once
// Run-time fallbacks for the few newer system calls that the toolchain's static libraries
// import, so the 32-bit exe still loads on XP. Linked as an object into every Windows exe.

#include <cstdint>

namespace morvane {

// A 64-bit millisecond count from XP's 32-bit GetTickCount, which wraps every 49.7 days:
// `last` and `high` carry the previous reading and the wraps counted so far.
std::uint64_t widenTickCount(std::uint32_t now, std::uint32_t& last, std::uint64_t& high);

} // namespace morvane
