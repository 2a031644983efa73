#pragma once
// A simulated terminal on a pty for the CLI to open, and the CLI run with the
// tool's periods and time-outs scaled down so the suite stays fast.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "sim/simulator.h"

namespace cli::testing {

inline std::string TempPath(const std::string& stem) {
  static int counter = 0;
  return (std::filesystem::temp_directory_path() /
          (stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
      .string();
}

// Tool and terminal times at 5 %: a 10 ms poll, 250 ms for a write's reply.
inline constexpr const char* kFast = "--time-scale 0.05 --wait 10 ";

inline sim::SimOptions FastTerminal() {
  sim::SimOptions o;
  o.linkPath = TempPath("ttySIM");
  o.timeScale = 0.05;
  o.powerOn = sim::PowerOn::EveryOpen;  // every run of the tool finds a booting terminal
  return o;
}

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

class SimTerminal {
 public:
  explicit SimTerminal(sim::SimOptions o = FastTerminal()) : sim(std::make_unique<sim::Simulator>(std::move(o))) {
    std::string error;
    started = sim->start(&error);
    EXPECT_TRUE(started) << error;
  }
  // The CLI against this terminal: "-p LINK" and the fast times, then `args`.
  CliResult run(const std::string& args) const {
    return RunCli(std::string(kFast) + "-p " + Quote(sim->devicePath()) + " " + args);
  }
  // Configuration-mode commands whose word starts with `prefix`.
  std::vector<std::string> commandsStarting(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : sim->commands())
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
  }
  std::unique_ptr<sim::Simulator> sim;
  bool started = false;
};

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0, nl;
  while ((nl = text.find('\n', from)) != std::string::npos) {
    lines.push_back(text.substr(from, nl - from));
    from = nl + 1;
  }
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

inline bool HasLine(const std::string& text, const std::string& line) {
  auto lines = Lines(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace cli::testing
