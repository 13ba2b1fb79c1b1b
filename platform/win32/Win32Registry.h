#pragma once
// The registry through advapi32. Only HKEY_CURRENT_USER is reachable; the Win32 return codes
// pass through unchanged.

#include "platform/Services.h"

namespace morvane {

class Win32Registry : public Registry {
public:
    long openKey(std::uint32_t root, const std::string& path, RegKey& key) override;
    long createKey(std::uint32_t root, const std::string& path, RegKey& key) override;
    long queryValue(RegKey key, const std::string& name, std::uint8_t* buffer,
                    std::uint32_t& size) override;
    long setValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteKey(std::uint32_t root, const std::string& path) override;
    long deleteValue(RegKey key, const std::string& name) override;
    long closeKey(RegKey key) override;
};

} // namespace morvane
