#include "link/serial_line_posix.h"

#include <cerrno>
#include <cctype>
#include <iterator>

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

#include "link/serial_port.h"
#include "link/serial_speed_posix.h"

namespace devlink::posix {
namespace {

struct ParityFlags {
  char letter;
  tcflag_t cflag;
};
// Mark and space parity are the odd/even bit made constant by CMSPAR.
constexpr ParityFlags kParities[] = {
    {'N', 0},
    {'E', PARENB},
    {'O', PARENB | PARODD},
    {'M', PARENB | PARODD | CMSPAR},
    {'S', PARENB | CMSPAR},
};

constexpr tcflag_t kDataBits[] = {CS5, CS6, CS7, CS8};

struct StandardRate {
  int baud;
  speed_t code;
};
constexpr StandardRate kRates[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},
    {150, B150},       {200, B200},       {300, B300},       {600, B600},
    {1200, B1200},     {1800, B1800},     {2400, B2400},     {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

const ParityFlags* findParity(char letter) {
  const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const auto& p : kParities)
    if (p.letter == up) return &p;
  return nullptr;
}

const StandardRate* findRate(int baud) {
  for (const auto& r : kRates)
    if (r.baud == baud) return &r;
  return nullptr;
}

// The bits of c_cflag this module decides; the read-back compares them.
constexpr tcflag_t kFrameMask =
    CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CLOCAL | CREAD;

// A pseudo-terminal carries bytes, not frames: the kernel reports it as
// 8 bits without parity whatever was asked.
bool isPseudoTerminal(int fd) {
  struct stat st {};
  if (fstat(fd, &st) < 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned m = major(st.st_rdev);
  return m == 3 || (m >= 136 && m <= 143);
}

}  // namespace

bool IsValidLineFormat(const LineFormat& f) {
  return findParity(f.parity) != nullptr && f.dataBits >= 5 && f.dataBits <= 8 &&
         (f.stopBits == 1 || f.stopBits == 2);
}

termios MakeLineTermios(const termios& current, const LineFormat& f) {
  termios t = current;
  cfmakeraw(&t);
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  t.c_cflag |= CLOCAL | CREAD | kDataBits[f.dataBits - 5] | findParity(f.parity)->cflag;
  if (f.stopBits == 2) t.c_cflag |= CSTOPB;
  t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  if (t.c_cflag & PARENB) t.c_iflag |= INPCK;
  // Readiness at the first byte; reads themselves never wait (O_NONBLOCK).
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  return t;
}

std::optional<LineFailure> ApplyLineFormat(int fd, const LineFormat& f) {
  termios t{};
  if (tcgetattr(fd, &t) < 0) return LineFailure{kStepGetCommState, errno};
  if (!IsValidLineFormat(f)) return LineFailure{kStepBuildCommDCB, EINVAL};
  // Rate 0 would mean "hang up" to the device.
  if (f.baud <= 0) return LineFailure{kStepSetCommState, EINVAL};

  t = MakeLineTermios(t, f);
  const StandardRate* rate = findRate(f.baud);
  if (rate) {
    cfsetispeed(&t, rate->code);
    cfsetospeed(&t, rate->code);
  }
  if (tcsetattr(fd, TCSANOW, &t) < 0) return LineFailure{kStepSetCommState, errno};
  if (!rate && !SetArbitrarySpeed(fd, f.baud)) return LineFailure{kStepSetCommState, errno};

  // Drivers silently drop what they cannot do (CMSPAR, odd rates): a line
  // that differs from the request counts as a failed write.
  termios back{};
  if (tcgetattr(fd, &back) < 0) return LineFailure{kStepSetCommState, errno};
  const long speed = ReadOutputSpeed(fd);
  if (speed < 0) return LineFailure{kStepSetCommState, errno};
  const tcflag_t checked = isPseudoTerminal(fd) ? kFrameMask & ~(CSIZE | PARENB) : kFrameMask;
  if ((back.c_cflag & checked) != (t.c_cflag & checked) ||
      (back.c_iflag & (IXON | IXOFF)) != 0 || speed != f.baud)
    return LineFailure{kStepSetCommState, EINVAL};

  // Lines without modem control (ptys, some adapters) refuse; that is fine.
  int bits = TIOCM_RTS | TIOCM_DTR;
  if (ioctl(fd, TIOCMBIS, &bits) < 0 && errno != ENOTTY && errno != EINVAL)
    return LineFailure{kStepSetCommState, errno};
  return std::nullopt;
}

}  // namespace devlink::posix
