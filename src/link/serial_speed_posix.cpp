#include "link/serial_speed_posix.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace devlink::posix {

bool SetArbitrarySpeed(int fd, int baud) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) < 0) return false;
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = static_cast<speed_t>(baud);
  t.c_ospeed = static_cast<speed_t>(baud);
  return ioctl(fd, TCSETS2, &t) == 0;
}

long ReadOutputSpeed(int fd) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) < 0) return -1;
  return static_cast<long>(t.c_ospeed);
}

}  // namespace devlink::posix
