#include "support/Harness.h"

#include <cstring>

namespace morvane::test {

namespace fs = std::filesystem;

Form1& Harness::form() {
    if (!form_)
        form_ = std::make_unique<Form1>(services);
    return *form_;
}

void Harness::put(const std::string& key, const std::string& name, std::uint32_t type,
                  const std::string& bytes) {
    RegKey handle = 0;
    registry.createKey(kHkeyCurrentUser, key, handle);
    registry.setValue(handle, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()));
    registry.closeKey(handle);
}

void Harness::setText(const std::string& key, const std::string& name, const std::string& text) {
    put(key, name, kRegSz, text + '\0');
}

void Harness::setNumber(const std::string& key, const std::string& name, std::int32_t number) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &number, 4);
    put(key, name, kRegDword, bytes);
}

std::optional<std::string> Harness::stored(const std::string& key, const std::string& name) {
    RegKey handle = 0;
    if (registry.openKey(kHkeyCurrentUser, key, handle) != kErrorSuccess)
        return std::nullopt;
    std::string data(4096, '\0');
    auto size = static_cast<std::uint32_t>(data.size());
    long rc = registry.queryValue(handle, name, reinterpret_cast<std::uint8_t*>(data.data()), size);
    registry.closeKey(handle);
    if (rc != kErrorSuccess)
        return std::nullopt;
    data.resize(size);
    return data;
}

bool Harness::hasValue(const std::string& key, const std::string& name) {
    return stored(key, name).has_value();
}

std::string Harness::text(const std::string& key, const std::string& name) {
    std::string data = stored(key, name).value_or("<missing>");
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

std::uint32_t Harness::type(const std::string& key, const std::string& name) {
    return registry.typeOf(key, name);
}

std::int32_t Harness::number(const std::string& key, const std::string& name) {
    std::string data = stored(key, name).value_or("");
    std::int32_t value = -999999; // no number stored
    if (data.size() == 4)
        std::memcpy(&value, data.data(), 4);
    return value;
}

void Harness::installKazaa(const std::string& userName) {
    setText("Software\\Kazaa\\LocalContent", "DownloadDir", "C:\\Downloads");
    setText("Software\\Kazaa\\LocalContent", "Dir0", "012345:C:\\Music");
    setText("Software\\Kazaa\\UserDetails", "UserName", userName);
    setText("Software\\Kazaa\\Transfer", "DlDir0", "C:\\Downloads");
    setNumber("Software\\Kazaa\\Transfer", "ConcurrentDownloads", 3);
    setNumber("Software\\Kazaa\\Transfer", "ConcurrentUploads", 2);
    setNumber("Software\\Kazaa\\Advanced", "MaxSearchResult", 100);
}

std::string Harness::readFile(const std::string& path) {
    return EmulatedPlatform::readFile(path).value_or("");
}

bool Harness::exists(const std::string& path) {
    std::error_code ec;
    fs::path host = files->hostPath(path);
    return !host.empty() && fs::exists(host, ec);
}

std::vector<std::string> Harness::messageLog() const {
    std::vector<std::string> log;
    for (const ShownMessage& m : dialogs.messages)
        log.push_back(m.caption + "|" + m.text);
    return log;
}

} // namespace morvane::test
