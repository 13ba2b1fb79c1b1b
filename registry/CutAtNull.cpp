#include "registry/CutAtNull.h"

namespace morvane {

std::string CutAtNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

} // namespace morvane
