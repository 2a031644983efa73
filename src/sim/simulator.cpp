#include "sim/simulator.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>

namespace sim {
namespace {

constexpr std::string_view kDefaultDeviceType = "K9x40-L";
constexpr std::string_view kDefaultLoraVersion = "K6R20T v2.3";
constexpr auto kIdleWait = std::chrono::milliseconds(100);
// Closing a pty discards what the other side has not read yet; a cable pulled
// after an answer does not take back the bytes already delivered.
constexpr auto kHangUpGrace = std::chrono::milliseconds(100);

// What a Windows text-mode read makes of a file: CR LF becomes LF. A file
// saved by the tool (CR CR LF on disk) thus reads back as the received text.
std::string TextModeRead(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

// What a UART makes of bytes sent at another speed or format: high-bit
// garbage, which never spells a marker.
std::string Garble(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) c = static_cast<char>(0x80 | ((static_cast<unsigned char>(c) * 37 + 11) & 0x7f));
  return out;
}

}  // namespace

Simulator::Simulator(SimOptions options) : options_(std::move(options)) {}

Simulator::~Simulator() { stop(); }

bool Simulator::start(std::string* error) {
  auto fail = [&](std::string msg) {
    if (error) *error = std::move(msg);
    return false;
  };
  if (thread_.joinable()) return fail("already started");
  settings_ = std::make_unique<TerminalSettings>(
      std::string(kDefaultDeviceType), std::string(kDefaultLoraVersion));

  std::string state = options_.stateText;
  if (!options_.stateFile.empty()) {
    std::ifstream in(options_.stateFile, std::ios::binary);
    if (!in) return fail("cannot read " + options_.stateFile);
    state = TextModeRead(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  if (!state.empty() && settings_->loadReport(state) == 0)
    return fail("no settings found in the state (labels must end in CR LF after a text-mode read)");
  if (options_.deviceType) settings_->setValue("Device Type", *options_.deviceType);
  if (options_.loraVersion) settings_->setValue("AT+LVER", *options_.loraVersion);

  if (!options_.transcriptPath.empty() && !transcriptFile_.open(options_.transcriptPath))
    return fail("cannot write " + options_.transcriptPath);

  std::string lineError;
  line_ = options_.devicePath.empty() ? OpenPtyLine(options_.linkPath, options_.baud, &lineError)
                                      : OpenDeviceLine(options_.devicePath, options_.baud, &lineError);
  if (!line_) return fail(lineError);

  engine_ = std::make_unique<TerminalEngine>(options_, *settings_);
  epoch_ = SteadyClock::now();
  lineFreeAt_ = nextChunkAt_ = epoch_;
  {
    std::lock_guard lock(mutex_);
    running_ = true;
    stopRequested_ = false;
  }
  thread_ = std::thread([this] { run(); });
  return true;
}

void Simulator::stop() {
  {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
  }
  if (line_) line_->wake();
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  if (line_) line_->hangUp();
  running_ = false;
  notify();
}

bool Simulator::running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

std::string Simulator::devicePath() const { return line_ ? line_->path() : std::string(); }
std::string Simulator::ptyPath() const { return line_ ? line_->devicePath() : std::string(); }

Mode Simulator::mode() const {
  std::lock_guard lock(mutex_);
  return engine_ ? engine_->mode() : Mode::Off;
}

std::optional<std::string> Simulator::value(std::string_view name) const {
  std::lock_guard lock(mutex_);
  return settings_ ? settings_->value(name) : std::nullopt;
}

bool Simulator::setValue(std::string_view name, std::string_view v) {
  std::lock_guard lock(mutex_);
  return settings_ && settings_->setValue(name, v);
}

std::string Simulator::report() const {
  std::lock_guard lock(mutex_);
  return engine_ ? engine_->interpreter().report() : std::string();
}

std::vector<TranscriptRecord> Simulator::transcript() const {
  std::lock_guard lock(mutex_);
  return transcript_;
}

std::string Simulator::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::string Simulator::sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

std::vector<std::string> Simulator::commands() const {
  std::lock_guard lock(mutex_);
  return engine_ ? engine_->commands() : std::vector<std::string>{};
}

int Simulator::commandCount() const {
  std::lock_guard lock(mutex_);
  return engine_ ? engine_->commandCount() : 0;
}

void Simulator::reboot() {
  {
    std::lock_guard lock(mutex_);
    rebootRequested_ = true;
  }
  if (line_) line_->wake();
}

void Simulator::hangUp() {
  {
    std::lock_guard lock(mutex_);
    hangUpRequested_ = true;
  }
  if (line_) line_->wake();
}

bool Simulator::waitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout) const {
  auto deadline = SteadyClock::now() + timeout;
  std::unique_lock lock(mutex_);
  while (true) {
    std::uint64_t seen = generation_;
    lock.unlock();
    if (pred()) return true;
    lock.lock();
    if (!changed_.wait_until(lock, deadline, [&] { return generation_ != seen; })) {
      lock.unlock();
      return pred();
    }
  }
}

bool Simulator::waitForMode(Mode m, std::chrono::milliseconds timeout) const {
  return waitFor([&] { return mode() == m; }, timeout);
}

bool Simulator::waitForReceived(std::string_view text, std::chrono::milliseconds timeout) const {
  return waitFor([&] { return received().find(text) != std::string::npos; }, timeout);
}

bool Simulator::waitForSent(std::string_view text, std::chrono::milliseconds timeout) const {
  return waitFor([&] { return sent().find(text) != std::string::npos; }, timeout);
}

bool Simulator::waitForCommands(int count, std::chrono::milliseconds timeout) const {
  return waitFor([&] { return commandCount() >= count; }, timeout);
}

void Simulator::notify() {
  ++generation_;
  changed_.notify_all();
}

void Simulator::record(Direction dir, std::string bytes, TimePoint now) {
  TranscriptRecord r{dir,
                     std::chrono::duration_cast<std::chrono::microseconds>(now - epoch_).count(),
                     std::move(bytes)};
  transcriptFile_.write(r);
  if (!options_.keepTranscript) return;
  if (dir == Direction::Received) received_ += r.bytes;
  if (dir == Direction::Sent) sent_ += r.bytes;
  transcript_.push_back(std::move(r));
}

void Simulator::recordEvents(TimePoint now) {
  for (std::string& ev : engine_->takeEvents()) record(Direction::Event, std::move(ev), now);
}

void Simulator::doHangUp() {
  line_->hangUp();
  engine_->hangUp();
  current_.reset();
  running_ = false;
}

void Simulator::finishSegment(TimePoint now) {
  AfterSent after = current_->after;
  current_.reset();
  if (after == AfterSent::HangUp) {
    engine_->hangUp();  // deaf from now on
    hangUpAt_ = now + kHangUpGrace;
    return;
  }
  engine_->segmentSent(after, now);
}

// Moves due output onto the line at the baud's pace, in chunks when asked.
void Simulator::pumpOutput(TimePoint now, bool peerPresent) {
  const auto byteTime = std::chrono::duration_cast<SteadyClock::duration>(
      std::chrono::duration<double>(10.0 / std::max(options_.baud, 1)));
  const std::size_t burst = options_.pace ? std::max(1, options_.baud / 10000)
                                          : std::numeric_limits<std::size_t>::max();
  const std::size_t chunk = options_.chunk > 0 ? static_cast<std::size_t>(options_.chunk)
                                               : std::numeric_limits<std::size_t>::max();
  while (running_) {
    if (!current_) {
      if (!engine_->hasOutput()) return;
      current_ = engine_->takeOutput();
      currentPos_ = 0;
      lineFreeAt_ = std::max(lineFreeAt_, now);  // an idle line owes no bytes
    }
    const std::string& bytes = current_->bytes;
    if (currentPos_ == bytes.size()) {
      finishSegment(now);  // the other side can read the last byte now
      continue;
    }
    if (options_.pace && now < lineFreeAt_) return;
    if (chunkLeft_ == 0 || chunkLeft_ > chunk) {
      if (chunkLeft_ == 0)
        nextChunkAt_ = std::max(now, lineFreeAt_) + std::chrono::milliseconds(options_.chunkGapMs);
      chunkLeft_ = chunk;
    }
    if (now < nextChunkAt_) return;
    lineFreeAt_ = std::max(lineFreeAt_, nextChunkAt_);  // nor does a gap
    // A late wake-up sends what fell due meanwhile, so the line keeps its
    // schedule; it never runs ahead of it.
    std::size_t due = options_.pace
                          ? static_cast<std::size_t>((now - lineFreeAt_) / byteTime) + burst
                          : std::numeric_limits<std::size_t>::max();
    std::size_t n = std::min({bytes.size() - currentPos_, chunkLeft_, due});
    std::size_t written = n;
    if (peerPresent) {
      std::string garbled;
      const char* out = bytes.data() + currentPos_;
      if (lineGarbles(now)) out = (garbled = Garble(std::string_view(out, n))).data();
      written = line_->write(out, n);
      writeBlocked_ = written == 0;
      if (writeBlocked_) return;  // the other side is not reading; try again later
      record(Direction::Sent, std::string(out, written), now);
    }
    currentPos_ += written;
    chunkLeft_ -= written;
    if (options_.pace) lineFreeAt_ += byteTime * static_cast<long>(written);
  }
}

bool Simulator::lineGarbles(TimePoint now) {
  if (!options_.strictLine) return false;
  auto f = line_->peerFormat();
  std::string mismatch;
  if (f && (f->baud != options_.baud || f->format != "8N1"))
    mismatch = "line mismatch: other side " + std::to_string(f->baud) + " " + f->format +
               ", terminal " + std::to_string(options_.baud) + " 8N1";
  if (mismatch != mismatch_) {
    mismatch_ = mismatch;
    record(Direction::Event, mismatch.empty() ? "line settings match" : mismatch, now);
  }
  return !mismatch.empty();
}

void Simulator::run() {
  std::unique_lock lock(mutex_);
  bool peerPresent = !options_.devicePath.empty();
  if (!options_.devicePath.empty() || options_.powerOn == PowerOn::AtStart)
    engine_->powerOn(SteadyClock::now());
  char buf[4096];
  while (!stopRequested_ && running_) {
    TimePoint now = SteadyClock::now();
    if (hangUpAt_ && *hangUpAt_ <= now) hangUpRequested_ = true;
    if (hangUpRequested_) {
      hangUpRequested_ = false;
      record(Direction::Event, "hang up", now);
      doHangUp();
      break;
    }
    if (rebootRequested_) {
      rebootRequested_ = false;
      current_.reset();
      engine_->reboot(now);
    }
    engine_->tick(now);
    recordEvents(now);
    pumpOutput(now, peerPresent);
    recordEvents(now);
    notify();
    if (!running_) break;

    TimePoint wakeAt = now + kIdleWait;
    if (auto d = engine_->nextDeadline()) wakeAt = std::min(wakeAt, *d);
    if (hangUpAt_) wakeAt = std::min(wakeAt, *hangUpAt_);
    if (current_ || engine_->hasOutput())
      wakeAt = std::min(wakeAt, std::max({now, lineFreeAt_, nextChunkAt_}));
    auto timeout = std::chrono::duration_cast<std::chrono::microseconds>(
        std::max(wakeAt - now, SteadyClock::duration::zero()));
    if (writeBlocked_) timeout = std::chrono::duration_cast<std::chrono::microseconds>(kIdleWait);
    bool wantWrite = writeBlocked_;

    lock.unlock();
    LineWait w = line_->wait(timeout, wantWrite);
    lock.lock();
    now = SteadyClock::now();
    peerPresent = w.peerPresent;
    if (w.peerOpened && options_.devicePath.empty()) {
      record(Direction::Event, "line opened", now);
      if (!engine_->powered()) engine_->powerOn(now);
      else if (options_.powerOn == PowerOn::EveryOpen) {
        current_.reset();
        engine_->reboot(now);
      }
    }
    if (w.readable) {
      std::size_t n;
      while ((n = line_->read(buf, sizeof buf)) > 0) {
        record(Direction::Received, std::string(buf, n), now);
        std::string in(buf, n);
        engine_->receive(lineGarbles(now) ? Garble(in) : in, now);
        recordEvents(now);
      }
    }
  }
  notify();
}

}  // namespace sim
