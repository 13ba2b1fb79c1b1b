#include "profiles/ProfileText.h"

#include "platform/Characters.h"
#include "platform/Services.h"

namespace morvane {

std::string ProfileText(const std::string& bytes, FileSystem& files) {
    return IsUtf8(bytes) ? bytes : files.fromLegacyCodePage(bytes);
}

} // namespace morvane
