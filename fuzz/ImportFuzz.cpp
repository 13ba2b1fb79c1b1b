// The import of the client's settings from any registry content: values of any type and
// length (text without its NUL, numbers of the wrong size, binary data), keys missing, any
// number of "Dir" values of any length. The import leaves the client's keys as they were,
// closes every key it opened, shows only its own messages, and gives a profile whose name is
// lower-cased, whose texts end before their NUL and whose numbers are whole numbers or empty.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzPlatform.h"
#include "platform/PathRules.h"
#include "platform/emulated/TestData.h"
#include "registry/ClientSettings.h"

namespace {

using morvane::RegKey;

// Reads the input front to back; past its end every read gives zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string bytes(std::size_t count) {
        count = std::min(count, size_ - std::min(at_, size_));
        std::string out(reinterpret_cast<const char*>(data_ + at_), count);
        at_ += count;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const char* const kKeys[] = {"Software\\Kazaa\\LocalContent", "Software\\Kazaa\\UserDetails",
                             "Software\\Kazaa\\Transfer", "Software\\Kazaa\\Advanced"};

// The value a record writes: one the import reads, or a "Dir" value of a chosen index.
std::pair<const char*, std::string> target(Input& in) {
    switch (const std::uint8_t pick = in.byte() % 16) {
    case 0:
        return {kKeys[0], "DownloadDir"};
    case 1:
        return {kKeys[1], "UserName"};
    case 2:
        return {kKeys[2], "DlDir0"};
    case 3:
        return {kKeys[2], "ConcurrentDownloads"};
    case 4:
        return {kKeys[2], "ConcurrentUploads"};
    case 5:
        return {kKeys[3], "MaxSearchResult"};
    default:
        // Mostly low indexes, so runs of consecutive "Dir" values are common.
        return {kKeys[0], "Dir" + std::to_string(pick == 15 ? in.byte() : pick - 6)};
    }
}

std::uint32_t valueType(Input& in) {
    static const std::uint32_t kTypes[] = {1, 1, 1, 4, 4, 0, 2, 3, 7, 11};
    const std::uint8_t pick = in.byte();
    return pick < 250 ? kTypes[pick % 10] : pick; // now and then a type no one knows
}

std::string stored(morvane::EmulatedRegistry& registry, const std::string& key,
                   const std::string& name) {
    RegKey handle = 0;
    if (registry.openKey(morvane::kHkeyCurrentUser, key, handle) != morvane::kErrorSuccess)
        return "<no key>";
    std::string data(70000, '\0');
    auto size = static_cast<std::uint32_t>(data.size());
    const long rc =
        registry.queryValue(handle, name, reinterpret_cast<std::uint8_t*>(data.data()), size);
    registry.closeKey(handle);
    if (rc != morvane::kErrorSuccess)
        return "<no value>";
    data.resize(size);
    return std::to_string(registry.typeOf(key, name)) + ":" + data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using morvane::fuzz::Check;
    morvane::fuzz::FuzzPlatform platform;

    // Records: target, type, 16-bit length, that many bytes of data. Later ones overwrite.
    Input in(data, size);
    std::map<std::pair<std::string, std::string>, int> written;
    while (!in.done()) {
        const auto [key, name] = target(in);
        const std::uint32_t type = valueType(in);
        const std::size_t length = in.byte() | std::size_t{in.byte()} << 8;
        const std::string bytes = in.bytes(length);
        RegKey handle = 0;
        platform.registry.createKey(morvane::kHkeyCurrentUser, key, handle);
        platform.registry.setValue(handle, name, type,
                                   reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   static_cast<std::uint32_t>(bytes.size()));
        platform.registry.closeKey(handle);
        written[{key, name}] = 0;
    }
    std::map<std::pair<std::string, std::string>, std::string> before;
    for (const auto& [where, unused] : written)
        before[where] = stored(platform.registry, where.first, where.second);
    for (const char* key : kKeys)
        before[{key, "(key)"}] = stored(platform.registry, key, "no such value");

    const morvane::Profile client = morvane::ImportSettings(
        platform.registry, platform.dialogs, {kKeys[0], kKeys[1], kKeys[2], kKeys[3]});

    Check(platform.registry.openHandles() == 0, "a registry key was left open");
    for (const auto& [where, value] : before)
        Check(stored(platform.registry, where.first,
                     where.second == "(key)" ? "no such value" : where.second) == value,
              "the import changed the client's keys");
    for (const morvane::ShownMessage& message : platform.dialogs.messages)
        Check(morvane::IsOwnMessage(message), "a message that is not the program's own");
    Check(morvane::LowerCase(client.name) == client.name, "the user name is not lower-cased");
    std::vector<std::string> texts = client.sharedFolders;
    texts.insert(texts.end(), {client.name, client.downloadFolder});
    for (const std::string& text : texts)
        Check(text.find('\0') == std::string::npos, "a text kept what followed its NUL");
    for (const std::string& number : {client.downloads, client.uploads, client.searchResults}) {
        std::int32_t value = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        Check(number.empty() || (error == std::errc() && std::to_string(value) == number),
              "a number is neither empty nor a whole number's text");
    }
    return 0;
}
