// Asks the real registry for the stored type.
#include "contract/StoredValueType.h"

#include <windows.h>

namespace morvane::test {

std::uint32_t StoredValueType(PlatformUnderTest&, const std::string& key, const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, key.c_str(), &opened) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, &type, nullptr, nullptr);
    RegCloseKey(opened);
    return result == ERROR_SUCCESS ? type : 0;
}

} // namespace morvane::test
