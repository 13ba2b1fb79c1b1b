#include "fuzz/FuzzPlatform.h"

#include <cstdio>
#include <cstdlib>

namespace morvane::fuzz {

void Check(bool ok, const char* what) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

} // namespace morvane::fuzz
