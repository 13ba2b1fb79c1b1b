#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace morvane {

namespace {

// The program only ever names HKEY_CURRENT_USER; any other root is a caller's mistake.
HKEY rootKey(std::uint32_t root) {
    return root == kHkeyCurrentUser ? HKEY_CURRENT_USER : nullptr;
}

HKEY handle(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

long Win32Registry::openKey(std::uint32_t root, const std::string& path, RegKey& key) {
    HKEY parent = rootKey(root);
    if (!parent)
        return kErrorInvalidHandle;
    HKEY opened = nullptr;
    LONG result = RegOpenKeyA(parent, path.c_str(), &opened);
    if (result == ERROR_SUCCESS)
        key = reinterpret_cast<RegKey>(opened);
    return result;
}

long Win32Registry::createKey(std::uint32_t root, const std::string& path, RegKey& key) {
    HKEY parent = rootKey(root);
    if (!parent)
        return kErrorInvalidHandle;
    HKEY created = nullptr;
    LONG result = RegCreateKeyA(parent, path.c_str(), &created);
    if (result == ERROR_SUCCESS)
        key = reinterpret_cast<RegKey>(created);
    return result;
}

long Win32Registry::queryValue(RegKey key, const std::string& name, std::uint8_t* buffer,
                               std::uint32_t& size) {
    DWORD type = 0;
    DWORD length = size;
    LONG result = RegQueryValueExA(handle(key), name.c_str(), nullptr, &type, buffer, &length);
    size = length;
    return result;
}

long Win32Registry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(handle(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::deleteKey(std::uint32_t root, const std::string& path) {
    HKEY parent = rootKey(root);
    if (!parent)
        return kErrorInvalidHandle;
    return RegDeleteKeyA(parent, path.c_str());
}

long Win32Registry::deleteValue(RegKey key, const std::string& name) {
    return RegDeleteValueA(handle(key), name.c_str());
}

long Win32Registry::closeKey(RegKey key) {
    return RegCloseKey(handle(key));
}

} // namespace morvane
