#pragma once
// A pseudo-terminal whose slave side the driver opens by path; the test
// keeps the master side as "the terminal".

#include <cerrno>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace devlink::testing {

struct Pty {
  int master = -1;
  std::string slave;

  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) slave = ptsname(master);
  }
  ~Pty() { closeMaster(); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  void closeMaster() {
    if (master >= 0) ::close(master);
    master = -1;
  }

  // Writes everything, waiting for room as needed.
  void send(const std::string& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t r = ::write(master, bytes.data() + done, bytes.size() - done);
      if (r > 0) {
        done += static_cast<std::size_t>(r);
      } else {
        pollfd p{master, POLLOUT, 0};
        poll(&p, 1, 100);
      }
    }
  }

  // What the driver has written so far, waiting up to `ms` for the first byte.
  std::string receive(int ms = 0) const {
    std::string got;
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return got;
    char buf[4096];
    for (;;) {
      ssize_t r = ::read(master, buf, sizeof buf);
      if (r <= 0) break;
      got.append(buf, static_cast<std::size_t>(r));
    }
    return got;
  }
};

}  // namespace devlink::testing
