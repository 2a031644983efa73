#pragma once
// The terminal's end of the serial line: a pseudo-terminal published under a
// link name, or a real serial device. Narrow on purpose: the simulator loop
// only waits, reads, writes and hangs up.

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace sim {

struct LineWait {
  bool readable = false;
  bool writable = false;
  bool peerPresent = false;  // the other side has the line open
  bool peerOpened = false;   // it was opened since the last wait (a fresh client)
};

// Line settings as the other side of a pty set them: "8N1" style format.
struct LineFormat {
  int baud = 0;  // 0: a speed without a number here
  std::string format;
};

class SimLine {
 public:
  virtual ~SimLine() = default;
  // Waits until input, room for output (when asked), a wake() or the time-out.
  virtual LineWait wait(std::chrono::microseconds timeout, bool wantWrite) = 0;
  // Bytes read, 0 when none are waiting.
  virtual std::size_t read(char* buf, std::size_t n) = 0;
  // Bytes taken, 0 when the line cannot take more now.
  virtual std::size_t write(const char* p, std::size_t n) = 0;
  // Wakes a wait() from any thread.
  virtual void wake() = 0;
  // Closes the line as an unplugged cable does and removes the link.
  virtual void hangUp() = 0;
  // The other side's settings; empty for a device (its settings are ours).
  virtual std::optional<LineFormat> peerFormat() const = 0;
  // What the tool opens: the link (or the device path).
  virtual const std::string& path() const = 0;
  // The pseudo-terminal's own device name (equal to path() for a device).
  virtual const std::string& devicePath() const = 0;
};

// Directory of the links: ${XDG_RUNTIME_DIR:-/tmp}/k9x40-sim.
std::string DefaultLinkDirectory();

// A pty in raw mode (8N1 at `baud` until the other side sets its own) with its
// other side linked at `linkPath`, or at the first free ttySIM<n> of the
// default directory when `linkPath` is empty.
std::unique_ptr<SimLine> OpenPtyLine(const std::string& linkPath, int baud, std::string* error);
// A serial device in raw mode, 8N1 at `baud`.
std::unique_ptr<SimLine> OpenDeviceLine(const std::string& device, int baud, std::string* error);

}  // namespace sim
