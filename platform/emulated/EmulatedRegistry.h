#pragma once
// An in-memory registry that keeps Windows' rules: names ignore letter case, a read into a
// too-small buffer fails and leaves it untouched, creating a key creates its parents, a key
// with subkeys cannot be deleted.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace morvane {

class EmulatedRegistry : public Registry {
public:
    EmulatedRegistry();
    ~EmulatedRegistry() override;

    long openKey(std::uint32_t root, const std::string& path, RegKey& key) override;
    long createKey(std::uint32_t root, const std::string& path, RegKey& key) override;
    long queryValue(RegKey key, const std::string& name, std::uint8_t* buffer,
                    std::uint32_t& size) override;
    long setValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteKey(std::uint32_t root, const std::string& path) override;
    long deleteValue(RegKey key, const std::string& name) override;
    long closeKey(RegKey key) override;

    // Keys still open: every helper must close what it opened.
    int openHandles() const { return static_cast<int>(handles_.size()); }
    // Counts every call, so tests can tell that nothing touched the registry.
    int calls() const { return calls_; }
    // Fault injection: the n-th call from now (1: the next one) fails with access denied; a
    // failing close still lets the handle go. 0 turns it off.
    void failCall(int n) { failAt_ = n > 0 ? calls_ + n : 0; }
    // The stored type of a value, 0 when there is none.
    std::uint32_t typeOf(const std::string& path, const std::string& name);

    struct Value {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct Key;

private:
    Key* find(const std::string& path, bool create);
    Key* keyOf(RegKey handle);
    bool injectedFault() { return ++calls_ == failAt_; }

    std::unique_ptr<Key> root_;
    std::map<RegKey, Key*> handles_;
    RegKey nextHandle_ = 0x100;
    int calls_ = 0;
    int failAt_ = 0;
};

} // namespace morvane
