// Scenario tests: the simulator on a real pty, driven the way the tool drives it.
#include "sim/simulator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "params/recv_buffer.h"
#include "params/report_parser.h"
#include "sim/pty_client.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using testing::PtyClient;

std::string TempPath(const std::string& stem) {
  static int counter = 0;
  return ::testing::TempDir() + "/" + stem + "-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

SimOptions Fast() {
  SimOptions o;
  o.linkPath = TempPath("ttySIM");
  o.timeScale = 0.1;  // boot window 300 ms, time-out 30 s
  return o;
}

// Types the key as the tool does (every 300 ms, every 500 ms once the prompt
// is there) until the command list shows.
bool KeyIntoConfig(PtyClient& c, std::chrono::milliseconds timeout = 5000ms) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  auto period = 300ms;
  while (std::chrono::steady_clock::now() < deadline) {
    c.send("s");
    c.readUntil("AT+LIST", period);
    if (c.text().find("AT+LIST") != std::string::npos) return true;
    if (c.text().find("'s' key") != std::string::npos) period = 500ms;
  }
  return false;
}

TEST(Simulator, BootKeyingEntersConfigurationMode) {
  SimOptions o = Fast();
  o.bootDelayS = 5;  // 500 ms: the port is open before the terminal speaks
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  EXPECT_EQ(sim.devicePath(), o.linkPath);
  EXPECT_EQ(sim.mode(), Mode::Off) << "powered by the first open";
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(c.ok());
  ASSERT_TRUE(KeyIntoConfig(c));
  EXPECT_LT(c.text().find("'s' key"), c.text().find("AT+LIST"));
  EXPECT_TRUE(sim.waitForMode(Mode::Config, 1s));
  // The keys typed before the prompt reached the line, and were ignored.
  auto rx = sim.received();
  EXPECT_GE(std::count(rx.begin(), rx.end(), 's'), 2);
}

TEST(Simulator, ReportParsesBackWritesChangeItFactoryResetRestoresIt) {
  Simulator sim(Fast());
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(KeyIntoConfig(c));

  auto readReport = [&](params::ParamRegistry& reg) {
    std::string r = c.exchange("\r\nAT+SHOW\r\n", "\r\nOK\r\n");
    params::BuildRegistry(reg);
    params::ParseShowReport(reg, r);
    return r;
  };
  {
    params::ParamRegistry reg;
    EXPECT_GT(readReport(reg).size(), 3000u);
    int compared = 0;
    reg.forEach([&](const std::string& name, const params::ParamEntry& e) {
      if (e.reportLabel.empty()) return;
      EXPECT_EQ(reg.value(name), sim.value(name)) << name;
      ++compared;
    });
    EXPECT_EQ(compared, 178);
  }
  EXPECT_EQ(c.exchange("AT+IPAD=198.51.100.7\r\n", "\r\n"), "OK\r\n");
  EXPECT_EQ(c.exchange("AT+PORT=70000\r\n", "\r\n"), "ERROR\r\n");
  EXPECT_EQ(c.exchange("AT+NOPE=1\r\n", "\r\n"), "ERROR\r\n");
  {
    params::ParamRegistry reg;
    readReport(reg);
    EXPECT_EQ(reg.value("Server's Ip"), "198.51.100.7");
    EXPECT_EQ(reg.value("Server's Port"), "5001");
  }
  EXPECT_NE(c.exchange("\r\nAT+FACTORY\r\n", "OK\r\n").find("OK\r\n"), std::string::npos);
  params::ParamRegistry reg;
  readReport(reg);
  EXPECT_EQ(reg.value("Server's Ip"), "203.0.113.10");
}

TEST(Simulator, EscapeEntersConfigurationModeOfARunningTerminal) {
  Simulator sim(Fast());
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(c.readUntil("'s' key", 2s));
  ASSERT_TRUE(sim.waitForMode(Mode::Data, 2s));
  EXPECT_NE(c.exchange("+++", "enter setting!").find("enter setting!"), std::string::npos);
  EXPECT_EQ(sim.mode(), Mode::Config);
  EXPECT_NE(c.exchange("At+VER\r\n", "OK").find("V3.2.7"), std::string::npos);
}

TEST(Simulator, LeavesConfigurationModeByItselfWhenIdle) {
  SimOptions o = Fast();
  o.configTimeoutS = 5;  // 500 ms
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(KeyIntoConfig(c));
  c.clear();
  EXPECT_TRUE(c.readUntil("Seting Timeout and quit", 3s));
  EXPECT_EQ(sim.mode(), Mode::Data);
  EXPECT_EQ(c.exchange("AT+VER\r\n", "OK", 300ms).find("OK"), std::string::npos);
}

TEST(Simulator, HangUpIsSeenByTheOtherSide) {
  SimOptions o = Fast();
  o.hangupAfter = 1;
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(KeyIntoConfig(c));
  c.exchange("At+CSQ\r\n", "OK\r\n");
  EXPECT_NE(c.text().find("+CSQ:"), std::string::npos) << "the answer comes first";
  EXPECT_FALSE(c.readUntil("never", 2s));
  EXPECT_TRUE(c.hungUp());
  EXPECT_TRUE(sim.waitFor([&] { return !sim.running(); }, 1s));
  EXPECT_FALSE(Exists(o.linkPath)) << "an unplugged terminal's port is gone";
}

TEST(Simulator, HangUpOnRequestAndStopRemoveTheLink) {
  Simulator a(Fast());
  ASSERT_TRUE(a.start());
  PtyClient c(a.devicePath());
  ASSERT_TRUE(c.readUntil("'s' key", 2s));
  a.hangUp();
  EXPECT_FALSE(c.readUntil("never", 2s));
  EXPECT_TRUE(c.hungUp());
  EXPECT_FALSE(Exists(a.devicePath()));

  Simulator b(Fast());
  ASSERT_TRUE(b.start());
  std::string link = b.devicePath();
  EXPECT_TRUE(Exists(link));
  b.stop();
  EXPECT_FALSE(Exists(link));
}

TEST(Simulator, DefaultLinksAreNumberedInTheRuntimeDirectory) {
  std::string dir = TempPath("xdg");
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  std::string saved = old ? old : "";
  ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  ::symlink("/nonexistent/pts", (dir + "/k9x40-sim").c_str());  // not a directory: must fail
  {
    Simulator blocked;
    std::string error;
    EXPECT_FALSE(blocked.start(&error));
    EXPECT_FALSE(error.empty());
  }
  ::unlink((dir + "/k9x40-sim").c_str());
  ::mkdir((dir + "/k9x40-sim").c_str(), 0700);
  ::symlink("/dev/pts/999999", (dir + "/k9x40-sim/ttySIM0").c_str());  // left by a dead simulator
  {
    Simulator first, second;
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start());
    EXPECT_EQ(first.devicePath(), dir + "/k9x40-sim/ttySIM0");
    EXPECT_EQ(second.devicePath(), dir + "/k9x40-sim/ttySIM1");
    char target[256] = {};
    ASSERT_GT(::readlink(first.devicePath().c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), first.ptyPath());
  }
  if (old) ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  else ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(Simulator, PacesOutputAtTheByteTimeOfTheBaud) {
  SimOptions o = Fast();
  o.baud = 9600;
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(KeyIntoConfig(c));
  auto before = sim.transcript().size();
  std::string report = c.exchange("\r\nAT+SHOW\r\n", "\r\nOK\r\n", 15s);
  auto t = sim.transcript();
  std::int64_t first = -1, last = -1;
  std::size_t bytes = 0;
  for (std::size_t i = before; i < t.size(); ++i) {
    if (t[i].dir != Direction::Sent) continue;
    if (first < 0) first = t[i].us;
    last = t[i].us;
    bytes += t[i].bytes.size();
  }
  ASSERT_EQ(bytes, report.size());
  // Byte k cannot leave before k byte times (10 bits each) after the first.
  double minimum = (static_cast<double>(bytes) - 1) * 10.0 / 9600 * 1e6;
  EXPECT_GE(static_cast<double>(last - first), minimum * 0.98);
}

TEST(Simulator, ChunksRepliesWithGaps) {
  SimOptions o = Fast();
  o.pace = false;
  o.chunk = 16;
  o.chunkGapMs = 30;
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(KeyIntoConfig(c));
  auto before = sim.transcript().size();
  c.exchange("At+VER\r\n", "OK\r\n");
  auto t = sim.transcript();
  // Bytes written within the gap belong to one chunk (a chunk may span the
  // end of one reply and the start of the next).
  std::vector<std::string> chunks;
  std::int64_t lastUs = -1;
  for (std::size_t i = before; i < t.size(); ++i) {
    if (t[i].dir != Direction::Sent) continue;
    if (lastUs < 0 || t[i].us - lastUs >= 30000) chunks.emplace_back();
    else EXPECT_LT(t[i].us - lastUs, 5000) << "no gap shorter than asked";
    chunks.back() += t[i].bytes;
    lastUs = t[i].us;
  }
  ASSERT_GE(chunks.size(), 3u);
  for (std::size_t i = 0; i + 1 < chunks.size(); ++i) EXPECT_EQ(chunks[i].size(), 16u) << i;
  EXPECT_LE(chunks.back().size(), 16u);
}

TEST(Simulator, TranscriptFileHoldsEveryByteInBothDirections) {
  SimOptions o = Fast();
  o.transcriptPath = TempPath("transcript");
  std::string ptyText;
  {
    Simulator sim(o);
    ASSERT_TRUE(sim.start());
    PtyClient c(sim.devicePath());
    ASSERT_TRUE(KeyIntoConfig(c));
    std::string all = c.text();
    all += c.exchange("AT+EXCCLK=\"2024/03/03,09:05:07\",5\r\n", "OK\r\n");
    c.exchange("\r\nat+quit\r\n", "OK\r\n");
    all += c.text();
    sim.stop();
    auto memory = sim.transcript();
    auto file = ReadTranscriptFile(o.transcriptPath);
    ASSERT_EQ(file.size(), memory.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
      EXPECT_EQ(file[i].dir, memory[i].dir);
      EXPECT_EQ(file[i].us, memory[i].us);
      EXPECT_EQ(file[i].bytes, memory[i].bytes);
      if (i > 0) {
        EXPECT_GE(file[i].us, file[i - 1].us);
      }
    }
    EXPECT_EQ(JoinBytes(file, Direction::Sent), all);
    std::string rx = JoinBytes(file, Direction::Received);
    EXPECT_NE(rx.find("AT+EXCCLK=\"2024/03/03,09:05:07\",5\r\n\r\nat+quit\r\n"), std::string::npos);
    EXPECT_EQ(sim.commands().back(), "at+quit");
  }
}

TEST(Simulator, ReopeningTheLineFindsTheTerminalRunningUnlessEveryOpenBoots) {
  for (PowerOn p : {PowerOn::FirstOpen, PowerOn::EveryOpen}) {
    SimOptions o = Fast();
    o.powerOn = p;
    Simulator sim(o);
    ASSERT_TRUE(sim.start());
    {
      PtyClient c(sim.devicePath());
      ASSERT_TRUE(KeyIntoConfig(c));
    }
    PtyClient again(sim.devicePath());
    if (p == PowerOn::FirstOpen) {
      EXPECT_NE(again.exchange("AT+VER\r\n", "OK\r\n").find("OK\r\n"), std::string::npos);
    } else {
      EXPECT_TRUE(again.readUntil("'s' key", 3s));
      EXPECT_EQ(again.text().find("OK"), std::string::npos) << "nothing left over from before";
    }
  }
}

TEST(Simulator, StartsFromASnapshotSavedByTheTool) {
  std::string cfg = TempPath("state") + ".cfg";
  {
    // The tool writes the received report through a text-mode stream: CR CR LF.
    std::string report = "\r\r\nAT+SHOW\r\r\nAccess Point Name:snap.apn\r\r\nServer's Port:6001\r\r\n"
                         "Device Type:K9x40-Z\r\r\nOK\r\r\n";
    std::ofstream(cfg, std::ios::binary) << report;
  }
  SimOptions o = Fast();
  o.stateFile = cfg;
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  EXPECT_EQ(sim.value("AT+APN"), "snap.apn");
  EXPECT_EQ(sim.value("Server's Port"), "6001");
  EXPECT_EQ(sim.value("Device Type"), "K9x40-Z");
  EXPECT_EQ(sim.value("AT+IPAD"), "203.0.113.10");

  // An editor-normalised file (CR LF only) has no line ends left after the read.
  std::ofstream(cfg, std::ios::binary) << "Access Point Name:x\r\nServer's Port:1\r\nOK\r\n";
  Simulator refused(o);
  std::string error;
  EXPECT_FALSE(refused.start(&error));
  EXPECT_NE(error.find("CR LF"), std::string::npos);
}


TEST(Simulator, StrictLineCarriesGarbageUntilTheSpeedsAgree) {
  SimOptions o = Fast();
  o.strictLine = true;
  o.bootWindowS = 100;  // 10 s
  Simulator sim(o);
  ASSERT_TRUE(sim.start());
  PtyClient c(sim.devicePath());
  ASSERT_TRUE(c.setSpeed(B9600));
  c.readUntil("", 300ms);
  EXPECT_EQ(c.text().find("key"), std::string::npos);
  EXPECT_FALSE(c.text().empty()) << "bytes arrive, but as garbage";
  c.send("s");
  EXPECT_FALSE(sim.waitForMode(Mode::Config, 300ms));
  ASSERT_TRUE(c.setSpeed(B115200));
  c.send("s");
  EXPECT_TRUE(sim.waitForMode(Mode::Config, 1s));
  EXPECT_TRUE(c.readUntil("AT+LIST", 1s));
}

}  // namespace
}  // namespace sim
