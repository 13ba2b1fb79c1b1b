#pragma once
// The number fields' rule: they hold decimal digits and nothing else.

#include <string>

namespace morvane {

// The text's digits 0 to 9 in their order; everything else dropped.
std::string DigitsOf(const std::string& text);

} // namespace morvane
