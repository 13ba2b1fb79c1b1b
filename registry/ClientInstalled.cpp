// Whether a client is installed: the probe behind the chooser's buttons and the command line.

#include "registry/ClientSettings.h"

namespace morvane {

bool ClientInstalled(Registry& registry, const std::string& localContent) {
    RegKey key = 0;
    if (registry.openKey(kHkeyCurrentUser, localContent, key) != kErrorSuccess)
        return false;
    registry.closeKey(key);
    return true;
}

} // namespace morvane
