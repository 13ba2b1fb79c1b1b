#pragma once
// The type a registry value is stored with (kRegSz, kRegDword, ...), read from the platform
// under test; 0 when the value or its key is missing. The registry interface the program
// uses never asks for it, so each platform answers in its own way.

#include <cstdint>
#include <string>

#include "contract/PlatformUnderTest.h"

namespace morvane::test {

std::uint32_t StoredValueType(PlatformUnderTest& platform, const std::string& key,
                              const std::string& name);

} // namespace morvane::test
