#pragma once
// What the fuzz targets share: the check that ends a run with a finding, and the emulated
// platform bundle, fresh for each input (an empty drive, an empty registry) so one input's
// files never steer the next.

#include "platform/emulated/EmulatedPlatform.h"

namespace morvane::fuzz {

// Ends the run with a finding when a property does not hold.
void Check(bool ok, const char* what);

struct FuzzPlatform : EmulatedPlatform {
    FuzzPlatform() : EmulatedPlatform("fuzz") {}
};

} // namespace morvane::fuzz
