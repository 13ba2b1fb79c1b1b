// PLACEHOLDER until the registry helpers land.
#include "app/Form1.h"
namespace morvane {
std::string Form1::GetKey(std::uint32_t, const std::string&, bool, const std::string&) {
    return {};
}
void Form1::SetKey(std::uint32_t, const std::string&, bool, const std::string&,
                   const std::string&) {}
void Form1::DelKey(std::uint32_t, const std::string&) {}
int Form1::DelKeyValue(std::uint32_t, const std::string&, const std::string&) {
    return 1;
}
} // namespace morvane
