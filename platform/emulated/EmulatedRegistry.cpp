#include "platform/emulated/EmulatedRegistry.h"

#include "platform/emulated/PathText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace morvane {

// Keys and values are indexed by their lower-cased names, as Windows ignores case.
struct EmulatedRegistry::Key {
    std::map<std::string, std::unique_ptr<Key>> subkeys;
    std::map<std::string, Value> values;
};

EmulatedRegistry::EmulatedRegistry() : root_(std::make_unique<Key>()) {}
EmulatedRegistry::~EmulatedRegistry() = default;

EmulatedRegistry::Key* EmulatedRegistry::find(const std::string& path, bool create) {
    Key* key = root_.get();
    for (const std::string& part : pathParts(path, "\\")) {
        auto it = key->subkeys.find(LowerCase(part));
        if (it == key->subkeys.end()) {
            if (!create)
                return nullptr;
            it = key->subkeys.emplace(LowerCase(part), std::make_unique<Key>()).first;
        }
        key = it->second.get();
    }
    return key;
}

EmulatedRegistry::Key* EmulatedRegistry::keyOf(RegKey handle) {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second;
}

long EmulatedRegistry::openKey(std::uint32_t root, const std::string& path, RegKey& key) {
    if (injectedFault())
        return kErrorAccessDenied;
    if (root != kHkeyCurrentUser)
        return kErrorInvalidHandle;
    Key* found = find(path, false);
    if (!found)
        return kErrorFileNotFound;
    key = nextHandle_++;
    handles_[key] = found;
    return kErrorSuccess;
}

long EmulatedRegistry::createKey(std::uint32_t root, const std::string& path, RegKey& key) {
    if (injectedFault())
        return kErrorAccessDenied;
    if (root != kHkeyCurrentUser)
        return kErrorInvalidHandle;
    key = nextHandle_++;
    handles_[key] = find(path, true);
    return kErrorSuccess;
}

long EmulatedRegistry::queryValue(RegKey key, const std::string& name, std::uint8_t* buffer,
                                  std::uint32_t& size) {
    if (injectedFault())
        return kErrorAccessDenied;
    Key* k = keyOf(key);
    if (!k)
        return handles_.count(key) ? kErrorKeyDeleted : kErrorInvalidHandle;
    auto it = k->values.find(LowerCase(name));
    if (it == k->values.end())
        return kErrorFileNotFound;
    const std::vector<std::uint8_t>& data = it->second.data;
    const auto needed = static_cast<std::uint32_t>(data.size());
    if (buffer && size < needed) {
        size = needed;
        return kErrorMoreData;
    }
    if (buffer && !data.empty())
        std::memcpy(buffer, data.data(), data.size());
    size = needed;
    return kErrorSuccess;
}

long EmulatedRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
    if (injectedFault())
        return kErrorAccessDenied;
    Key* k = keyOf(key);
    if (!k)
        return handles_.count(key) ? kErrorKeyDeleted : kErrorInvalidHandle;
    Value value{type, {}};
    if (data && size > 0)
        value.data.assign(data, data + size);
    k->values[LowerCase(name)] = std::move(value);
    return kErrorSuccess;
}

long EmulatedRegistry::deleteKey(std::uint32_t root, const std::string& path) {
    if (injectedFault())
        return kErrorAccessDenied;
    if (root != kHkeyCurrentUser)
        return kErrorInvalidHandle;
    std::vector<std::string> parts = pathParts(path, "\\");
    if (parts.empty())
        return kErrorAccessDenied;
    std::string last = LowerCase(parts.back());
    parts.pop_back();
    std::string parentPath;
    for (const std::string& part : parts)
        parentPath += part + "\\";
    Key* parent = find(parentPath, false);
    if (!parent)
        return kErrorFileNotFound;
    auto it = parent->subkeys.find(last);
    if (it == parent->subkeys.end())
        return kErrorFileNotFound;
    if (!it->second->subkeys.empty())
        return kErrorAccessDenied;
    // Handles still open on the key stop working but can still be closed, as on Windows.
    for (auto& handle : handles_)
        if (handle.second == it->second.get())
            handle.second = nullptr;
    parent->subkeys.erase(it);
    return kErrorSuccess;
}

long EmulatedRegistry::deleteValue(RegKey key, const std::string& name) {
    if (injectedFault())
        return kErrorAccessDenied;
    Key* k = keyOf(key);
    if (!k)
        return handles_.count(key) ? kErrorKeyDeleted : kErrorInvalidHandle;
    return k->values.erase(LowerCase(name)) ? kErrorSuccess : kErrorFileNotFound;
}

std::uint32_t EmulatedRegistry::typeOf(const std::string& path, const std::string& name) {
    Key* key = find(path, false);
    if (!key)
        return 0;
    auto it = key->values.find(LowerCase(name));
    return it == key->values.end() ? 0 : it->second.type;
}

long EmulatedRegistry::closeKey(RegKey key) {
    if (injectedFault()) {
        handles_.erase(key);
        return kErrorAccessDenied;
    }
    return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

} // namespace morvane
