// The emulated registry keeps each value's type and tells it.
#include "contract/StoredValueType.h"

#include "platform/emulated/EmulatedRegistry.h"

namespace morvane::test {

std::uint32_t StoredValueType(PlatformUnderTest& platform, const std::string& key,
                              const std::string& name) {
    return dynamic_cast<EmulatedRegistry&>(platform.registry()).typeOf(key, name);
}

} // namespace morvane::test
