#pragma once
// The emulated platform for fuzz targets: one temporary C: drive for the whole run (removed
// at exit) and fresh headless services for each input.

#include <string>

#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"

namespace morvane::fuzz {

// Ends the run with a finding when a property does not hold.
void Check(bool ok, const char* what);

struct FuzzPlatform {
    FuzzPlatform();

    EmulatedFileSystem& files;
    EmulatedRegistry registry;
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    HeadlessWindowManager windows;
    Services services{registry, files, shell, dialogs, clock, windows};

    // Writes raw bytes to a file of the drive, by Windows path.
    void writeFile(const std::string& path, const std::string& bytes);
    std::string readFile(const std::string& path);
};

} // namespace morvane::fuzz
