#pragma once
// Characters of the program's text. Text is held in the process's code page, which is UTF-8
// wherever the system honours the manifest (Windows 10 1903 and later, Wine); elsewhere it is
// the system's single-byte code page. A character is therefore one well-formed UTF-8 sequence,
// and any other byte is a character of its own, so text in a single-byte code page counts as
// it always did. Limits that the program sets in characters (the registry helpers' 255, the
// text boxes' lengths, the download folder's prefix cut from a stored name) count these.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane {

// Whether the whole text is well-formed UTF-8 (plain ASCII is): no stray continuation bytes,
// no overlong forms, no surrogates, nothing past U+10FFFF, no sequence cut short.
bool IsUtf8(std::string_view text);

// The bytes of the character that starts at byte `at` (1 to 4; 0 at the end of the text).
std::size_t CharacterLength(std::string_view text, std::size_t at);

// The character at byte `at` as a code: its Unicode code point for a UTF-8 sequence, the byte
// itself otherwise. A text box's key press carries this code.
char32_t CharacterCode(std::string_view text, std::size_t at);

// How many characters the text holds.
std::size_t CharacterCount(std::string_view text);

// Where the text's character number `count` (0-based) starts: the byte offset after `count`
// whole characters, or the text's size when it holds fewer.
std::size_t CharacterOffset(std::string_view text, std::size_t count);

// The UTF-8 bytes of a code point (a code below 0x80 is its own byte); empty for a surrogate
// or a code past U+10FFFF.
std::string Utf8Of(char32_t code);

// The text with letter case set aside as Windows sets it aside in file names: A to Z, and the
// letters of Latin-1, Latin Extended-A, Greek, Cyrillic and Armenian and the full-width A to Z,
// each taken to its small letter. Two names that fold alike name one file on Windows.
std::string FoldCase(std::string_view text);

// Windows-1252, the system code page of Western Windows, as UTF-8: for text written by a
// program in that code page. The five bytes that code page leaves unassigned stand for the
// control characters of the same number, as Windows converts them.
std::string Utf8FromWindows1252(std::string_view text);

} // namespace morvane
