#pragma once
// Registry values as tests write and read them below HKEY_CURRENT_USER, on any Registry.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/Services.h"

namespace morvane::test {

// Stored registry bytes: a text carries its NUL, a number is four bytes, little-endian.
inline std::string sz(const std::string& text) {
    return text + '\0';
}
inline std::string dword(std::int32_t number) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &number, 4);
    return bytes;
}

// Stores a value, creating its key.
inline void putValue(Registry& registry, const std::string& key, const std::string& name,
                     const std::string& bytes, std::uint32_t type = kRegSz) {
    RegKey handle = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, key, handle), kErrorSuccess) << key;
    auto data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(registry.setValue(handle, name, type, data, std::uint32_t(bytes.size())),
              kErrorSuccess);
    registry.closeKey(handle);
}

// A value's stored bytes; "<missing>" when there is none.
inline std::string storedValue(Registry& registry, const std::string& key,
                               const std::string& name) {
    RegKey handle = 0;
    std::uint8_t data[4096];
    std::uint32_t size = sizeof data;
    if (registry.openKey(kHkeyCurrentUser, key, handle) != kErrorSuccess)
        return "<missing>";
    long result = registry.queryValue(handle, name, data, size);
    registry.closeKey(handle);
    return result == kErrorSuccess ? std::string(data, data + size) : "<missing>";
}

} // namespace morvane::test
