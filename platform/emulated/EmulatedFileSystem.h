#pragma once
// Windows paths mapped onto folders of a root on this machine: "C:\Downloads\a.dat" lives at
// <root>/c/Downloads/a.dat. Names are looked up without regard to letter case, as Windows
// does; names starting with a dot, and files marked with setHidden, count as hidden.

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "platform/Services.h"

namespace morvane {

class EmulatedFileSystem : public FileSystem {
public:
    explicit EmulatedFileSystem(std::filesystem::path root);

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

    // Adds a drive: a ready one is a folder of the root; one that is not ready (a card reader
    // without a card) is listed, but every operation on it fails.
    void addDrive(char letter, std::string label = "", bool ready = true);
    // The process's current folder, a full path ("C:\" at start).
    void setCurrentFolder(std::string folder) { current_ = std::move(folder); }

    // Marks a file hidden, as the hidden attribute would.
    void setHidden(const std::string& path);
    // A file held open by someone who does not share deleting: it cannot be moved meanwhile.
    void holdOpen(const std::string& path, bool held);
    // Where a Windows path lives on this machine (the existing entry when letter case differs).
    std::filesystem::path hostPath(const std::string& path) const;
    const std::filesystem::path& root() const { return root_; }

    // Fault injection: the n-th call from now (1: the next one) fails as on a failing disk;
    // a failing write leaves the first half of its bytes behind. 0 turns it off.
    void failCall(int n) { failAt_ = n > 0 ? calls_ + n : 0; }
    // Calls of the service so far (reads of an opened file count too).
    int calls() const { return calls_; }
    // Counts one call; true when it is the one to fail.
    bool injectedFault() { return ++calls_ == failAt_; }

private:
    bool move(const std::string& from, const std::string& to, bool overwrite);
    static bool renameNoReplace(const std::filesystem::path& source,
                                const std::filesystem::path& target);

    struct NameIndex {
        std::filesystem::file_time_type stamp;
        bool trusted = false;
        std::unordered_map<std::string, std::string> names; // lower-cased -> as stored
    };
    const std::unordered_map<std::string, std::string>&
    namesIn(const std::filesystem::path& folder) const;
    bool indexCurrent(const std::filesystem::path& folder) const;
    void noteMove(const std::filesystem::path& folder, const std::string& name, bool known,
                  bool added) const;
    void forgetNames(const std::filesystem::path& folder) const;
    // Where an existing ordinary file lives on this machine; none for anything else.
    std::optional<std::filesystem::path> existingFile(const std::string& path) const;
    // An existing ordinary file opened for reading; none for anything else.
    std::optional<std::ifstream> readableFile(const std::string& path) const;
    bool isHidden(const std::filesystem::path& hostFile) const;

    std::filesystem::path root_;
    std::set<std::string> hidden_; // lower-cased host paths
    int calls_ = 0;
    int failAt_ = 0;
    std::set<char> notReady_; // lower-case drive letters
    std::map<char, std::string> labels_;
    std::string current_ = "C:\\";
    std::set<std::string> busy_;                                 // lower-cased host paths held open
    mutable std::unordered_map<std::string, NameIndex> indexes_; // by host folder
};

} // namespace morvane
