// End to end against a misbehaving terminal: the simulator's fault flags and
// a raw pseudo-terminal. Each case checks what the log shows, that no setting
// changed behind the user's back, and that the window still answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "app/frame_window.h"
#include "english_tool.h"
#include "link/pty_fixture.h"
#include "shell_fixture.h"
#include "sim/simulator.h"

using namespace apptest;
using namespace std::chrono_literals;
using app::CK9X40FrameWnd;
using app::HeadlessShell;

namespace {

constexpr std::string_view kTimedOut = "Timed out.\r\n";

// The tool at a tenth of its periods: 500 ms and 2.4 s time-outs.
devlink::Timing ToolTiming() { return devlink::Timing{}.scaled(0.1); }

int Count(const std::string& text, std::string_view needle) {
  int n = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
  return n;
}

struct FaultInjection : ::testing::Test {
  TempDir dir;
  std::unique_ptr<sim::Simulator> terminal;
  std::unique_ptr<HeadlessShell> shell;

  sim::SimOptions terminalOptions() {
    sim::SimOptions o;
    o.linkPath = (dir.path / "ttySIM0").string();
    o.timeScale = 0.1;
    return o;
  }
  void startTerminal(const sim::SimOptions& so) {
    terminal = std::make_unique<sim::Simulator>(so);
    std::string error;
    ASSERT_TRUE(terminal->start(&error)) << error;
  }
  void startShell(devlink::Timing timing = ToolTiming()) {
    auto o = TestOptions(dir);
    o.timing = timing;
    shell = std::make_unique<HeadlessShell>(o);
  }
  void start(const sim::SimOptions& so, devlink::Timing timing = ToolTiming()) {
    startTerminal(so);
    startShell(timing);
  }
  // Opens the port and waits until the terminal is keyed and quiet.
  void openAndKey() {
    ASSERT_TRUE(shell->openPort(terminal->devicePath()));
    ASSERT_TRUE(shell->waitForConfigMode(10000)) << shell->logText();
    WaitUntilQuiet(*terminal);
  }
  void TearDown() override {
    shell.reset();
    terminal.reset();
  }

  std::map<std::string, std::string> registry() {
    return shell->ui([](CK9X40FrameWnd& f) {
      std::map<std::string, std::string> all;
      for (const std::string& n : f.registry().names()) all[n] = f.registry().value(n).value_or("");
      return all;
    });
  }
  std::map<std::string, std::string> terminalSettings() {
    std::map<std::string, std::string> all;
    for (const auto& [name, value] : registry())
      if (auto v = terminal->value(name)) all[name] = *v;
    return all;
  }
  // Every setting the terminal knows reads in the registry as the terminal has it.
  void expectRegistryMatchesTerminal() {
    const auto reg = registry();
    const auto term = terminalSettings();
    ASSERT_GT(term.size(), 150u);
    for (const auto& [name, value] : term) {
      EXPECT_EQ(reg.at(name), value) << name;
      EXPECT_EQ(reg.at(name).find('\0'), std::string::npos) << name;
    }
  }
  void expectRegistryEmpty() {
    for (const auto& [name, value] : registry()) EXPECT_EQ(value, "") << name;
  }
  // The window handles a round trip and everything posted so far.
  void expectResponsive() {
    EXPECT_TRUE(shell->settle(3000)) << "the window stopped answering";
  }
  // Idle, the commands enabled again, and every log line posted so far shown.
  void waitReady() {
    ASSERT_TRUE(shell->waitIdle(15000)) << shell->logText();
    ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) {
      auto* b = f.pm().findControl("GetVer");
      return b && b->enabled();
    }, 5000));
    ASSERT_TRUE(shell->settle(15000));
  }
  void load() {
    ASSERT_TRUE(shell->click("Load"));
    ASSERT_TRUE(shell->waitForLog("Send:\r\nAT+SHOW\r\n", 5000));
    waitReady();
  }
};

TEST_F(FaultInjection, ReportInOneByteChunksIsAssembledWhole) {
  auto so = terminalOptions();
  so.chunk = 1;
  so.chunkGapMs = 1;
  auto timing = ToolTiming();
  timing.longTimeoutMs = 60000;  // some 8000 chunks, a millisecond apart
  timing.logAppendWaitMs = 0;    // one log line per chunk
  start(so, timing);
  openAndKey();
  const auto before = terminalSettings();
  load();
  expectRegistryMatchesTerminal();
  EXPECT_EQ(Count(shell->logText(), kTimedOut), 0);
  EXPECT_EQ(terminalSettings(), before);
  expectResponsive();
}

TEST_F(FaultInjection, NulBytesInTheReportDoNotHideSettings) {
  auto so = terminalOptions();
  so.nulInReport = true;
  start(so);
  openAndKey();
  ASSERT_NE(terminal->report().find('\0'), std::string::npos);
  load();
  expectRegistryMatchesTerminal();
  EXPECT_EQ(Count(shell->logText(), kTimedOut), 0);
  expectResponsive();
}

TEST_F(FaultInjection, NoiseBeforeEveryReplyIsIgnored) {
  auto so = terminalOptions();
  so.noise = true;
  start(so);
  openAndKey();
  load();
  expectRegistryMatchesTerminal();
  ASSERT_TRUE(shell->click("GetVer"));
  ASSERT_TRUE(shell->waitForLog("Send:At+VER\r\n", 5000));
  waitReady();
  EXPECT_EQ(Count(shell->logText(), kTimedOut), 0) << shell->logText();
  expectResponsive();
}

TEST_F(FaultInjection, UnansweredCommandTimesOutAndTheNextJobRuns) {
  auto so = terminalOptions();
  so.silentCommands = {"AT+VER"};
  start(so);
  openAndKey();
  const auto before = terminalSettings();
  ASSERT_TRUE(shell->click("GetVer"));
  ASSERT_TRUE(shell->click("CSQ"));  // queued behind the silent one
  waitReady();
  const std::string log = shell->logText();
  EXPECT_EQ(Count(log, kTimedOut), 1) << log;
  const auto timeout = log.find(kTimedOut);
  const auto csq = log.find("Send:At+CSQ\r\n");
  ASSERT_NE(csq, std::string::npos) << log;
  EXPECT_LT(timeout, csq) << "the signal query waited for the version query's time-out";
  EXPECT_NE(log.find("+CSQ:", csq), std::string::npos) << log;
  EXPECT_EQ(terminal->commands().back(), "At+CSQ");
  EXPECT_EQ(terminalSettings(), before);
  expectResponsive();
}

TEST_F(FaultInjection, RebootDuringAReportKeysBackInAndTheJobTimesOut) {
  auto so = terminalOptions();
  so.rebootAt = 1;  // the first command after keying: AT+SHOW
  start(so);
  openAndKey();
  const auto before = terminalSettings();
  ASSERT_TRUE(shell->click("Load"));
  ASSERT_TRUE(shell->waitForLog(std::string(kTimedOut), 8000)) << shell->logText();
  waitReady();
  // Keyed into configuration mode again by the boot prompt.
  EXPECT_TRUE(terminal->waitForMode(sim::Mode::Config, 3s));
  EXPECT_TRUE(shell->waitForConfigMode(3000));
  // Half a report never reached the registry.
  expectRegistryEmpty();
  EXPECT_EQ(terminalSettings(), before);
  expectResponsive();
  // The tool goes on: the next read is whole.
  load();
  expectRegistryMatchesTerminal();
  EXPECT_EQ(Count(shell->logText(), kTimedOut), 1);
}

TEST_F(FaultInjection, HangUpDuringAReportClosesThePortAndReopeningWorks) {
  auto so = terminalOptions();
  so.baud = 9600;  // a report takes some 8 s on the line: time to pull the cable
  start(so);
  openAndKey();
  ASSERT_TRUE(shell->click("Load"));
  ASSERT_TRUE(terminal->waitForSent("Access Point Name:", 5s));
  const auto pulled = std::chrono::steady_clock::now();
  terminal->hangUp();
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return !f.serialPort().isOpen(); }, 5000))
      << shell->logText();
  const auto noticedMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pulled).count();
  RecordProperty("hang_up_noticed_ms", static_cast<int>(noticedMs));
  ASSERT_TRUE(shell->waitForLog("Line lost.\r\n", 3000));
  expectResponsive();
  EXPECT_EQ(shell->text("Open"), "Open");
  EXPECT_FALSE(shell->configMode());
  EXPECT_EQ(shell->enabled("Load"), false);
  ASSERT_TRUE(shell->waitIdle(5000));
  expectRegistryEmpty();

  // A fresh terminal on the same path: the port opens and reads again.
  terminal.reset();
  so.baud = 115200;
  startTerminal(so);
  openAndKey();
  load();
  expectRegistryMatchesTerminal();
}

TEST_F(FaultInjection, MegabyteOfNoiseStaysBoundedAndTheNextCommandWorks) {
  devlink::testing::Pty pty;
  ASSERT_FALSE(pty.slave.empty());
  startShell();
  ASSERT_TRUE(shell->openPort(pty.slave));
  pty.send("\r\nAT+LIST\r\n");
  ASSERT_TRUE(shell->waitForConfigMode(3000));
  ASSERT_TRUE(shell->click("Load"));
  std::string got;
  for (int i = 0; i < 100 && got.find("AT+SHOW\r\n") == std::string::npos; ++i) got += pty.receive(50);
  ASSERT_NE(got.find("\r\nAT+SHOW\r\n"), std::string::npos) << got;

  // Text without any marker the receive side looks for.
  std::string noise;
  const std::string alphabet = "abcdefghij 0123456789\r\n#*-=";
  for (std::size_t i = 0; i < 4096; ++i) noise += alphabet[(i * 7919) % alphabet.size()];
  int maxHeld = 0;
  for (int sent = 0; sent < (1 << 20); sent += static_cast<int>(noise.size())) {
    pty.send(noise);
    const int held = shell->ui([](CK9X40FrameWnd& f) { return f.link().snapshot().second; });
    maxHeld = std::max(maxHeld, held);
  }
  EXPECT_LE(maxHeld, params::RecvBuffer::kMaxBytes);
  EXPECT_GT(maxHeld, 4096) << "the noise never accumulated";
  ASSERT_TRUE(shell->waitForLog(std::string(kTimedOut), 10000));
  waitReady();
  expectRegistryEmpty();
  expectResponsive();
  EXPECT_LE(shell->logText().size(), 300000u);

  // The next command is sent and judged on its own reply.
  pty.receive(0);
  ASSERT_TRUE(shell->click("GetVer"));
  got.clear();
  for (int i = 0; i < 100 && got.find("At+VER\r\n") == std::string::npos; ++i) got += pty.receive(50);
  ASSERT_EQ(got, "At+VER\r\n");
  pty.send("At+VER\r\nK9x40 V2.1\r\nOK\r\n");
  waitReady();
  EXPECT_EQ(Count(shell->logText(), kTimedOut), 1) << "the version query timed out too";
}

}  // namespace

namespace {

using apptest::Connect;
using apptest::WritesSince;

// One write of a Save refused: the writes around it go on and are kept, the
// refused one stays different and is sent again at the next Save.
TEST(FaultInjectionSave, ARefusedWriteInTheMiddleDoesNotStopTheOthers) {
  TempDir dir;
  auto so = apptest::QuickTerminal();
  so.errorCommands = {"AT+MBADDRESS"};
  sim::Simulator t(so);
  ASSERT_TRUE(t.start());
  HeadlessShell tool(apptest::EnglishToolOptions(dir));
  ASSERT_TRUE(Connect(tool, t));
  ASSERT_TRUE(apptest::Run(tool, "Load"));
  const std::string oldAddress = t.value("AT+MBADDRESS").value_or("?");
  ASSERT_NE(oldAddress, "17");

  // Written in name order: LORA ID, Mobus address (refused), Serial Baudrate.
  ASSERT_TRUE(tool.setText("LORA ID", "7"));
  ASSERT_TRUE(tool.setText("Mobus address", "17"));
  ASSERT_TRUE(tool.selectItemText("Serial Baudrate", "9600"));
  std::size_t mark = t.commands().size();
  const std::size_t logMark = tool.logText().size();
  ASSERT_TRUE(apptest::Run(tool, "Save"));
  EXPECT_EQ(WritesSince(t, mark), (std::vector<std::string>{"AT+LID=7", "AT+MBADDRESS=17", "AT+IPR=9600"}));
  EXPECT_EQ(t.value("AT+LID"), "7");
  EXPECT_EQ(t.value("AT+IPR"), "9600");
  EXPECT_EQ(t.value("AT+MBADDRESS"), oldAddress);
  const std::string log = tool.logText().substr(logMark);
  const std::string ok = tool.ui([](CK9X40FrameWnd& f) { return f.LangText("WorkerJobThreadProc", "SaveSuccess", "\r\n"); });
  const std::string refused = tool.ui([](CK9X40FrameWnd& f) { return f.LangText("WorkerJobThreadProc", "SaveError", "\r\n"); });
  EXPECT_EQ(Count(log, ok), 2) << log;
  EXPECT_EQ(Count(log, refused), 1) << log;
  // The registry holds what the terminal confirmed, and the old address.
  EXPECT_EQ(tool.ui([](CK9X40FrameWnd& f) { return f.registry().value("Mobus address").value_or("?"); }), oldAddress);

  mark = t.commands().size();
  ASSERT_TRUE(apptest::Run(tool, "Save"));
  EXPECT_EQ(WritesSince(t, mark), std::vector<std::string>{"AT+MBADDRESS=17"});
}

}  // namespace
