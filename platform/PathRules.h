#pragma once
// Small rules over names and paths that every part of the program shares, kept in one place
// so that two parts can never disagree about them: letter case, joining a folder and a name,
// drive roots and the names Windows keeps for its devices.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane {

// Lower case for A to Z; other bytes are left alone (names are compared this way on every
// system the program runs on, whatever the code page).
std::string LowerCase(std::string text);

// The text without leading and trailing spaces (spaces only, not tabs).
std::string TrimSpaces(const std::string& text);

// A folder and a name joined by one backslash, none added when the folder ends in one: the
// download folder, the filter's folders and the listing patterns all go through it.
std::string JoinFolder(const std::string& folder, const std::string& name);

// The root of the drive a path begins with, its letter in upper case: "d:", "d:\x", "D:x" and
// "d:/x" all give "D:\". Empty when the path does not begin with a letter and a colon (a
// share, a relative path, an empty text). Every root the program shows or opens comes from here.
std::string DriveRoot(const std::string& path);

// Whether two paths begin with the same three characters, the drive letter's case aside:
// "c:\Downloads" and "C:\Music" lie on one drive, "c:x" and "C:\x" do not, and two shares
// whose names begin alike do. Every "same drive" decision goes here.
bool SameDrive(const std::string& a, const std::string& b);

// Whether a path begins with a drive letter, a colon and a backslash.
bool BeginsWithDriveRoot(const std::string& path);

// The characters Windows refuses in a file name besides the control characters. A profile's
// name holds none of them, nor a control character (ProfilePath).
inline constexpr std::string_view kForbiddenFileNameCharacters = "\\/:*?\"<>|";

// The keys the profile name box and the extension lists refuse: the characters above and the
// space (a profile's file name would lose it at its ends, and no extension holds one).
bool IsRefusedNameKey(int keyAscii);

// Whether Windows opens a device rather than a file for this name (one level of a path):
// CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$ and CONOUT$, in any letter case,
// alone or with any extension, and with trailing dots or spaces.
bool IsReservedDeviceName(const std::string& name);

// A name or path as a message shows it: a text longer than `length` characters keeps its start
// and its end with "..." in the middle, so a message naming it still fits on the screen. In
// UTF-8 text no character is cut in two.
inline constexpr std::size_t kMessageNameLength = 64;
std::string ShortenMiddle(const std::string& text, std::size_t length = kMessageNameLength);

} // namespace morvane
