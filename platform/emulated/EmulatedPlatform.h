#pragma once
// The whole emulated platform in one piece, for tests, the contract suite, fuzz targets and
// benchmarks: a C: drive on a fresh temporary folder (removed again with the bundle), the
// in-memory registry and the headless view, with the services over them. Fault injection is
// the drive's and the registry's failCall.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"

namespace morvane {

class EmulatedPlatform : public HeadlessView {
public:
    // `purpose` names the temporary folder ("morvane-<purpose>-<process>-<n>").
    explicit EmulatedPlatform(const std::string& purpose = "test");
    ~EmulatedPlatform();
    EmulatedPlatform(const EmulatedPlatform&) = delete;
    EmulatedPlatform& operator=(const EmulatedPlatform&) = delete;

    EmulatedRegistry registry;
    std::unique_ptr<EmulatedFileSystem> files;
    Services services;

    // A file's bytes by Windows path, written exactly on the host, its folders made first
    // (past the emulation, so no fault is injected and no call counted). False when it could
    // not be written.
    bool writeFile(const std::string& path, const std::string& bytes);
    // A file's bytes by Windows path; none when it is missing or cannot be read.
    std::optional<std::string> readFile(const std::string& path) const;
    // Empties the drive again, as it was at the start.
    void emptyDrive();
};

} // namespace morvane
