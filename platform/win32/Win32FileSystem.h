#pragma once
// Files through kernel32: Windows' own rules for names (letter case, 8.3 aliases in
// wildcards), moves that never overwrite, and reads that tolerate other programs holding the
// file open.

#include "platform/Services.h"

namespace morvane {

class Win32FileSystem : public FileSystem {
public:
    bool directoryExists(const std::string& path) override;
    bool makeDirectory(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& pattern) override;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override;
    std::optional<std::vector<std::string>> readLines(const std::string& path) override;
    std::optional<std::uint64_t> fileLength(const std::string& path) override;
    std::optional<std::string> readBytes(const std::string& path, std::uint64_t position,
                                         std::size_t count) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& path) override;
    std::unique_ptr<ByteFile> openBytes(const std::string& path) override;
    std::vector<DriveInfo> drives() override;
    std::optional<std::vector<std::string>> listFolders(const std::string& folder) override;
    std::string currentFolder(const std::string& drive) override;
    std::string fromLegacyCodePage(const std::string& text) override;
};

} // namespace morvane
