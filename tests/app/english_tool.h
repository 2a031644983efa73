#pragma once
// The headless window on the real English skin with the program's own hooks,
// against a simulated terminal that boots at every open.

#include <filesystem>
#include <string>
#include <vector>

#include "app/headless_shell.h"
#include "shell_fixture.h"
#include "sim/simulator.h"

namespace apptest {

inline sim::SimOptions QuickTerminal(sim::SimOptions o = {}) {
  o.powerOn = sim::PowerOn::EveryOpen;
  o.timeScale = 0.02;
  o.pace = false;
  return o;
}

inline app::ShellOptions EnglishToolOptions(const TempDir& dir) {
  app::ShellOptions o;
  o.programDir = dir.path;
  o.skinDir = std::filesystem::path(K9X40_SOURCE_DIR) / "skin/ConifgENRes";
  o.helpFile = dir.path / "Help.txt";
  o.timing = FastTiming();
  return o;
}

// The worker is idle, the commands are enabled again and everything posted ran.
inline bool WaitReady(app::HeadlessShell& tool) {
  return tool.waitIdle(10000) &&
         tool.waitFor([](app::CK9X40FrameWnd& f) {
           auto* save = f.pm().findControl("Save");
           return save && save->enabled();
         }, 5000) &&
         tool.settle();
}

inline bool Connect(app::HeadlessShell& tool, sim::Simulator& t) {
  return tool.openPort(t.devicePath()) && tool.waitForConfigMode(5000) && WaitReady(tool);
}

inline bool Run(app::HeadlessShell& tool, const char* button) {
  return tool.click(button) && tool.settle() && WaitReady(tool);
}

// The write commands the terminal received from command number `from` on.
inline std::vector<std::string> WritesSince(const sim::Simulator& t, std::size_t from) {
  std::vector<std::string> w;
  const auto cmds = t.commands();
  for (std::size_t i = from; i < cmds.size(); ++i)
    if (cmds[i].find('=') != std::string::npos) w.push_back(cmds[i]);
  return w;
}

}  // namespace apptest
