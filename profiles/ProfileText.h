#pragma once
// The tolerant reading of profile files. The program writes them in its own code page, UTF-8
// wherever the system lets it; files from an earlier version, or written on a system without
// UTF-8, hold the system's legacy code page instead. A file that is not valid UTF-8 is one of
// those, and is converted, so that "C:\Música" in an old file still names the same folder.

#include <string>
#include <vector>

namespace morvane {

class FileSystem;

// A profile file's bytes as text in this process's code page.
std::string ProfileText(const std::string& bytes, FileSystem& files);
// The same over the file's lines: all taken as they are when every one is UTF-8, all converted
// otherwise (no code page has a line end inside a character, so splitting first is the same).
std::vector<std::string> ProfileText(std::vector<std::string> lines, FileSystem& files);

} // namespace morvane
