#include "profiles/ProfileText.h"

#include "platform/Characters.h"
#include "platform/Services.h"

namespace morvane {

std::string ProfileText(const std::string& bytes, FileSystem& files) {
    return IsUtf8(bytes) ? bytes : files.fromLegacyCodePage(bytes);
}

std::vector<std::string> ProfileText(std::vector<std::string> lines, FileSystem& files) {
    for (const std::string& line : lines) {
        if (!IsUtf8(line)) {
            for (std::string& legacy : lines)
                legacy = files.fromLegacyCodePage(legacy);
            break;
        }
    }
    return lines;
}

} // namespace morvane
