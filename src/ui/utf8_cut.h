#pragma once
// Byte limits that never split a UTF-8 sequence (our code page is UTF-8).

#include <cstddef>
#include <string_view>

namespace ui {

// The longest prefix of `s` of at most `maxBytes` bytes that does not end
// inside a multi-byte sequence. Bytes that are not valid UTF-8 count singly.
inline std::size_t Utf8CutLength(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return s.size();
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  std::size_t lead = maxBytes;
  while (lead > 0 && maxBytes - lead < 3 && (byte(lead) & 0xC0) == 0x80) --lead;
  const unsigned char b = byte(lead);
  const std::size_t len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
  return lead + len > maxBytes ? lead : maxBytes;
}

inline std::string_view Utf8Cut(std::string_view s, std::size_t maxBytes) {
  return s.substr(0, Utf8CutLength(s, maxBytes));
}

}  // namespace ui
