#pragma once
// INI ("private profile") files as the Windows tool reads and writes them:
// section and key names match case-insensitively (ASCII), the first
// matching section and the first matching key in it count, blanks around
// keys and values are dropped and a value wrapped in a pair of matching
// quotes loses them. Lines starting with ';' are comments. A UTF-8 byte
// order mark is skipped. Lines may end in CR LF or LF.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace ui {

// The value of (section, key), else `defaultText` without its trailing
// blanks; either cut to bufferSize - 1 bytes, as a buffer of that size
// holds (never inside a UTF-8 sequence). A missing file reads as empty.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize);
std::string ReadProfileText(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view defaultText,
                            std::size_t bufferSize);

// Sets (section, key) to `value`: the key's line is replaced in place, or a
// new line follows the last non-blank line of the section, or the section is
// appended at the end. Every other line keeps its bytes; new lines use the
// file's line end (CR LF for a new file). The file is replaced atomically.
// False when the file cannot be written or a name or the value would break
// the file (empty names, a line break, '=' or ']' in a key or section name).
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);
// The same on text in memory; `content` is unchanged when refused.
bool WriteProfileText(std::string& content, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace ui
