#pragma once
// A file system for tests that need writes to fail the way a full disk does: part of the
// file is written, then the write reports failure. Everything else passes through.

#include <cstddef>

#include "platform/Services.h"

namespace morvane::test {

class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // When set, every write stores only this many lines and then fails.
    std::optional<std::size_t> writesStopAfter;
    bool failReplace = false;

    bool directoryExists(const std::string& path) override { return inner_.directoryExists(path); }
    bool makeDirectory(const std::string& path) override { return inner_.makeDirectory(path); }
    std::vector<std::string> listFiles(const std::string& pattern) override {
        return inner_.listFiles(pattern);
    }
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override {
        if (!writesStopAfter)
            return inner_.writeLines(path, lines);
        std::vector<std::string> part(
            lines.begin(),
            lines.begin() + static_cast<std::ptrdiff_t>(std::min(*writesStopAfter, lines.size())));
        inner_.writeLines(path, part);
        return false;
    }
    std::optional<std::vector<std::string>> readLines(const std::string& path) override {
        return inner_.readLines(path);
    }
    std::optional<std::uint64_t> fileLength(const std::string& path) override {
        return inner_.fileLength(path);
    }
    std::optional<std::string> readBytes(const std::string& path, std::uint64_t position,
                                         std::size_t count) override {
        return inner_.readBytes(path, position, count);
    }
    bool rename(const std::string& from, const std::string& to) override {
        return inner_.rename(from, to);
    }
    bool replace(const std::string& from, const std::string& to) override {
        return !failReplace && inner_.replace(from, to);
    }
    bool deleteFile(const std::string& path) override { return inner_.deleteFile(path); }

private:
    FileSystem& inner_;
};

} // namespace morvane::test
