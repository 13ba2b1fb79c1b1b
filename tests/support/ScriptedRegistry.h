#pragma once
// A registry for tests that need the system to misbehave: it passes every call on to an
// emulated registry, except the ones a test has told it to fail, and in "every value exists"
// mode it answers every read and every delete of a value with success, as a registry holding
// endless "Dir" values would. It records the value names read and deleted.

#include <cstring>
#include <string>
#include <vector>

#include "platform/emulated/EmulatedRegistry.h"

namespace morvane::test {

class ScriptedRegistry : public Registry {
public:
    explicit ScriptedRegistry(EmulatedRegistry& inner) : inner_(inner) {}

    bool failCreate = false;    // createKey gives access denied
    bool failSet = false;       // setValue gives access denied
    bool failDeleteKey = false; // deleteKey gives access denied
    bool everyValueExists = false;
    std::string endlessData = "012345:C:\\Shared"; // what each endless value holds, NUL added

    std::vector<std::string> queried;
    std::vector<std::string> deletedValues;

    long openKey(std::uint32_t root, const std::string& path, RegKey& key) override {
        return inner_.openKey(root, path, key);
    }
    long createKey(std::uint32_t root, const std::string& path, RegKey& key) override {
        if (failCreate)
            return kErrorAccessDenied;
        return inner_.createKey(root, path, key);
    }
    long queryValue(RegKey key, const std::string& name, std::uint8_t* buffer,
                    std::uint32_t& size) override {
        queried.push_back(name);
        if (!everyValueExists)
            return inner_.queryValue(key, name, buffer, size);
        const std::string data = endlessData + '\0';
        if (size < data.size()) {
            size = static_cast<std::uint32_t>(data.size());
            return kErrorMoreData;
        }
        std::memcpy(buffer, data.data(), data.size());
        size = static_cast<std::uint32_t>(data.size());
        return kErrorSuccess;
    }
    long setValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
        if (failSet)
            return kErrorAccessDenied;
        return inner_.setValue(key, name, type, data, size);
    }
    long deleteKey(std::uint32_t root, const std::string& path) override {
        if (failDeleteKey)
            return kErrorAccessDenied;
        return inner_.deleteKey(root, path);
    }
    long deleteValue(RegKey key, const std::string& name) override {
        deletedValues.push_back(name);
        if (everyValueExists)
            return kErrorSuccess;
        return inner_.deleteValue(key, name);
    }
    long closeKey(RegKey key) override { return inner_.closeKey(key); }

private:
    EmulatedRegistry& inner_;
};

} // namespace morvane::test
