#pragma once
// A headless main window on the small test form, with its own program
// directory (config.ini) and fast timings.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "app/headless_shell.h"
#include "sim/simulator.h"

namespace apptest {

inline std::filesystem::path TestSkinDir() {
  return std::filesystem::path(K9X40_SOURCE_DIR) / "tests/app/data/skin";
}

// Every timing scaled down 20 times: 10 ms poll, 250 ms command time-out.
inline devlink::Timing FastTiming() { return devlink::Timing{}.scaled(0.05); }

struct TempDir {
  std::filesystem::path path;
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "k9x40-app-XXXXXX").string();
    path = mkdtemp(tmpl.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(path / name, std::ios::binary) << text;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(path / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

inline app::ShellOptions TestOptions(const TempDir& dir) {
  app::ShellOptions o;
  o.programDir = dir.path;
  o.skinDir = TestSkinDir();
  o.helpFile = dir.path / "Help.txt";
  o.timing = FastTiming();
  o.hooks = app::FrameHooks{};
  return o;
}

// Returns once the terminal has put nothing on the line for 50 ms: the rest of
// the command list follows "AT+LIST", and a user starts after it.
inline void WaitUntilQuiet(const sim::Simulator& terminal) {
  std::string before;
  do {
    before = terminal.sent();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (terminal.sent() != before);
}

}  // namespace apptest
