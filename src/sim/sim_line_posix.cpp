#include "sim/sim_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace sim {
namespace {

timespec ToTimespec(std::chrono::microseconds t) {
  if (t.count() < 0) t = {};
  return {static_cast<time_t>(t.count() / 1000000), static_cast<long>(t.count() % 1000000) * 1000};
}

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

constexpr struct {
  int baud;
  speed_t speed;
} kSpeeds[] = {{1200, B1200},     {2400, B2400},     {4800, B4800},   {9600, B9600},
               {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
               {230400, B230400}, {460800, B460800}, {921600, B921600}};

speed_t SpeedOf(int baud) {
  for (const auto& s : kSpeeds)
    if (s.baud == baud) return s.speed;
  return B0;
}

int BaudOf(speed_t speed) {
  for (const auto& s : kSpeeds)
    if (s.speed == speed) return s.baud;
  return 0;
}

class FdLine : public SimLine {
 public:
  FdLine(int fd, std::string path, std::string device, bool isPty)
      : fd_(fd), path_(std::move(path)), device_(std::move(device)), isPty_(isPty) {
    int p[2];
    if (pipe2(p, O_CLOEXEC | O_NONBLOCK) == 0) {
      wakeRead_ = p[0];
      wakeWrite_ = p[1];
    }
    // Opens of the pty's other side are seen through inotify, so that a close
    // quickly followed by an open still counts as a new client.
    if (isPty_) {
      inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
      if (inotify_ >= 0 && inotify_add_watch(inotify_, device_.c_str(), IN_OPEN) < 0) {
        ::close(inotify_);
        inotify_ = -1;
      }
    }
  }
  ~FdLine() override {
    hangUp();
    if (wakeRead_ >= 0) ::close(wakeRead_);
    if (wakeWrite_ >= 0) ::close(wakeWrite_);
    if (inotify_ >= 0) ::close(inotify_);
  }

  LineWait wait(std::chrono::microseconds timeout, bool wantWrite) override {
    LineWait w;
    if (fd_ < 0) {
      sleepOnWake(timeout);
      return w;
    }
    bool opened = drainOpens();
    bool present = peerPresent();
    if (!present && wasPresent_ && isPty_) tcflush(fd_, TCIOFLUSH);  // the cable is out: bytes lost
    if (!present) {
      // A pty without its other side reports a hang-up at every poll: wait
      // for an open (or, without inotify, look again a little later).
      if (inotify_ < 0) timeout = std::min(timeout, std::chrono::microseconds(10000));
      sleepOnWake(timeout);
      opened = drainOpens() || opened;
      present = peerPresent();
    } else {
      pollfd fds[3] = {{fd_, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
                       {wakeRead_, POLLIN, 0},
                       {inotify_, POLLIN, 0}};
      timespec ts = ToTimespec(timeout);
      if (::ppoll(fds, inotify_ >= 0 ? 3 : 2, &ts, nullptr) > 0) {
        w.readable = fds[0].revents & POLLIN;
        w.writable = fds[0].revents & POLLOUT;
        drainWake(fds[1].revents);
      }
      opened = drainOpens() || opened;
    }
    w.peerOpened = opened || (present && !wasPresent_);
    w.peerPresent = present;
    wasPresent_ = present;
    return w;
  }

  std::size_t read(char* buf, std::size_t n) override {
    if (fd_ < 0) return 0;
    ssize_t r = ::read(fd_, buf, n);
    return r > 0 ? static_cast<std::size_t>(r) : 0;
  }

  std::size_t write(const char* p, std::size_t n) override {
    if (fd_ < 0) return 0;
    ssize_t r = ::write(fd_, p, n);
    return r > 0 ? static_cast<std::size_t>(r) : 0;
  }

  void wake() override {
    if (wakeWrite_ >= 0) {
      char c = 1;
      [[maybe_unused]] ssize_t r = ::write(wakeWrite_, &c, 1);
    }
  }

  void hangUp() override {
    // The link goes first, so that whoever sees the hang-up finds it gone.
    if (isPty_ && !path_.empty()) {
      ::unlink(path_.c_str());
      isPty_ = false;
    }
    if (fd_ >= 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }

  std::optional<LineFormat> peerFormat() const override {
    termios t{};
    if (!isPty_ || fd_ < 0 || tcgetattr(fd_, &t) != 0) return std::nullopt;  // a pty master sees its other side's
    LineFormat f;
    f.baud = BaudOf(cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
      case CS5: f.format = "5"; break;
      case CS6: f.format = "6"; break;
      case CS7: f.format = "7"; break;
      default: f.format = "8"; break;
    }
    f.format += !(t.c_cflag & PARENB) ? 'N' : (t.c_cflag & PARODD) ? 'O' : 'E';
    f.format += (t.c_cflag & CSTOPB) ? '2' : '1';
    return f;
  }

  const std::string& path() const override { return path_; }
  const std::string& devicePath() const override { return device_; }

 private:
  bool peerPresent() const {
    if (!isPty_) return true;
    pollfd p{fd_, 0, 0};
    ::poll(&p, 1, 0);
    return !(p.revents & POLLHUP);
  }

  void sleepOnWake(std::chrono::microseconds timeout) {
    pollfd p[2] = {{wakeRead_, POLLIN, 0}, {inotify_, POLLIN, 0}};
    timespec ts = ToTimespec(timeout);
    if (::ppoll(p, inotify_ >= 0 ? 2 : 1, &ts, nullptr) > 0) drainWake(p[0].revents);
  }

  // True when the other side was opened since the last call.
  bool drainOpens() {
    if (inotify_ < 0) return false;
    bool opened = false;
    alignas(inotify_event) char buf[1024];
    ssize_t n;
    while ((n = ::read(inotify_, buf, sizeof buf)) > 0) {
      for (char* p = buf; p < buf + n;) {
        auto* e = reinterpret_cast<inotify_event*>(p);
        if (e->mask & IN_OPEN) opened = true;
        p += sizeof(inotify_event) + e->len;
      }
    }
    return opened;
  }

  void drainWake(short revents) {
    if (!(revents & POLLIN)) return;
    char buf[64];
    while (::read(wakeRead_, buf, sizeof buf) > 0) {
    }
  }

  int fd_;
  std::string path_;
  std::string device_;
  bool isPty_;
  bool wasPresent_ = false;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  int inotify_ = -1;
};

bool MakeRaw(int fd, int baud) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  if (speed_t s = SpeedOf(baud); s != B0) cfsetspeed(&t, s);
  return tcsetattr(fd, TCSANOW, &t) == 0;
}

// Publishes `target` as `link`; a link left behind by a simulator that died
// (its pty gone) is taken over.
bool PlaceLink(const std::string& target, const std::string& link) {
  if (::symlink(target.c_str(), link.c_str()) == 0) return true;
  if (errno != EEXIST) return false;
  struct stat st {};
  if (::stat(link.c_str(), &st) == 0) return false;  // alive
  ::unlink(link.c_str());
  return ::symlink(target.c_str(), link.c_str()) == 0;
}

}  // namespace

std::string DefaultLinkDirectory() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  std::string base = xdg && *xdg ? xdg : "/tmp";
  return base + "/k9x40-sim";
}

std::unique_ptr<SimLine> OpenPtyLine(const std::string& linkPath, int baud, std::string* error) {
  auto fail = [&](const std::string& msg) {
    if (error) *error = msg;
    return nullptr;
  };
  int fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(Errno("posix_openpt"));
  if (grantpt(fd) != 0 || unlockpt(fd) != 0) {
    ::close(fd);
    return fail(Errno("grantpt/unlockpt"));
  }
  char name[128];
  if (ptsname_r(fd, name, sizeof name) != 0) {
    ::close(fd);
    return fail(Errno("ptsname"));
  }
  // Opening and closing the other side once makes the pty report a hang-up
  // until a client opens it, which is how the loop notices the client.
  int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) {
    ::close(fd);
    return fail(Errno(std::string("open ") + name));
  }
  MakeRaw(slave, baud);
  ::close(slave);

  std::string link = linkPath;
  if (link.empty()) {
    std::string dir = DefaultLinkDirectory();
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
      ::close(fd);
      return fail(Errno("mkdir " + dir));
    }
    for (int n = 0; n < 1000 && link.empty(); ++n) {
      std::string candidate = dir + "/ttySIM" + std::to_string(n);
      if (PlaceLink(name, candidate)) link = candidate;
    }
    if (link.empty()) {
      ::close(fd);
      return fail("no free link name in " + dir);
    }
  } else if (!PlaceLink(name, link)) {
    ::close(fd);
    return fail(Errno("symlink " + link));
  }
  return std::make_unique<FdLine>(fd, link, name, true);
}

std::unique_ptr<SimLine> OpenDeviceLine(const std::string& device, int baud, std::string* error) {
  int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = Errno("open " + device);
    return nullptr;
  }
  if (!MakeRaw(fd, baud)) {
    if (error) *error = Errno("termios " + device);
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FdLine>(fd, device, device, false);
}

}  // namespace sim
