#include <cerrno>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "link/serial_line_posix.h"
#include "link/serial_port.h"
#include "link/window_messages.h"
#include "ui/message_loop.h"

namespace devlink {
namespace {

OpenError classifyOpenError(int err) {
  switch (err) {
    case ENOENT: case ENOTDIR: case ENODEV: case ENXIO: case EIO:
      return OpenError::Missing;
    case EBUSY: case EWOULDBLOCK:
      return OpenError::Busy;
    case EACCES: case EPERM: case EROFS:
      return OpenError::Denied;
    default:
      return OpenError::Other;
  }
}

// Errors after which the device is gone for good.
bool isLostError(int err) { return err != EAGAIN && err != EINTR; }

void signalEvent(int efd) {
  if (efd < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] auto r = ::write(efd, &one, sizeof one);
}

void drainEvent(int efd) {
  std::uint64_t v;
  [[maybe_unused]] auto r = ::read(efd, &v, sizeof v);
}

}  // namespace

struct CSerialPort::State {
  SerialEvents* events = nullptr;
  LineTimeouts timeouts;

  // `lock` guards the device during open and close and each receive step;
  // `writeLock` keeps writes whole. Order: writeLock before lock.
  std::mutex lock;
  std::mutex writeLock;
  std::atomic<int> portOpen{0};
  std::atomic<int> monitorAlive{0};

  int fd = -1;
  int shutdownFd = -1;  // eventfd, readable once shutdown is signalled
  std::thread monitor;
  ui::SendCancel cancel;

  ui::MessageLoop* owner = nullptr;
  std::string port;
  std::uint32_t eventMask = 0;

  OpenError openError = OpenError::None;
  std::string openErrorText;

  bool haveCounters = false;
  serial_icounter_struct counters{};
  // A line error seen by a receive step makes the next write send nothing.
  std::atomic<bool> writeErrorPending{false};
};

CSerialPort::CSerialPort(SerialEvents* events) : s_(std::make_unique<State>()) {
  s_->events = events;
}

CSerialPort::~CSerialPort() { close(); }

void CSerialPort::setEvents(SerialEvents* events) { s_->events = events; }
void CSerialPort::setLineTimeouts(LineTimeouts t) { s_->timeouts = t; }
bool CSerialPort::isOpen() const { return s_->portOpen.load() == 1; }
bool CSerialPort::monitorAlive() const { return s_->monitorAlive.load() == 1; }
const std::string& CSerialPort::port() const { return s_->port; }
OpenError CSerialPort::lastOpenError() const { return s_->openError; }
const std::string& CSerialPort::lastOpenErrorText() const { return s_->openErrorText; }

void CSerialPort::reportError(std::string_view step, int err) {
  const std::string text = FormatSerialFailure(step, SystemErrorText(err), s_->port);
  if (s_->events)
    s_->events->showSerialFailure(text);
  else
    std::fprintf(stderr, "Application Error: %s", text.c_str());
}

int CSerialPort::open(ui::MessageLoop* owner, const std::string& port, int baud, char parity,
                      int dataBits, int stopBits, std::uint32_t eventMask) {
  s_->portOpen = 0;
  // A port still held is released first, its monitor joined, so no thread
  // ever polls a descriptor number that is reused below.
  close();
  s_->openError = OpenError::None;
  s_->openErrorText.clear();

  std::optional<posix::LineFailure> failure;
  {
    std::scoped_lock guard(s_->writeLock, s_->lock);
    s_->owner = owner;
    s_->port = port;
    s_->eventMask = eventMask;
    s_->cancel.cancelled = false;
    s_->writeErrorPending = false;

    auto fail = [&](int err) {
      s_->openError = classifyOpenError(err);
      s_->openErrorText = SystemErrorText(err);
      if (s_->fd >= 0) ::close(s_->fd);
      if (s_->shutdownFd >= 0) ::close(s_->shutdownFd);
      s_->fd = s_->shutdownFd = -1;
      return 0;
    };
    s_->shutdownFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (s_->shutdownFd < 0) return fail(errno);
    s_->fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (s_->fd < 0) return fail(errno);
    // flock keeps out other well-behaved programs (root included); TIOCEXCL
    // keeps out everyone else except root.
    if (flock(s_->fd, LOCK_EX | LOCK_NB) < 0) return fail(errno);
    ioctl(s_->fd, TIOCEXCL);

    failure = posix::ApplyLineFormat(s_->fd, {baud, parity, dataBits, stopBits});
    tcflush(s_->fd, TCIOFLUSH);
    s_->haveCounters = ioctl(s_->fd, TIOCGICOUNT, &s_->counters) == 0;
  }
  if (failure) reportError(failure->step, failure->err);
  s_->portOpen = 1;
  return 1;
}

int CSerialPort::startMonitor() {
  if (s_->monitor.joinable()) {
    // Writers also wait on the shutdown event; hold them off while it is
    // signalled for the old monitor and drained again.
    std::lock_guard writes(s_->writeLock);
    stopMonitor();
    drainEvent(s_->shutdownFd);
    s_->cancel.cancelled = false;
  }
  if (s_->portOpen.load() != 1 || s_->fd < 0) return 0;
  // Purged before the thread starts, so bytes arriving from now on are kept.
  tcflush(s_->fd, TCIOFLUSH);
  s_->monitorAlive = 1;
  s_->monitor = std::thread([this] { monitorMain(); });
  return 1;
}

void CSerialPort::stopMonitor() {
  signalEvent(s_->shutdownFd);
  if (s_->monitor.joinable()) {
    // The monitor may be waiting for the UI thread to take a delivery, and
    // this may be the UI thread: that delivery is dropped.
    if (s_->owner) s_->owner->cancelSends(s_->cancel);
    s_->monitor.join();
  }
  s_->monitorAlive = 0;
}

void CSerialPort::close() {
  stopMonitor();  // also wakes writers waiting for room
  std::scoped_lock guard(s_->writeLock, s_->lock);
  closeDevice();
  s_->portOpen = 0;
}

void CSerialPort::closeDevice() {
  if (s_->fd >= 0) {
    // Unsent output would make close wait for the line to drain.
    tcflush(s_->fd, TCOFLUSH);
    ioctl(s_->fd, TIOCNXCL);
    ::close(s_->fd);  // drops the flock too
    s_->fd = -1;
  }
  if (s_->shutdownFd >= 0) {
    ::close(s_->shutdownFd);
    s_->shutdownFd = -1;
  }
  s_->haveCounters = false;
}

bool CSerialPort::takeLineErrors() {
  if (!s_->haveCounters) return false;
  serial_icounter_struct now{};
  if (ioctl(s_->fd, TIOCGICOUNT, &now) < 0) return false;
  const serial_icounter_struct& was = s_->counters;
  const bool error = now.frame != was.frame || now.parity != was.parity ||
                     now.overrun != was.overrun || now.brk != was.brk ||
                     now.buf_overrun != was.buf_overrun;
  s_->counters = now;
  return error;
}

CSerialPort::Step CSerialPort::receiveStep(char* buffer) {
  if (s_->portOpen.load() != 1) return Step::Stop;
  ssize_t n;
  int err = 0;
  {
    std::lock_guard guard(s_->lock);
    if (takeLineErrors()) {
      tcflush(s_->fd, TCIFLUSH);
      s_->writeErrorPending = true;
      return Step::Discarded;
    }
    // Everything queued, up to the limit: a tty read stops at the end of
    // its line buffer while more received bytes wait behind it.
    n = 0;
    while (static_cast<std::size_t>(n) < kMaxDelivery) {
      const ssize_t r = ::read(s_->fd, buffer + n, kMaxDelivery - static_cast<std::size_t>(n));
      if (r > 0) {
        n += r;
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (n == 0) {
        if (r == 0) return Step::Lost;  // readable yet empty: hung up
        err = errno;
        n = -1;
      }
      break;  // a hang-up behind the bytes shows at the next wake
    }
  }
  if (n < 0) return isLostError(err) ? Step::Lost : Step::Nothing;
  if (s_->owner) {
    ui::Message m{UM_SERIAL_DATA, 0, n, std::string(buffer, static_cast<std::size_t>(n))};
    s_->owner->sendCancellable(std::move(m), s_->cancel);
  }
  return Step::Delivered;
}

void CSerialPort::monitorMain() {
  char buffer[kMaxDelivery + 1];
  const short wanted = (s_->eventMask & kEventRxChar) ? POLLIN : 0;
  pollfd fds[2] = {{s_->shutdownFd, POLLIN, 0}, {s_->fd, wanted, 0}};
  bool lost = false;
  for (;;) {
    fds[0].revents = fds[1].revents = 0;
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      reportError(kStepWaitCommEvent, errno);
      // Back off on the shutdown event alone instead of spinning.
      poll(fds, 1, 1000);
      continue;
    }
    if (fds[0].revents) break;  // shutdown wins over data
    const short ev = fds[1].revents;
    if (ev & POLLNVAL) {
      lost = true;
      break;
    }
    if (!(ev & (POLLIN | POLLHUP | POLLERR))) continue;
    // On a hang-up, bytes still queued are delivered before the loss.
    const Step step = receiveStep(buffer);
    if (step == Step::Stop) break;
    if (step == Step::Lost || (step == Step::Nothing && (ev & (POLLHUP | POLLERR)))) {
      lost = true;
      break;
    }
  }
  s_->monitorAlive = 0;
  if (lost && s_->owner) s_->owner->post(ui::Message{UM_LINE_LOST, 0, 0, {}});
}

unsigned CSerialPort::write(const void* bytes, std::size_t length) {
  std::lock_guard writes(s_->writeLock);
  {
    std::lock_guard guard(s_->lock);
    if (s_->fd >= 0) {
      const bool pending = s_->writeErrorPending.exchange(false);
      if (takeLineErrors() || pending) {
        tcflush(s_->fd, TCIFLUSH);
        return 0;
      }
    }
  }
  if (s_->portOpen.load() != 1 || s_->fd < 0) return 0;

  using Clock = std::chrono::steady_clock;
  const auto bound = std::chrono::milliseconds(
      static_cast<std::int64_t>(s_->timeouts.writeConstantMs) +
      static_cast<std::int64_t>(s_->timeouts.writePerByteMs) * static_cast<std::int64_t>(length));
  const auto deadline = Clock::now() + bound;
  const char* p = static_cast<const char*>(bytes);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t r = ::write(s_->fd, p + done, length - done);
    if (r > 0) {
      done += static_cast<std::size_t>(r);
      continue;
    }
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 && errno != EAGAIN) break;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd fds[2] = {{s_->fd, POLLOUT, 0}, {s_->shutdownFd, POLLIN, 0}};
    const int wait = left.count() > 1'000'000'000 ? 1'000'000'000 : static_cast<int>(left.count());
    const int pr = poll(fds, 2, wait);
    if (pr < 0 && errno == EINTR) continue;
    if (pr <= 0 || fds[1].revents) break;  // bound reached, or closing
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) break;
  }
  return static_cast<unsigned>(done);
}

}  // namespace devlink
