#pragma once
// Line rates outside the B-constant table. Kept apart because the kernel's
// termios2 headers cannot share a file with the C library's <termios.h>.

namespace devlink::posix {

// Sets input and output rate of `fd` to `baud` (BOTHER), keeping every other
// setting. False with errno set when the device refuses.
bool SetArbitrarySpeed(int fd, int baud);

// The output rate the device holds, in bits per second; -1 with errno set.
long ReadOutputSpeed(int fd);

}  // namespace devlink::posix
