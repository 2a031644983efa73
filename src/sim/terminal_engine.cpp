#include "sim/terminal_engine.h"

#include <algorithm>

#include "sim/terminal_texts.h"

namespace sim {
namespace {

constexpr std::size_t kMaxLine = 1100;  // longer command lines are refused
// Sized by the literal (its leading NUL would end a plain string_view early).
constexpr char kNoiseLiteral[] = "\x00\x01\x02\x7f\x80\xfe\xff~^`|{}[]#$%&*<>\r\n";
constexpr std::string_view kNoiseBytes{kNoiseLiteral, sizeof kNoiseLiteral - 1};

}  // namespace

const char* ModeName(Mode m) {
  switch (m) {
    case Mode::Off: return "off";
    case Mode::Booting: return "booting";
    case Mode::BootWindow: return "boot-window";
    case Mode::Data: return "data";
    case Mode::Config: return "config";
    case Mode::HungUp: return "hung-up";
  }
  return "?";
}

TerminalEngine::TerminalEngine(const SimOptions& options, TerminalSettings& settings)
    : options_(options), settings_(settings), interpreter_(settings), rng_(options.seed) {
  interpreter_.setReportStyle({options.nulInReport});
}

SteadyClock::duration TerminalEngine::scaled(double seconds) const {
  return std::chrono::duration_cast<SteadyClock::duration>(
      std::chrono::duration<double>(seconds * options_.timeScale));
}

void TerminalEngine::setMode(Mode m, std::string_view why) {
  if (m == mode_) return;
  mode_ = m;
  std::string ev = "mode ";
  ev += ModeName(m);
  if (!why.empty()) {
    ev += " (";
    ev += why;
    ev += ")";
  }
  events_.push_back(std::move(ev));
}

std::vector<std::string> TerminalEngine::takeEvents() {
  std::vector<std::string> out;
  out.swap(events_);
  return out;
}

void TerminalEngine::emit(std::string bytes, AfterSent after) {
  output_.push_back({std::move(bytes), after});
}

Segment TerminalEngine::takeOutput() {
  Segment s = std::move(output_.front());
  output_.pop_front();
  return s;
}

void TerminalEngine::powerOn(TimePoint now) {
  if (mode_ != Mode::Off) return;
  startBoot(now + (firstBoot_ ? scaled(options_.bootDelayS) : SteadyClock::duration{}));
}

void TerminalEngine::startBoot(TimePoint at) {
  firstBoot_ = false;
  setMode(Mode::Booting);
  bootAt_ = at;
  windowEnd_.reset();
  configTimeout_.reset();
  line_.clear();
  dataTail_.clear();
  swallowKeys_ = false;
}

void TerminalEngine::reboot(TimePoint now) {
  if (mode_ == Mode::HungUp) return;
  output_.clear();
  events_.push_back("reboot");
  startBoot(now + scaled(options_.rebootPauseS));
}

void TerminalEngine::hangUp() {
  output_.clear();
  bootAt_.reset();
  windowEnd_.reset();
  configTimeout_.reset();
  setMode(Mode::HungUp);
}

std::optional<TimePoint> TerminalEngine::nextDeadline() const {
  std::optional<TimePoint> d;
  for (const auto& t : {bootAt_, windowEnd_, configTimeout_})
    if (t && (!d || *t < *d)) d = t;
  return d;
}

void TerminalEngine::tick(TimePoint now) {
  if (bootAt_ && *bootAt_ <= now) {
    bootAt_.reset();
    interpreter_.logEvent("system start");
    emit(BootBanner(settings_.deviceType()));
    emit(BootPrompt(options_.bootWindowS * options_.timeScale), AfterSent::OpenBootWindow);
  }
  if (windowEnd_ && *windowEnd_ <= now) {
    windowEnd_.reset();
    setMode(Mode::Data, "no key");
    emit(DataModeStart(settings_.value("AT+IPAD").value_or(""),
                       settings_.value("AT+PORT").value_or("")));
  }
  if (configTimeout_ && *configTimeout_ <= now) {
    configTimeout_.reset();
    setMode(Mode::Data, "time-out");
    interpreter_.logEvent("setting time-out");
    line_.clear();
    emit(std::string(kSettingTimeout));
  }
}

void TerminalEngine::segmentSent(AfterSent after, TimePoint now) {
  switch (after) {
    case AfterSent::Nothing: break;
    case AfterSent::OpenBootWindow:
      if (mode_ == Mode::Booting) {
        setMode(Mode::BootWindow);
        windowEnd_ = now + scaled(options_.bootWindowS);
      }
      break;
    case AfterSent::Reboot: reboot(now); break;
    case AfterSent::HangUp: break;  // the owner closes the line
  }
}

void TerminalEngine::enterConfig(TimePoint now) {
  setMode(Mode::Config);
  interpreter_.logEvent("enter setting mode");
  configTimeout_ = now + scaled(options_.configTimeoutS);
  line_.clear();
}

void TerminalEngine::receive(std::string_view bytes, TimePoint now) {
  for (char c : bytes) {
    switch (mode_) {
      case Mode::Off:
      case Mode::Booting:
      case Mode::HungUp:
        break;  // nobody listens yet (or any more)
      case Mode::BootWindow:
        if (c == 's') {
          windowEnd_.reset();
          enterConfig(now);
          swallowKeys_ = true;
          emit(CommandList());
        }
        break;
      case Mode::Data:
        dataTail_.push_back(c);
        if (dataTail_.size() > 3) dataTail_.erase(0, dataTail_.size() - 3);
        if (dataTail_ == "+++") {
          dataTail_.clear();
          enterConfig(now);
          emit(std::string(kEnterSetting));
        }
        break;
      case Mode::Config:
        receiveConfig(c, now);
        break;
    }
  }
}

void TerminalEngine::receiveConfig(char c, TimePoint now) {
  // The tool keeps typing "s" until it has seen the command list; those keys
  // are no command.
  if (swallowKeys_ && line_.empty() && c == 's') return;
  swallowKeys_ = false;
  if (c != '\n') {
    if (line_.size() <= kMaxLine) line_.push_back(c);
    // "+++" to a terminal already in setting mode is answered as on entry.
    if (line_ == "+++") {
      line_.clear();
      emit(std::string(kEnterSetting));
    }
    return;
  }
  std::string line;
  line.swap(line_);
  while (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty() || line.find_first_not_of('\r') == std::string::npos) return;
  handleCommand(std::move(line), now);
}

bool TerminalEngine::matches(const std::vector<std::string>& words, std::string_view word) const {
  for (const std::string& w : words) {
    std::string u = CommandWord(w);
    if (u == word) return true;
    if (!u.empty() && u.back() != '?' && u + "?" == word) return true;
  }
  return false;
}

std::string TerminalEngine::noise() {
  std::uniform_int_distribution<int> len(1, 12);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(kNoiseBytes.size()) - 1);
  std::string s;
  for (int i = len(rng_); i > 0; --i) s.push_back(kNoiseBytes[pick(rng_)]);
  return s;
}

void TerminalEngine::handleCommand(std::string line, TimePoint now) {
  ++commandCount_;
  commands_.push_back(line);
  configTimeout_ = now + scaled(options_.configTimeoutS);
  const std::string word = CommandWord(line);
  const int n = commandCount_;

  if (options_.rebootAt == n) {
    // Half a long reply gets out before the power fails; a short one none.
    std::string partial;
    if (word == "AT+SHOW") partial = interpreter_.report();
    else if (word == "AT+READFILELOG") partial = interpreter_.execute(line).text;
    partial.resize(partial.size() / 2);
    events_.push_back("fault: reboot during command " + std::to_string(n));
    emit(std::move(partial), AfterSent::Reboot);
    return;
  }
  if (matches(options_.silentCommands, word)) {
    events_.push_back("fault: no answer to command " + std::to_string(n));
    return;
  }
  bool fail = matches(options_.errorCommands, word);
  if (!fail && options_.csqErrorOnce && word == "AT+CSQ" && !csqFailed_) {
    csqFailed_ = true;
    fail = true;
  }
  if (!fail && options_.errorRate > 0) {
    std::uniform_real_distribution<double> roll(0.0, 1.0);
    fail = roll(rng_) < options_.errorRate;
  }

  CommandReply reply;
  if (fail) {
    events_.push_back("fault: ERROR to command " + std::to_string(n));
    reply.text = std::string(kError);
  } else if (line.find('=') != std::string::npos && matches(options_.ignoredCommands, word)) {
    events_.push_back("fault: write ignored in command " + std::to_string(n));
    reply.text = std::string(kOk);
  } else {
    reply = interpreter_.execute(line);
  }
  std::string out = options_.noise ? noise() : std::string();
  out += reply.text;
  const bool hangUpNow = options_.hangupAfter == n;
  if (hangUpNow) events_.push_back("fault: hang up after command " + std::to_string(n));
  emit(std::move(out), hangUpNow ? AfterSent::HangUp : AfterSent::Nothing);
  if (reply.leaveConfig) {
    configTimeout_.reset();
    setMode(Mode::Data, "quit");
  }
}

}  // namespace sim
