#include "registry/RegistryHelpers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "platform/Characters.h"
#include "platform/PathRules.h"

namespace morvane {

namespace {

// Longer key paths, value names or data are refused outright, silently. Characters, not
// bytes: a name in another script takes two to four bytes a character in UTF-8, and the
// registry itself counts characters.
constexpr std::size_t kMaxArgument = 255;
// Text is read as at most this many characters, its NUL included, and handed back padded
// with spaces to that length, as a buffer filled with spaces would be.
constexpr std::size_t kTextCharacters = 255;
// The bytes that many characters can take in UTF-8 (in a single-byte code page, one each).
constexpr std::uint32_t kTextBuffer = 4 * kTextCharacters;

bool tooLong(const std::string& argument) {
    return CharacterCount(argument) > kMaxArgument;
}
// Numbers are read again into a zeroed buffer of this size.
constexpr std::uint32_t kNumberBuffer = 1024;

// A whole number in the signed 32-bit range, optionally signed, digits only; nothing else.
std::optional<std::int32_t> wholeNumber(const std::string& text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > 2147483648LL)
            return std::nullopt;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace

std::string GetKey(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                   const std::string& subKey, bool dword, const std::string& vName) {
    if (tooLong(subKey) || tooLong(vName))
        return {};
    RegKey key = 0;
    if (registry.openKey(hKey, subKey, key) != kErrorSuccess) {
        dialogs.messageBox("Could not open the key: \\" + subKey, "Error", MessageButtons::Ok,
                           MessageIcon::None);
        return {};
    }
    std::array<std::uint8_t, kTextBuffer> text;
    text.fill(' ');
    std::uint32_t size = kTextBuffer;
    const long read = registry.queryValue(key, vName, text.data(), size);
    // The data, with the NUL that ends a text value; more characters than the buffer takes
    // fail the read, as a full buffer would.
    const std::string data(text.begin(), text.begin() + std::min<std::uint32_t>(size, kTextBuffer));
    if (read != kErrorSuccess || CharacterCount(data) > kTextCharacters) {
        registry.closeKey(key);
        return {};
    }
    if (dword) {
        std::array<std::uint8_t, kNumberBuffer> number{};
        size = kNumberBuffer;
        registry.queryValue(key, vName, number.data(), size);
        registry.closeKey(key);
        // Little-endian whatever this machine is.
        const std::uint32_t bits = std::uint32_t{number[0]} | std::uint32_t{number[1]} << 8 |
                                   std::uint32_t{number[2]} << 16 | std::uint32_t{number[3]} << 24;
        return std::to_string(static_cast<std::int32_t>(bits));
    }
    registry.closeKey(key);
    // The whole buffer: the value, its NUL, then the spaces it was filled with.
    return data + std::string(kTextCharacters - CharacterCount(data), ' ');
}

KeyResult SetKey(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                 const std::string& subKey, bool dword, const std::string& vName,
                 const std::string& nData) {
    if (tooLong(subKey) || tooLong(vName) || tooLong(nData))
        return KeyResult::Refused;
    // Made only for a message: the data may be a long name or path, shortened so the message
    // still fits the screen.
    const auto where = [&] {
        return "\\" + subKey + "\\" + vName + " with the data: " + ShortenMiddle(nData);
    };
    // A number that is not one is never turned into some other number in the client's
    // keys: the value is left as it is and the user is told.
    std::optional<std::int32_t> number;
    if (dword) {
        number = wholeNumber(nData);
        if (!number) {
            dialogs.messageBox("Could not create the value: " + where() +
                                   " (not a whole number from -2147483648 to 2147483647)",
                               "Error", MessageButtons::Ok, MessageIcon::None);
            return KeyResult::Failed;
        }
    }
    RegKey key = 0;
    if (registry.createKey(hKey, subKey, key) != kErrorSuccess) {
        dialogs.messageBox("Could not create the Key: \\" + subKey, "Error", MessageButtons::Ok,
                           MessageIcon::None);
        return KeyResult::Failed;
    }
    long result;
    if (dword) {
        const auto bits = static_cast<std::uint32_t>(*number);
        const std::array<std::uint8_t, 4> data{
            static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        result = registry.setValue(key, vName, kRegDword, data.data(), 4);
    } else {
        // The stored text carries its NUL, and the size counts it.
        const std::string data = nData + '\0';
        result = registry.setValue(key, vName, kRegSz,
                                   reinterpret_cast<const std::uint8_t*>(data.data()),
                                   static_cast<std::uint32_t>(data.size()));
    }
    registry.closeKey(key);
    if (result == kErrorSuccess)
        return KeyResult::Done;
    dialogs.messageBox("Could not create the value: " + where(), "Error", MessageButtons::Ok,
                       MessageIcon::None);
    return KeyResult::Failed;
}

KeyResult DelKey(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                 const std::string& subKey) {
    if (tooLong(subKey))
        return KeyResult::Refused;
    if (registry.deleteKey(hKey, subKey) == kErrorSuccess)
        return KeyResult::Done;
    dialogs.messageBox("Could not delete the Key: \\" + subKey, "Error", MessageButtons::Ok,
                       MessageIcon::None);
    return KeyResult::Failed;
}

KeyResult DelKeyValue(Registry& registry, Messages& dialogs, std::uint32_t hKey,
                      const std::string& subKey, const std::string& vName) {
    if (tooLong(vName) || tooLong(subKey))
        return KeyResult::Refused;
    RegKey key = 0;
    if (registry.openKey(hKey, subKey, key) != kErrorSuccess) {
        dialogs.messageBox("Could not open the Key: \\" + subKey, "Error", MessageButtons::Ok,
                           MessageIcon::None);
        return KeyResult::Failed;
    }
    const long deleted = registry.deleteValue(key, vName);
    registry.closeKey(key);
    if (deleted == kErrorSuccess)
        return KeyResult::Done;
    // A value that is missing is the normal end of a list; one that stays although it exists
    // would leave the client with a setting the user believes removed.
    if (deleted == kErrorFileNotFound)
        return KeyResult::Missing;
    dialogs.messageBox("Could not delete the value: \\" + subKey + "\\" + vName, "Error",
                       MessageButtons::Ok, MessageIcon::None);
    return KeyResult::Failed;
}

} // namespace morvane
