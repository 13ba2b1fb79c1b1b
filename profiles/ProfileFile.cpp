// PLACEHOLDER until the profile files land.
#include "app/Form1.h"
namespace morvane {
void Form1::SaveProfile(const std::string&) {}
void Form1::LoadProfile(const std::string&) {}
void Form1::LoadFilterSettings(const std::string&) {}
} // namespace morvane
