#pragma once
// The line format of an open terminal device: raw bytes, the requested rate
// and frame, no flow control, RTS and DTR asserted, verified by reading the
// settings back.

#include <optional>
#include <string_view>

#include <termios.h>

namespace devlink::posix {

struct LineFormat {
  int baud = 9600;
  char parity = 'N';  // N E O M S, either case
  int dataBits = 8;   // 5..8
  int stopBits = 1;   // 1 or 2
};

// True when the frame is one the mode syntax allows (the rate is checked by
// the device).
bool IsValidLineFormat(const LineFormat& f);

// `current` turned into raw mode with the frame of `f` (which must be valid),
// no flow control, receiver on, modem lines ignored. The rate is left alone.
termios MakeLineTermios(const termios& current, const LineFormat& f);

struct LineFailure {
  std::string_view step;  // one of the kStep* names
  int err;                // errno of the failure
};

// Applies `f` to `fd`; the first failed step, or nothing. A rejected frame
// leaves the device's settings untouched.
std::optional<LineFailure> ApplyLineFormat(int fd, const LineFormat& f);

}  // namespace devlink::posix
