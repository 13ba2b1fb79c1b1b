// PLACEHOLDER until the import lands.
#include "app/Form1.h"
namespace morvane {
void Form1::ImportSettings(std::string&) {}
} // namespace morvane
