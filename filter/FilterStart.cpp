// The download filter is not built yet: START FILTER does nothing.
#include "app/Form1.h"

namespace morvane {

void Form1::StartFilter() {}

} // namespace morvane
