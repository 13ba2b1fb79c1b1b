#pragma once
// A main window on the emulated platform bundle: in-memory registry, a private C: drive in a
// temporary folder, and the headless view. Tests act as the user and look at the results.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/Form1.h"
#include "app/Form3.h"
#include "platform/emulated/EmulatedPlatform.h"

namespace morvane::test {

class Harness : public EmulatedPlatform {
public:
    // The window under test, made on first use so a test can prepare the system first.
    Form1& form();

    // Registry set-up and inspection below HKEY_CURRENT_USER.
    void setText(const std::string& key, const std::string& name, const std::string& text);
    void setNumber(const std::string& key, const std::string& name, std::int32_t number);
    bool hasValue(const std::string& key, const std::string& name);
    std::string text(const std::string& key, const std::string& name); // without its NUL
    std::uint32_t type(const std::string& key, const std::string& name);
    std::int32_t number(const std::string& key, const std::string& name);

    // The Kazaa client's keys, as an installed client leaves them.
    void installKazaa(const std::string& userName = "alice");

    // Files on the emulated C: drive, by Windows path (writeFile is the bundle's).
    std::string readFile(const std::string& path); // raw bytes; empty when missing
    bool exists(const std::string& path);

    // Messages shown so far, as "caption|text".
    std::vector<std::string> messageLog() const;

private:
    void put(const std::string& key, const std::string& name, std::uint32_t type,
             const std::string& bytes);
    std::optional<std::string> stored(const std::string& key, const std::string& name);

    std::unique_ptr<Form1> form_;
};

} // namespace morvane::test
