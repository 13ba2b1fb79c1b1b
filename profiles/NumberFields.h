#pragma once
// The number fields' rules: they hold decimal digits and nothing else, and a value of their
// own when left empty.

#include <string>

namespace morvane {

// The text's digits 0 to 9 in their order; everything else dropped.
std::string DigitsOf(const std::string& text);

// The number fields' key filter: anything but a digit or backspace becomes 0.
void DigitsOnlyKey(int& keyAscii);

// What each field holds when it is left empty.
inline constexpr const char* kDownloadsFallback = "1";
inline constexpr const char* kUploadsFallback = "1";
inline constexpr const char* kSearchResultsFallback = "50";

} // namespace morvane
