#include "session.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/startup.h"
#include "cli_commands.h"
#include "link/port_discovery.h"

namespace cli {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollStep = std::chrono::milliseconds(10);
// Without configuration mode after this long, the hint to power on is shown.
constexpr auto kHintAfter = std::chrono::milliseconds(1000);

// Log pane text as one line: line ends become blanks, ends trimmed.
std::string OneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

Session::Session(const GlobalOptions& options) : options_(options) {
  timing_ = devlink::Timing{}.scaled(options.timeScale);
  app::ShellOptions so;
  so.programDir = app::ProgramDirectory();
  so.language = options.language ? *options.language : app::ReadLanguage(so.programDir);
  so.timing = timing_;
  so.hooks = app::StandardHooks();
  so.hooks.jobFinished = [this](const devlink::Job& job, bool complete, const std::string& reply, int count) {
    jobs_.add(FinishedJob{job, complete, reply, count});
  };
  auto standardForFile = so.hooks.reportForFile;
  so.hooks.reportForFile = [this, standardForFile](app::CK9X40FrameWnd& f, const std::string& report) {
    if (standardForFile) standardForFile(f, report);
    capturePlan(f);
  };
  shell_ = std::make_unique<app::HeadlessShell>(std::move(so));
  if (options_.verbose) shell_->ui([this](app::CK9X40FrameWnd& f) { f.pm().setObserver(&echo_); });
}

Session::~Session() {
  progress_.clear();
  if (options_.verbose && shell_->running()) {
    shell_->settle(stallLimitMs());  // the log pane lags behind the line
    shell_->ui([](app::CK9X40FrameWnd& f) { f.pm().setObserver(nullptr); });
  }
  shell_.reset();
}

int Session::stallLimitMs() const {
  const int factor = devlink::TimeoutFactorForBaud(options_.baud);
  return timing_.longTimeoutMs * factor + 4 * timing_.pollMs + 3000;
}

int Session::connect() {
  port_ = options_.port;
  if (port_.empty()) {
    const auto ports = devlink::ListSerialPorts();
    if (ports.empty()) {
      std::fprintf(stderr, "k9x40-cli: no serial port found; name one with -p PATH\n");
      return kExitNoTerminal;
    }
    if (ports.size() > 1) {
      std::string list;
      for (const auto& p : ports) list += (list.empty() ? "" : ", ") + p;
      std::fprintf(stderr, "k9x40-cli: several serial ports present (%s); choose one with -p PATH\n", list.c_str());
      return kExitUsage;
    }
    port_ = ports.front();
  }

  app::HeadlessShell& s = *shell_;
  if (!s.skinLoaded()) {
    std::fprintf(stderr, "k9x40-cli: the form could not be built from the skin\n");
    return kExitNoTerminal;
  }
  const std::string logBefore = s.logText();
  if (!s.openPort(port_, options_.baud, options_.format)) {
    std::string log = s.logText();
    std::string why = log.size() >= logBefore.size() && log.compare(0, logBefore.size(), logBefore) == 0
                          ? OneLine(std::string_view(log).substr(logBefore.size()))
                          : std::string();
    std::fprintf(stderr, "k9x40-cli: cannot open %s%s%s\n", port_.c_str(), why.empty() ? "" : ": ", why.c_str());
    return kExitNoTerminal;
  }
  if (reportBoxes() > 0) return kExitNoTerminal;  // the line settings were refused

  const auto start = Clock::now();
  const auto limit = std::chrono::milliseconds(static_cast<long long>(options_.waitS * 1000));
  if (options_.login) {
    // "Login" is enabled by the state the opening posted.
    if (!s.waitFor([](app::CK9X40FrameWnd& f) {
          auto* b = f.pm().findControl("Login");
          return b && b->enabled();
        }, 2000) || !s.click("Login")) {
      std::fprintf(stderr, "k9x40-cli: the form has no usable Login button\n");
      return kExitNoTerminal;
    }
  }
  bool hinted = options_.login;
  for (;;) {
    if (s.configMode()) break;
    if (!s.portOpen()) {
      std::fprintf(stderr, "k9x40-cli: the line to the terminal on %s was lost\n", port_.c_str());
      return kExitNoTerminal;
    }
    const auto waited = Clock::now() - start;
    if (waited >= limit) {
      std::fprintf(stderr, "k9x40-cli: configuration mode not reached on %s within %g s%s\n", port_.c_str(),
                   options_.waitS, options_.login ? "" : "; a terminal that is already running needs --login");
      return kExitNoTerminal;
    }
    if (!hinted && waited >= kHintAfter) {
      std::fprintf(stderr, "k9x40-cli: waiting up to %g s for configuration mode on %s: power the terminal on now\n",
                   options_.waitS, port_.c_str());
      hinted = true;
    }
    std::this_thread::sleep_for(kPollStep);
  }
  waitForQuietLine();
  return kExitOk;
}

// The terminal goes on printing its command list after the text that
// switched the form to configuration mode. A person clicks long after it has
// ended; a script must wait for it too, or the tail lands in the first reply
// (and in a saved snapshot).
void Session::waitForQuietLine() {
  const auto quiet = std::chrono::milliseconds(50 + 200 * 1000 / options_.baud);  // and 20 byte times
  const auto end = Clock::now() + std::chrono::milliseconds(stallLimitMs());
  int last = bytesReceived();
  auto lastChange = Clock::now();
  while (Clock::now() < end && Clock::now() - lastChange < quiet) {
    std::this_thread::sleep_for(kPollStep);
    const int n = bytesReceived();
    if (n != last) {
      last = n;
      lastChange = Clock::now();
    }
  }
}

bool Session::commandsAvailable(const char* what) {
  if (!shell_->portOpen()) {
    progress_.clear();
    std::fprintf(stderr, "k9x40-cli: the line to the terminal on %s was lost\n", port_.c_str());
    return false;
  }
  if (!shell_->configMode()) {
    progress_.clear();
    std::fprintf(stderr, "k9x40-cli: the terminal left configuration mode before %s\n", what);
    return false;
  }
  return true;
}

bool Session::press(std::string_view button) {
  return waitEnabled(button) && shell_->click(button);
}

bool Session::waitEnabled(std::string_view button) {
  const std::string name(button);
  const auto end = Clock::now() + std::chrono::milliseconds(stallLimitMs());
  for (;;) {
    if (!commandsAvailable(name.c_str())) return false;
    if (shell_->enabled(name).value_or(false)) break;
    if (!shell_->enabled(name).has_value()) {
      std::fprintf(stderr, "k9x40-cli: the form has no control named '%s'\n", name.c_str());
      return false;
    }
    if (Clock::now() >= end) {
      std::fprintf(stderr, "k9x40-cli: '%s' stayed disabled\n", name.c_str());
      return false;
    }
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}

bool Session::focus(std::string_view field) {
  // Wait for the idle worker as for a button, so that the query is not
  // queued behind another command.
  if (!waitEnabled("Load")) return false;
  const std::string name(field);
  if (!shell_->focus(name)) {
    std::fprintf(stderr, "k9x40-cli: the form has no control named '%s'\n", name.c_str());
    return false;
  }
  return true;
}

std::optional<std::vector<FinishedJob>> Session::waitJobs(std::size_t mark,
                                                          const std::function<std::string()>& progress,
                                                          const std::function<void(const FinishedJob&)>& onFinished) {
  std::size_t seen = mark;
  auto tell = [&](std::size_t upTo) {
    if (!onFinished) return;
    for (const FinishedJob& f : jobs_.since(seen)) {
      if (seen >= upTo) break;
      onFinished(f);
      ++seen;
    }
  };
  auto deadline = Clock::now() + std::chrono::milliseconds(stallLimitMs());
  auto nextProgress = Clock::now();
  for (;;) {
    const std::size_t n = jobs_.size();
    if (n != seen) {
      deadline = Clock::now() + std::chrono::milliseconds(stallLimitMs());
      tell(n);
      seen = n;
    }
    if (n > mark && shell_->workerIdle() && jobs_.size() == n) break;
    if (!shell_->portOpen()) {
      progress_.clear();
      std::fprintf(stderr, "k9x40-cli: the line to the terminal on %s was lost\n", port_.c_str());
      return std::nullopt;
    }
    if (Clock::now() >= deadline) {
      progress_.clear();
      std::fprintf(stderr, "k9x40-cli: the worker reported nothing for %d ms\n", stallLimitMs());
      return std::nullopt;
    }
    if (progress && progress_.enabled() && Clock::now() >= nextProgress) {
      progress_.show(progress());
      nextProgress = Clock::now() + std::chrono::milliseconds(100);
    }
    jobs_.waitBeyond(n, 10);
  }
  progress_.clear();
  return jobs_.since(mark);
}

bool Session::startedJob(std::size_t mark) {
  shell_->settle(stallLimitMs());
  return jobs_.size() > mark || !shell_->workerIdle();
}

int Session::bytesReceived() {
  return shell_->ui([](app::CK9X40FrameWnd& f) {
    return f.link().withBuffer([](params::RecvBuffer& b, devlink::JobType&) { return static_cast<int>(b.count); });
  });
}

void Session::recordLoadPlan(bool dryRun) {
  std::lock_guard<std::mutex> l(planMu_);
  recordPlan_ = true;
  dryRun_ = dryRun;
  plan_.reset();
}

std::optional<std::vector<PlannedWrite>> Session::loadPlan() {
  std::lock_guard<std::mutex> l(planMu_);
  return plan_;
}

// Runs as the last step of the load's completion, on the worker thread
// before it takes its next job: the writes just queued are all still in the
// queue and none is in flight.
void Session::capturePlan(app::CK9X40FrameWnd& f) {
  std::lock_guard<std::mutex> l(planMu_);
  if (!recordPlan_) return;
  std::vector<PlannedWrite> plan;
  devlink::Job job;
  while (f.queue().pop(job)) {
    PlannedWrite w{job, f.registry().value(job.paramName).value_or("")};
    plan.push_back(std::move(w));
  }
  if (!dryRun_)
    for (const PlannedWrite& w : plan) f.queue().push(w.job);
  plan_ = std::move(plan);
}

int Session::reportBoxes() {
  const auto shown = shell_->dialogs().shown();
  int n = 0;
  for (std::size_t i = boxesSeen_; i < shown.size(); ++i) {
    if (shown[i].kind != app::HeadlessDialogs::Shown::Box) continue;
    progress_.clear();
    std::fprintf(stderr, "k9x40-cli: %s\n", OneLine(shown[i].text).c_str());
    ++n;
  }
  boxesSeen_ = shown.size();
  return n;
}

}  // namespace cli
