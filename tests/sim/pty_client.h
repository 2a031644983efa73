#pragma once
// A small blocking client for the other side of the simulator's pty, so the
// scenario tests talk to it over a real line as the tool does.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

namespace sim::testing {

class PtyClient {
 public:
  explicit PtyClient(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    tcsetattr(fd_, TCSANOW, &t);
  }
  ~PtyClient() { close(); }
  PtyClient(const PtyClient&) = delete;
  PtyClient& operator=(const PtyClient&) = delete;

  bool ok() const { return fd_ >= 0; }
  bool setSpeed(speed_t speed) {
    termios t{};
    return fd_ >= 0 && tcgetattr(fd_, &t) == 0 && cfsetspeed(&t, speed) == 0 &&
           tcsetattr(fd_, TCSANOW, &t) == 0;
  }
  void close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  bool send(std::string_view bytes) {
    return fd_ >= 0 && ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // Reads until the text received since the last clear() holds `marker` (or,
  // with an empty marker, for the whole time). True when found.
  bool readUntil(std::string_view marker, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (marker.empty() || text_.find(marker) == std::string::npos) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !readSome(left)) return false;
    }
    return true;
  }
  std::string exchange(std::string_view command, std::string_view marker,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    clear();
    send(command);
    readUntil(marker, timeout);
    return text_;
  }
  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }
  // The other side went away (read gave end of file or an error).
  bool hungUp() const { return hungUp_; }

 private:
  bool readSome(std::chrono::milliseconds timeout) {
    if (fd_ < 0) return false;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return true;  // time passes
    char buf[4096];
    ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n > 0) {
      text_.append(buf, static_cast<std::size_t>(n));
      return true;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
      hungUp_ = true;
      return false;
    }
    return true;
  }

  int fd_ = -1;
  std::string text_;
  bool hungUp_ = false;
};

}  // namespace sim::testing
