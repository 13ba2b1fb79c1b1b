#pragma once
// What benchmarks run on: a C: drive for the product (its services are the platform's real
// file system and registry, with the headless view's dialogs and clock), and the plain system
// calls the baselines use. One implementation for POSIX (the emulated drive in a temporary
// folder) and one for Win32 (the real C: drive).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace morvane::bench {

// The product's platform. Folders made through it are removed with it.
class BenchDrive {
public:
    BenchDrive();
    ~BenchDrive();
    BenchDrive(const BenchDrive&) = delete;
    BenchDrive& operator=(const BenchDrive&) = delete;

    Services& services();
    // A folder of C: for one measurement, made empty. False when it exists already on a real
    // drive: a benchmark never touches folders it did not make.
    bool makeFolder(const std::string& relative);
    // A folder that scripts/bench.sh filled beforehand and marked with a ".seeded" file:
    // true when it is there, and it is then used as it is and left for the script to remove.
    // (Under Wine each new name in a big folder costs a look-up of every name already in it,
    // so making 100,000 files from the Windows side takes many minutes.) False natively.
    bool useSeededFolder(const std::string& relative);
    // "C:\" + relative, as the product sees it.
    std::string windowsPath(const std::string& relative) const;
    // The same place for the plain system calls.
    std::string hostPath(const std::string& relative) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// ---- Plain system calls (host paths), for the baselines and for preparing files.

// Names of the folder's entries matching the pattern, "*" or "*.<extension>" (letter case
// aside, as Windows matches), "." and ".." left out.
std::vector<std::string> ListFolder(const std::string& folder, const std::string& pattern = "*");
// Opens the file, reads up to `bytes` bytes from its end, closes it.
std::string ReadTail(const std::string& file, std::size_t bytes);
// Never over an existing file on Windows (POSIX rename has no such mode; callers that care
// check first).
bool RenameFile(const std::string& from, const std::string& to);
// Moves a file over another one, replacing it. (Not ReplaceFile: windows.h takes that name.)
bool MoveOverFile(const std::string& from, const std::string& to);
bool WriteFile(const std::string& file, const std::string& bytes);
// A file of `size` bytes whose data is only `tail` at its end; the rest is a hole.
bool MakeSparseFile(const std::string& file, std::uint64_t size, const std::string& tail);
bool RemoveTree(const std::string& folder);
// The host's path separator, to join host paths.
char HostSeparator();
// The process's peak memory since the last reset (where the system can reset it; otherwise
// since the start), and the reset.
long long PeakMemoryKiB();
void ResetPeakMemory();
// What the process's heap holds now (allocated and not freed).
long long HeapInUseKiB();

} // namespace morvane::bench
