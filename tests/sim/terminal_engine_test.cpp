#include "sim/terminal_engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "sim/terminal_texts.h"

namespace sim {
namespace {

using std::chrono::milliseconds;

// The engine on a line that takes every byte at once, on a clock the test moves.
struct Rig {
  explicit Rig(SimOptions o = {}) : options(std::move(o)), settings("K9x40-L", "K6R20T v2.3"),
                                    engine(options, settings) {}
  void drain() {
    while (engine.hasOutput()) {
      Segment seg = engine.takeOutput();
      out += seg.bytes;
      if (seg.after == AfterSent::HangUp) hungUp = true;
      engine.segmentSent(seg.after, now);
    }
  }
  void advance(milliseconds d) {
    now += d;
    engine.tick(now);
    drain();
  }
  void send(std::string_view bytes) {
    engine.receive(bytes, now);
    drain();
  }
  std::string take() { return std::exchange(out, {}); }
  // Boots and keys the terminal into configuration mode.
  void enterConfig() {
    engine.powerOn(now);
    advance(milliseconds(0));
    send("s");
    take();
  }
  std::string command(std::string_view line) {
    send(line);
    return take();
  }

  SimOptions options;
  TerminalSettings settings;
  TerminalEngine engine;
  TimePoint now{};
  std::string out;
  bool hungUp = false;
};

TEST(TerminalEngine, BootPromptThenKeyEntersConfigurationMode) {
  SimOptions o;
  o.bootDelayS = 1.0;
  Rig rig(o);
  rig.engine.powerOn(rig.now);
  rig.advance(milliseconds(999));
  EXPECT_EQ(rig.take(), "") << "the boot delay holds the banner";
  rig.send("s");  // typed before the prompt: nobody listens yet
  rig.advance(milliseconds(1));
  std::string boot = rig.take();
  EXPECT_NE(boot.find("'s' key"), std::string::npos);
  EXPECT_EQ(rig.engine.mode(), Mode::BootWindow);
  rig.send("x");
  EXPECT_EQ(rig.engine.mode(), Mode::BootWindow);
  rig.send("s");
  EXPECT_EQ(rig.engine.mode(), Mode::Config);
  EXPECT_NE(rig.take().find("AT+LIST"), std::string::npos);
  // Keys still typed before the tool noticed are no command.
  EXPECT_EQ(rig.command("ss\r\nAT+SHOW\r\n").find("ERROR"), std::string::npos);
}

TEST(TerminalEngine, WithoutTheKeyItRunsAndTheEscapeEntersConfigurationMode) {
  Rig rig;
  rig.engine.powerOn(rig.now);
  rig.advance(milliseconds(0));
  rig.advance(milliseconds(2999));
  EXPECT_EQ(rig.engine.mode(), Mode::BootWindow);
  rig.advance(milliseconds(1));
  EXPECT_EQ(rig.engine.mode(), Mode::Data);
  rig.take();
  rig.send("s\r\nAT+SHOW\r\n++");
  EXPECT_EQ(rig.take().find("AT+LIST"), std::string::npos);
  EXPECT_EQ(rig.engine.mode(), Mode::Data);
  rig.send("+");
  EXPECT_EQ(rig.take(), kEnterSetting);
  EXPECT_EQ(rig.engine.mode(), Mode::Config);
  EXPECT_EQ(rig.command("+++"), kEnterSetting) << "again while already in setting mode";
}

TEST(TerminalEngine, LeavesConfigurationModeAfterTheIdleTimeOut) {
  SimOptions o;
  o.configTimeoutS = 10;
  Rig rig(o);
  rig.enterConfig();
  rig.advance(milliseconds(9000));
  rig.command("AT\r\n");  // a command restarts the time-out
  rig.advance(milliseconds(9999));
  EXPECT_EQ(rig.engine.mode(), Mode::Config);
  rig.advance(milliseconds(1));
  EXPECT_EQ(rig.take(), kSettingTimeout);
  EXPECT_EQ(rig.engine.mode(), Mode::Data);
  EXPECT_EQ(rig.command("AT+SHOW\r\n"), "") << "data mode takes no commands";
}

TEST(TerminalEngine, AnswersEveryExchangeOfTheConfigurationMode) {
  struct Case {
    const char* send;
    const char* contains;  // the reply must contain this ...
    const char* endsWith;  // ... and end with this
  };
  const Case cases[] = {
      {"\r\nAT+SHOW\r\n", "Access Point Name:CMNET\r\n", "\r\nOK\r\n"},
      {"aT+sHoW\r\n", "\r\nServer's Ip:203.0.113.10\r\n", "\r\nOK\r\n"},
      {"AT+IPAD=1.2.3.4\r\n", "", "OK\r\n"},
      {"at+ipad=1.2.3\r\n", "", "ERROR\r\n"},
      {"At+VER\r\n", "V3.2.7", "\r\nOK\r\n"},
      {"\r\nAt+CPIN?\r\n", "+CPIN: READY", "\r\nOK\r\n"},
      {"At+CSQ\r\n", "+CSQ: 24,99\r\n", "\r\nOK\r\n"},
      {"at+READFILELOG\r\n", "system start", "\r\nOK\r\n"},
      {"AT+FINDNETMODE\r\n", "+FINDNETMODE:LTE\r\n", "OK\r\n"},
      {"AT+EXCCLK=\"2024/03/03,09:05:07\",5\r\n", "", "OK\r\n"},
      {"AT+EXCCLK?\r\n", "\"2024/03/03,09:05:", "OK\r\n"},
      {"AT+EXCCLK=\"2024/02/30,09:05:07\",5\r\n", "", "ERROR\r\n"},
      {"AT+EXCCLK=2024/03/03,09:05:07\r\n", "", "ERROR\r\n"},
      {"AT+LIST\r\n", "AT+SHOW", "OK\r\n"},
      {"AT+ABC\r\n", "", "ERROR\r\n"},
      {"AT+SHOWX\r\n", "", "ERROR\r\n"},
      {"hello\n", "", "ERROR\r\n"},  // a bare LF ends a line too
      {"\r\nAT+FACTORY\r\n", "", "\r\nOK\r\n"},
  };
  Rig rig;
  rig.enterConfig();
  for (const Case& c : cases) {
    std::string reply = rig.command(c.send);
    EXPECT_NE(reply.find(c.contains), std::string::npos) << c.send << " -> " << reply;
    ASSERT_GE(reply.size(), std::strlen(c.endsWith)) << c.send;
    EXPECT_EQ(reply.substr(reply.size() - std::strlen(c.endsWith)), c.endsWith) << c.send;
    // Markers only where they are meant: one OK, at the end.
    auto ok = reply.find("OK");
    if (ok != std::string::npos) {
      EXPECT_EQ(ok, reply.size() - 4) << c.send;
    }
  }
  EXPECT_EQ(rig.command("AT+FINDNETMODE\r\n").size() <= 100, true);
  EXPECT_EQ(rig.command("\r\n\r\n"), "") << "empty lines are no command";
  EXPECT_EQ(rig.engine.commandCount(), static_cast<int>(std::size(cases)) + 1);
}

TEST(TerminalEngine, WritesChangeTheReportAndFactoryResetUndoesThem) {
  Rig rig;
  rig.enterConfig();
  EXPECT_EQ(rig.command("AT+APN=internet\r\n"), "OK\r\n");
  EXPECT_NE(rig.command("\r\nAT+SHOW\r\n").find("Access Point Name:internet\r\n"), std::string::npos);
  EXPECT_EQ(rig.command("AT+APN=" + std::string(65, 'a') + "\r\n"), "ERROR\r\n");
  rig.command("\r\nAT+FACTORY\r\n");
  EXPECT_NE(rig.command("\r\nAT+SHOW\r\n").find("Access Point Name:CMNET\r\n"), std::string::npos);
}

TEST(TerminalEngine, QuitReturnsToDataMode) {
  Rig rig;
  rig.enterConfig();
  EXPECT_EQ(rig.command("\r\nat+quit\r\n"), "\r\nOK\r\n");
  EXPECT_EQ(rig.engine.mode(), Mode::Data);
  EXPECT_EQ(rig.command("AT+VER\r\n"), "");
}

TEST(TerminalEngine, ErrorFaults) {
  SimOptions o;
  o.errorCommands = {"at+ipad"};
  o.csqErrorOnce = true;
  Rig rig(o);
  rig.enterConfig();
  std::string before = *rig.settings.value("AT+IPAD");
  EXPECT_EQ(rig.command("AT+IPAD=1.2.3.4\r\n"), "ERROR\r\n");
  EXPECT_EQ(rig.settings.value("AT+IPAD"), before) << "a refused write stores nothing";
  EXPECT_EQ(rig.command("AT+IPAD1=1.2.3.4\r\n"), "OK\r\n") << "the command word must match whole";
  EXPECT_EQ(rig.command("At+CSQ\r\n"), "ERROR\r\n");
  EXPECT_NE(rig.command("At+CSQ\r\n").find("+CSQ:"), std::string::npos);
}

TEST(TerminalEngine, RandomErrorsFollowTheSeed) {
  auto run = [](std::uint32_t seed) {
    SimOptions o;
    o.errorRate = 0.5;
    o.seed = seed;
    Rig rig(o);
    rig.enterConfig();
    std::string pattern;
    for (int i = 0; i < 40; ++i) pattern += rig.command("AT\r\n") == "ERROR\r\n" ? 'E' : '.';
    return pattern;
  };
  std::string a = run(7);
  EXPECT_EQ(a, run(7));
  EXPECT_NE(a, run(8));
  EXPECT_NE(a.find('E'), std::string::npos);
  EXPECT_NE(a.find('.'), std::string::npos);
}

TEST(TerminalEngine, SilentCommandGetsNoAnswerAndIsNotExecuted) {
  SimOptions o;
  o.silentCommands = {"AT+CPIN?", "AT+APN"};
  Rig rig(o);
  rig.enterConfig();
  EXPECT_EQ(rig.command("\r\nAt+CPIN?\r\n"), "");
  EXPECT_EQ(rig.command("AT+APN=x\r\n"), "");
  EXPECT_EQ(rig.settings.value("AT+APN"), "CMNET");
  EXPECT_EQ(rig.command("AT\r\n"), "OK\r\n");
}

TEST(TerminalEngine, IgnoredWriteIsConfirmedButNotStored) {
  SimOptions o;
  o.ignoredCommands = {"AT+APN"};
  Rig rig(o);
  rig.enterConfig();
  EXPECT_EQ(rig.command("AT+APN=x\r\n"), "OK\r\n");
  EXPECT_EQ(rig.settings.value("AT+APN"), "CMNET");
  EXPECT_EQ(rig.command("AT+RETRY=7\r\n"), "OK\r\n");
  EXPECT_EQ(rig.settings.value("AT+RETRY"), "7");
}

TEST(TerminalEngine, NoiseComesBeforeRepliesAndCarriesNoMarker) {
  SimOptions o;
  o.noise = true;
  Rig rig(o);
  rig.enterConfig();
  for (int i = 0; i < 50; ++i) {
    std::string reply = rig.command("AT+RETRY=3\r\n");
    ASSERT_GT(reply.size(), 4u);
    EXPECT_EQ(reply.substr(reply.size() - 4), "OK\r\n");
    EXPECT_EQ(reply.find("OK"), reply.size() - 4);
  }
}

TEST(TerminalEngine, RebootInTheMiddleOfACommand) {
  SimOptions o;
  o.rebootAt = 2;
  Rig rig(o);
  rig.enterConfig();
  rig.command("AT\r\n");
  std::string partial = rig.command("\r\nAT+SHOW\r\n");
  EXPECT_NE(partial.find("Access Point Name:"), std::string::npos);
  EXPECT_EQ(partial.find("OK"), std::string::npos) << "the reply never completes";
  EXPECT_EQ(rig.engine.mode(), Mode::Booting);
  rig.advance(milliseconds(500));
  EXPECT_NE(rig.take().find("'s' key"), std::string::npos);
  rig.send("s");
  EXPECT_EQ(rig.engine.mode(), Mode::Config);
}

TEST(TerminalEngine, RebootDuringAWriteLosesTheWrite) {
  SimOptions o;
  o.rebootAt = 1;
  Rig rig(o);
  rig.enterConfig();
  EXPECT_EQ(rig.command("AT+APN=lost\r\n"), "");
  EXPECT_EQ(rig.settings.value("AT+APN"), "CMNET");
}

TEST(TerminalEngine, HangUpFollowsTheAnswerToTheNthCommand) {
  SimOptions o;
  o.hangupAfter = 2;
  Rig rig(o);
  rig.enterConfig();
  rig.command("AT\r\n");
  EXPECT_FALSE(rig.hungUp);
  EXPECT_EQ(rig.command("AT+CSQ\r\n").substr(0, 7), "\r\n+CSQ:");
  EXPECT_TRUE(rig.hungUp);
}

}  // namespace
}  // namespace sim
