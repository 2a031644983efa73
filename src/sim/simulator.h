#pragma once
// A simulated K9x40 terminal on a pseudo-terminal, served by its own thread.
//
//   sim::SimOptions o;
//   o.timeScale = 0.05;                  // boot window 150 ms, time-out 15 s
//   sim::Simulator terminal(o);
//   ASSERT_TRUE(terminal.start());
//   open(terminal.devicePath()) ...      // boots when the port is opened
//   terminal.waitForMode(sim::Mode::Config, 2s);
//   terminal.waitForReceived("AT+IPAD=1.2.3.4\r\n", 2s);
//   EXPECT_EQ(terminal.value("Server's Ip"), "1.2.3.4");   // control name ...
//   EXPECT_EQ(terminal.value("AT+IPAD"), "1.2.3.4");       // ... or command word
//   terminal.transcript();               // every byte with its time
//   terminal.stop();                     // also done by the destructor
//
// Every accessor may be called from any thread while the terminal runs.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/sim_line.h"
#include "sim/sim_options.h"
#include "sim/terminal_engine.h"
#include "sim/terminal_settings.h"
#include "sim/transcript.h"

namespace sim {

class Simulator {
 public:
  explicit Simulator(SimOptions options = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Opens the line and starts serving it. False (with a reason) when the line,
  // the state file or the transcript cannot be opened.
  bool start(std::string* error = nullptr);
  // Ends the thread, closes the line and removes the link. Idempotent.
  void stop();
  // False before start, after stop and after a hang-up.
  bool running() const;

  // The path the tool opens: the link (or the --device path).
  std::string devicePath() const;
  // The pty's own name (/dev/pts/N).
  std::string ptyPath() const;

  Mode mode() const;
  // By registry control name ("Server's Ip", "Device Type") or command word in
  // any case ("at+ipad"). Empty optional for names the terminal does not know.
  std::optional<std::string> value(std::string_view nameOrCommand) const;
  // Stores without validation. False for unknown names.
  bool setValue(std::string_view nameOrCommand, std::string_view v);
  // The report the terminal would send now.
  std::string report() const;

  std::vector<TranscriptRecord> transcript() const;
  std::string received() const;  // every byte received, concatenated
  std::string sent() const;      // every byte put on the line, concatenated
  // Configuration-mode command lines in order (line ends removed).
  std::vector<std::string> commands() const;
  int commandCount() const;

  // Power cycle now: pending output is lost, the banner follows after the
  // reboot pause.
  void reboot();
  // Closes the line as an unplugged cable does; the simulator stops serving.
  void hangUp();

  // Waits until `pred` holds (checked after every change) or the time-out.
  bool waitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout) const;
  bool waitForMode(Mode m, std::chrono::milliseconds timeout) const;
  bool waitForReceived(std::string_view text, std::chrono::milliseconds timeout) const;
  bool waitForSent(std::string_view text, std::chrono::milliseconds timeout) const;
  bool waitForCommands(int count, std::chrono::milliseconds timeout) const;

 private:
  void run();
  void pumpOutput(TimePoint now, bool peerPresent);
  void record(Direction dir, std::string bytes, TimePoint now);
  void recordEvents(TimePoint now);
  void finishSegment(TimePoint now);
  void doHangUp();
  void notify();
  // True when a strict line's other side does not match baud 8N1.
  bool lineGarbles(TimePoint now);

  SimOptions options_;
  std::unique_ptr<TerminalSettings> settings_;
  std::unique_ptr<TerminalEngine> engine_;
  std::unique_ptr<SimLine> line_;
  TranscriptWriter transcriptFile_;
  TimePoint epoch_;

  mutable std::mutex mutex_;  // guards everything below and the engine
  mutable std::condition_variable changed_;
  std::thread thread_;
  bool running_ = false;
  bool stopRequested_ = false;
  bool rebootRequested_ = false;
  bool hangUpRequested_ = false;
  std::uint64_t generation_ = 0;  // bumped on every change, for waitFor
  std::vector<TranscriptRecord> transcript_;
  std::string received_;
  std::string sent_;

  // Output in flight: the current segment, how far it went, the pacing clock.
  std::optional<Segment> current_;
  std::size_t currentPos_ = 0;
  std::size_t chunkLeft_ = static_cast<std::size_t>(-1);  // bytes left in the current chunk
  bool writeBlocked_ = false;
  std::optional<TimePoint> hangUpAt_;  // the cable is pulled then
  std::string mismatch_;               // last reported line setting mismatch  // the other side stopped reading
  TimePoint lineFreeAt_{};
  TimePoint nextChunkAt_{};
};

}  // namespace sim
