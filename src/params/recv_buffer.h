#pragma once
// The link's receive buffer: accumulated reply text, always NUL-terminated,
// holding at most kCapacity - 1 received bytes.

#include <array>
#include <cstddef>
#include <string_view>

namespace params {

struct RecvBuffer {
  static constexpr int kCapacity = 16000;
  static constexpr int kMaxBytes = kCapacity - 1;
  std::array<char, kCapacity> data{};  // data[count] is always NUL
  int count = 0;

  std::string_view text() const { return {data.data(), static_cast<std::size_t>(count)}; }
  // Zeroes the first `count` bytes and empties the buffer.
  void clear() {
    for (int i = 0; i < count; ++i) data[i] = 0;
    count = 0;
    data[0] = 0;
  }
};

}  // namespace params
