#pragma once
// The terminal's behaviour without any I/O: boot prompt and window, data mode
// with its escape, configuration mode with its command interpreter, time-out,
// and the fault injections. The owner feeds received bytes and the clock in,
// and takes segments of output to put on the line; it reports back when a
// segment has left the line, since some timers start only then.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "sim/command_interpreter.h"
#include "sim/sim_options.h"
#include "sim/terminal_settings.h"

namespace sim {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;

enum class Mode {
  Off,         // not powered yet
  Booting,     // banner and prompt on their way out
  BootWindow,  // waiting for the key "s"; opens once the prompt has left the line
  Data,        // running; only "+++" is listened for
  Config,      // configuration mode: commands
  HungUp,      // line closed
};
const char* ModeName(Mode m);

// What follows once a segment has been put on the line.
enum class AfterSent { Nothing, OpenBootWindow, Reboot, HangUp };

struct Segment {
  std::string bytes;
  AfterSent after = AfterSent::Nothing;
};

class TerminalEngine {
 public:
  TerminalEngine(const SimOptions& options, TerminalSettings& settings);

  void powerOn(TimePoint now);
  void reboot(TimePoint now);  // drops pending output, pauses, boots again
  void hangUp();               // the line is gone; nothing more happens
  void receive(std::string_view bytes, TimePoint now);
  void tick(TimePoint now);  // runs the timers that are due
  void segmentSent(AfterSent after, TimePoint now);

  std::optional<TimePoint> nextDeadline() const;
  bool hasOutput() const { return !output_.empty(); }
  Segment takeOutput();
  // Pending output is discarded (power loss).
  void dropOutput() { output_.clear(); }

  Mode mode() const { return mode_; }
  bool powered() const { return mode_ != Mode::Off; }
  int commandCount() const { return commandCount_; }
  const std::vector<std::string>& commands() const { return commands_; }
  // Mode changes and fault firings, in order, for the transcript.
  std::vector<std::string> takeEvents();
  CommandInterpreter& interpreter() { return interpreter_; }

 private:
  std::chrono::steady_clock::duration scaled(double seconds) const;
  void setMode(Mode m, std::string_view why = {});
  void emit(std::string bytes, AfterSent after = AfterSent::Nothing);
  void startBoot(TimePoint at);
  void enterConfig(TimePoint now);
  void receiveConfig(char c, TimePoint now);
  void handleCommand(std::string line, TimePoint now);
  bool matches(const std::vector<std::string>& words, std::string_view word) const;
  std::string noise();

  const SimOptions& options_;
  TerminalSettings& settings_;
  CommandInterpreter interpreter_;
  std::mt19937 rng_;

  Mode mode_ = Mode::Off;
  bool firstBoot_ = true;
  std::optional<TimePoint> bootAt_;         // banner goes out then
  std::optional<TimePoint> windowEnd_;      // boot window closes
  std::optional<TimePoint> configTimeout_;  // configuration mode ends by itself
  std::deque<Segment> output_;
  std::string line_;
  std::string dataTail_;     // last bytes seen in data mode, for "+++"
  bool swallowKeys_ = false;  // repeated "s" keys right after entering
  bool csqFailed_ = false;
  int commandCount_ = 0;
  std::vector<std::string> commands_;
  std::vector<std::string> events_;
};

}  // namespace sim
