// The three number fields: digits only, and a value of their own when left empty.

#include "profiles/NumberFields.h"

namespace morvane {

std::string DigitsOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

void DigitsOnlyKey(int& keyAscii) {
    constexpr int kBackspace = 8;
    if (keyAscii != kBackspace && (keyAscii < '0' || keyAscii > '9'))
        keyAscii = 0;
}

} // namespace morvane
