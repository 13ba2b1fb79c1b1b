#pragma once
// GetKey, SetKey, DelKey and DelKeyValue: every read, write and delete of the client's
// settings. Each call opens its key, does one thing and closes the key again; failures are
// told here, in an "Error" box, so callers just go on (or count what the result says).

#include <cstdint>
#include <string>

#include "platform/Services.h"

namespace morvane {

// What a write or delete did.
enum class KeyResult {
    Done,
    Missing, // DelKeyValue: no such value (the normal end of a list), nothing said
    Refused, // a key path, value name or data over 255 characters: nothing touched or said
    Failed,  // the registry (or a number that is not one) refused it; told in an "Error" box
};

// The value's text, as the whole 255-character buffer (the value, its NUL, then spaces), or a
// number as decimal text; empty when the key or value cannot be read.
std::string GetKey(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                   const std::string& subKey, bool dword, const std::string& vName = "");
KeyResult SetKey(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                 const std::string& subKey, bool dword, const std::string& vName = "",
                 const std::string& nData = "");
KeyResult DelKey(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                 const std::string& subKey);
// Done only when the value was there and is gone.
KeyResult DelKeyValue(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                      const std::string& subKey, const std::string& vName);

} // namespace morvane
