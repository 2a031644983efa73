// End to end: the headless main window against the simulated terminal on a
// real pseudo-terminal.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/frame_window.h"
#include "shell_fixture.h"
#include "sim/simulator.h"

using namespace apptest;
using namespace std::chrono_literals;
using app::CK9X40FrameWnd;
using app::HeadlessShell;

namespace {

std::string LinkPath(const TempDir& dir) { return (dir.path / "ttySIM0").string(); }

sim::SimOptions FastTerminal(const TempDir& dir) {
  sim::SimOptions o;
  o.linkPath = LinkPath(dir);
  o.timeScale = 0.1;  // boot window 300 ms
  return o;
}

// The tool at a tenth of its periods: key every 30/50 ms, 500 ms and 2.4 s
// time-outs, 20 ms between jobs.
devlink::Timing ToolTiming() { return devlink::Timing{}.scaled(0.1); }

struct Road : ::testing::Test {
  TempDir dir;
  std::unique_ptr<sim::Simulator> terminal;
  std::unique_ptr<HeadlessShell> shell;

  void start(sim::SimOptions so, devlink::Timing timing = ToolTiming()) {
    terminal = std::make_unique<sim::Simulator>(so);
    std::string error;
    ASSERT_TRUE(terminal->start(&error)) << error;
    auto o = TestOptions(dir);
    o.timing = timing;
    shell = std::make_unique<HeadlessShell>(o);
  }
  void openAndKey(int baud = 115200) {
    ASSERT_TRUE(shell->openPort(terminal->devicePath(), baud));
    ASSERT_TRUE(shell->waitForConfigMode(5000)) << shell->logText();
    WaitUntilQuiet(*terminal);
  }
  void TearDown() override {
    shell.reset();  // first the tool, so it never sees the terminal go
    terminal.reset();
  }
  std::string registryValue(const std::string& name) {
    return shell->ui([&](CK9X40FrameWnd& f) { return f.registry().value(name).value_or("?"); });
  }
  int commandsLike(std::string_view word) {
    auto cmds = terminal->commands();
    return static_cast<int>(std::count_if(cmds.begin(), cmds.end(), [&](const std::string& c) {
      return c.find(word) != std::string::npos;
    }));
  }
};

TEST_F(Road, BootKeyingThenLoadFillsRegistryAndAReloadShowsTheChange) {
  auto so = FastTerminal(dir);
  so.bootDelayS = 3;  // 300 ms: the port is open before the terminal speaks
  start(so);
  openAndKey();
  EXPECT_EQ(shell->enabled("Load"), true);
  EXPECT_EQ(shell->enabled("Login"), false);
  EXPECT_EQ(shell->text("DeviceState"), "Logged in");
  EXPECT_EQ(shell->text("Open"), "Close");

  // Keys went out before the prompt and stop once the command list is in.
  const std::string sent = terminal->sent();
  const std::string rx = terminal->received();
  EXPECT_GE(std::count(rx.begin(), rx.end(), 's'), 2);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(terminal->received(), rx);

  shell->click("Load");
  ASSERT_TRUE(shell->waitForLog("Send:\r\nAT+SHOW\r\n", 2000));
  ASSERT_TRUE(shell->waitIdle(5000));
  int compared = 0;
  for (const std::string& name : shell->ui([](CK9X40FrameWnd& f) { return f.registry().names(); })) {
    auto simValue = terminal->value(name);
    if (!simValue) continue;
    EXPECT_EQ(registryValue(name), *simValue) << name;
    ++compared;
  }
  EXPECT_GT(compared, 150);

  ASSERT_TRUE(terminal->setValue("Server's Ip", "10.9.8.7"));
  shell->click("Load");
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return f.registry().value("Server's Ip") == "10.9.8.7"; },
                             5000))
      << "commands sent: " << terminal->commandCount();
}

TEST_F(Road, LoginEscapesIntoConfigurationModeOfARunningTerminal) {
  auto so = FastTerminal(dir);
  so.powerOn = sim::PowerOn::AtStart;
  so.bootWindowS = 0.1;  // 10 ms: running long before the port opens
  start(so);
  ASSERT_TRUE(terminal->waitForMode(sim::Mode::Data, 2s));
  ASSERT_TRUE(shell->openPort(terminal->devicePath()));
  EXPECT_EQ(shell->enabled("Login"), true);
  EXPECT_FALSE(shell->configMode());
  shell->click("Login");
  ASSERT_TRUE(shell->waitForConfigMode(3000)) << shell->logText();
  EXPECT_NE(shell->logText().find("Send:+++\r\n"), std::string::npos);
  EXPECT_TRUE(terminal->waitForMode(sim::Mode::Config, 1s));
}

TEST_F(Road, TimeOutFactorFollowsTheBaudRateAtEveryOpen) {
  start(FastTerminal(dir));
  const std::pair<int, int> cases[] = {{1200, 8}, {4800, 2}, {4800, 2}, {9600, 1}, {115200, 1}};
  for (auto [baud, factor] : cases) {
    ASSERT_TRUE(shell->openPort(terminal->devicePath(), baud)) << baud;
    EXPECT_EQ(shell->ui([](CK9X40FrameWnd& f) { return f.link().timeoutFactor.load(); }), factor) << baud;
    shell->click("Open");
    ASSERT_FALSE(shell->portOpen());
  }
}

TEST_F(Road, WriteBurstGoesOutOneAtATimeAtLeastAPollApart) {
  auto timing = ToolTiming();
  timing.pollMs = 200;  // the real spacing, checked on the terminal's clock
  start(FastTerminal(dir), timing);
  openAndKey();

  // Ten settings written with the values the terminal holds: always valid.
  std::vector<devlink::Job> jobs;
  shell->ui([&](CK9X40FrameWnd& f) {
    f.registry().forEach([&](const std::string& name, const params::ParamEntry& e) {
      auto v = terminal->value(name);
      if (jobs.size() < 10 && !e.atCommand.empty() && v && !v->empty())
        jobs.push_back({devlink::WriteSetting, e.atCommand + "=" + *v + "\r\n", name, *v});
    });
    for (auto& j : jobs) f.queueJob(j);
  });
  ASSERT_EQ(jobs.size(), 10u);
  ASSERT_TRUE(shell->waitIdle(10000));
  for (auto& j : jobs) EXPECT_EQ(registryValue(j.paramName), j.value);

  // On the wire: each command starts only after the previous reply's OK,
  // and at least 200 ms after the previous command.
  std::vector<std::int64_t> starts;
  std::int64_t lastOk = -1;
  std::string rx;
  for (const auto& r : terminal->transcript()) {
    if (r.dir == sim::Direction::Sent && r.bytes.find("OK\r\n") != std::string::npos) lastOk = r.us;
    if (r.dir != sim::Direction::Received) continue;
    rx += r.bytes;
    for (size_t i = starts.size(); i < jobs.size(); ++i) {
      if (rx.find(jobs[i].command) == std::string::npos) break;
      if (!starts.empty()) {
        EXPECT_GT(r.us, lastOk) << "command " << i << " before the previous reply";
        EXPECT_GE(r.us - starts.back(), 200000) << "command " << i;
      }
      starts.push_back(r.us);
    }
  }
  EXPECT_EQ(starts.size(), jobs.size());
}

TEST_F(Road, SignalQueryIsRetriedExactlyOnce) {
  auto so = FastTerminal(dir);
  so.errorCommands = {"AT+CSQ"};
  start(so);
  openAndKey();
  shell->click("CSQ");
  ASSERT_TRUE(shell->waitForLog("ERROR", 2000));
  ASSERT_TRUE(shell->waitIdle(3000));
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(commandsLike("CSQ"), 2);
  EXPECT_EQ(shell->logText().find("Timed out."), std::string::npos);
}

TEST_F(Road, QuitAndTheTerminalsOwnTimeOutBothLogOut) {
  auto so = FastTerminal(dir);
  so.configTimeoutS = 10;  // 1 s without a command
  start(so);
  openAndKey();
  shell->click("quit");
  shell->settle();  // the states the click posted, not yet the terminal's answer
  EXPECT_EQ(shell->enabled("Load"), false);
  ASSERT_TRUE(terminal->waitForMode(sim::Mode::Data, 2s));
  ASSERT_TRUE(shell->waitIdle(2000));
  EXPECT_FALSE(shell->configMode());
  EXPECT_EQ(shell->enabled("Login"), true);

  shell->click("Login");
  ASSERT_TRUE(shell->waitForConfigMode(3000));
  ASSERT_TRUE(terminal->waitForSent("Seting Timeout and quit", 3s));
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return !f.link().configMode; }, 2000));
  EXPECT_EQ(shell->text("DeviceState"), "Logged out");
  EXPECT_EQ(shell->enabled("Login"), true);
}

TEST_F(Road, ClosingDropsQueuedJobsAndTheJobInFlightTimesOut) {
  auto so = FastTerminal(dir);
  so.silentCommands = {"AT+SHOW"};
  start(so);
  openAndKey();
  shell->ui([](CK9X40FrameWnd& f) {
    f.queueJob(devlink::MakeJob(devlink::ReadSettings, devlink::kCmdShow));
    for (int i = 0; i < 5; ++i) f.queueJob(devlink::MakeJob(devlink::QueryVersion, devlink::kCmdVersion));
  });
  ASSERT_TRUE(terminal->waitForReceived("AT+SHOW", 2s));
  shell->click("Open");
  EXPECT_FALSE(shell->portOpen());
  ASSERT_TRUE(shell->waitForLog("Timed out.", 4000));
  ASSERT_TRUE(shell->waitIdle(1000));
  EXPECT_EQ(commandsLike("VER"), 0);
  EXPECT_NE(shell->logText().find("Port closed."), std::string::npos);
}

TEST_F(Road, HangUpMidJobShowsThePortClosedAndItOpensAgain) {
  auto so = FastTerminal(dir);
  so.silentCommands = {"AT+SHOW"};
  start(so);
  openAndKey();
  shell->click("Load");
  ASSERT_TRUE(terminal->waitForReceived("AT+SHOW", 2s));
  terminal->hangUp();
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return !f.serialPort().isOpen(); }, 2000));
  EXPECT_TRUE(shell->waitForLog("Line lost.\r\n", 1000));
  EXPECT_EQ(shell->text("Open"), "Open");
  EXPECT_FALSE(shell->configMode());
  EXPECT_EQ(shell->enabled("SerialPort"), true);
  ASSERT_TRUE(shell->waitForLog("Timed out.", 4000));

  terminal.reset();
  terminal = std::make_unique<sim::Simulator>(FastTerminal(dir));
  ASSERT_TRUE(terminal->start());
  openAndKey();
}

TEST_F(Road, NetworkModeShownInItsField) {
  start(FastTerminal(dir));
  openAndKey();
  shell->focus("FINDNETMODE");
  ASSERT_TRUE(shell->waitIdle(3000));
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return !f.pm().findControl("FINDNETMODE")->text().empty(); },
                             2000))
      << shell->logText();
  const std::string reply = terminal->sent();
  auto tag = reply.rfind("+FINDNETMODE:");
  ASSERT_NE(tag, std::string::npos);
  EXPECT_EQ(shell->text("FINDNETMODE"), reply.substr(tag + 13, reply.find("\r\n", tag) - tag - 13));
}

}  // namespace

namespace {

// The program's own skin, control factory and hooks: the road as the desktop
// window and the CLI take it.
TEST(RoadProductSkin, OpenKeyAndLoad) {
  TempDir dir;
  sim::SimOptions so = FastTerminal(dir);
  sim::Simulator terminal(so);
  ASSERT_TRUE(terminal.start());
  app::ShellOptions o;
  o.programDir = std::filesystem::path(K9X40_BINARY_DIR) / "bin";
  o.helpFile = dir.path / "Help.txt";
  o.timing = ToolTiming();
  HeadlessShell shell(o);
  ASSERT_TRUE(shell.skinLoaded());
  ASSERT_TRUE(shell.text("Server's Ip").has_value()) << "pages built by the control factory";
  ASSERT_TRUE(shell.openPort(terminal.devicePath()));
  ASSERT_TRUE(shell.waitForConfigMode(5000)) << shell.logText();
  ASSERT_TRUE(shell.waitFor([](CK9X40FrameWnd& f) { return f.pm().findControl("Load")->enabled(); }, 2000));
  shell.click("Load");
  const std::string ip = *terminal.value("Server's Ip");
  ASSERT_TRUE(shell.waitFor([&](CK9X40FrameWnd& f) { return f.registry().value("Server's Ip") == ip; }, 5000));
  ASSERT_TRUE(shell.waitIdle(3000));
  ASSERT_TRUE(shell.settle());  // the layout requests the report posted
  EXPECT_EQ(shell.text("Server's Ip"), ip);
  EXPECT_EQ(shell.text("Access Point Name"), terminal.value("Access Point Name"));
  EXPECT_EQ(shell.enabled("Save"), true);
}

}  // namespace
