// PLACEHOLDER until registration lands.
#include "app/Form1.h"
namespace morvane {
void Form1::RegisterProfile() {}
} // namespace morvane
