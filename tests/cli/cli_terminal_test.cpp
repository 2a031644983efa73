// The CLI against simulated terminals on ptys, as a technician's script runs it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/sim_fixture.h"
#include "params/snapshot_file.h"

namespace cli::testing {
namespace {

using namespace std::chrono_literals;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A terminal set up by hand, and its snapshot as `read -o` saves it. Its work
// mode uses the wireless, server and global pages; a fresh terminal's
// (transparent) leaves them out of a Save.
struct Source {
  SimTerminal terminal;
  std::string snapshot = TempPath("source") + ".cfg";
  Source() {
    terminal.sim->setValue("Protocolmodel", "DCTCP");
    terminal.sim->setValue("Access Point Name", "internet");
    terminal.sim->setValue("Debug Level", "2");
    terminal.sim->setValue("Link Fail Retry Times", "7");
  }
  ~Source() { std::filesystem::remove(snapshot); }
};

TEST(CliTerminal, ReadPrintsEverySettingAndSavesTheSnapshotAsReceived) {
  SimTerminal t;
  ASSERT_TRUE(t.started);
  t.sim->setValue("ListenPort", "5123");
  auto r = t.run("read");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  params::ParamRegistry reg;
  params::BuildRegistry(reg);
  EXPECT_EQ(Lines(r.out).size(), reg.size());
  EXPECT_TRUE(HasLine(r.out, "ListenPort\tAT+LPORT\t5123")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "Device Type\t\tK9x40-L")) << r.out;

  const std::string path = TempPath("read") + ".cfg";
  auto saved = t.run("read -o " + Quote(path));
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  // The reply as it came off the line, every LF one CR longer on disk.
  const std::string file = ReadFile(path);
  EXPECT_NE(file.find("Access Point Name:CMNET\r\r\n"), std::string::npos);
  EXPECT_EQ(file, params::SnapshotBytes(t.sim->report()));
  std::filesystem::remove(path);
}

TEST(CliTerminal, ApplyProvisionsFromAnotherTerminalsSnapshotAndGoesOnAfterARefusal) {
  Source src;
  ASSERT_TRUE(src.terminal.started);
  ASSERT_EQ(src.terminal.run("read -o " + Quote(src.snapshot)).exitCode, 0);

  sim::SimOptions o = FastTerminal();
  o.errorCommands = {"AT+DEBUG"};
  SimTerminal target(o);
  ASSERT_TRUE(target.started);
  auto r = target.run("apply " + Quote(src.snapshot));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out,
            "Access Point Name\tAT+APN=internet\tOK\n"
            "Debug Level\tAT+DEBUG=2\tERROR\n"
            "Link Fail Retry Times\tAT+RETRY=7\tOK\n"
            "Protocolmodel\tAt+PROMODE=DCTCP\tOK\n");
  EXPECT_NE(r.err.find("1 of 4 writes not confirmed"), std::string::npos) << r.err;
  EXPECT_EQ(target.sim->value("Protocolmodel"), "DCTCP");
  EXPECT_EQ(target.sim->value("Access Point Name"), "internet");
  EXPECT_EQ(target.sim->value("Link Fail Retry Times"), "7");
  EXPECT_EQ(target.sim->value("Debug Level"), "1");

  // A terminal that takes everything: exit 0, and a second apply writes nothing.
  SimTerminal clean;
  ASSERT_TRUE(clean.started);
  EXPECT_EQ(clean.run("apply " + Quote(src.snapshot)).exitCode, 0);
  auto again = clean.run("apply --json " + Quote(src.snapshot));
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_NE(again.out.find("\"writes\":[]"), std::string::npos) << again.out;
}

TEST(CliTerminal, DryRunPrintsThePlanAndSendsNothingAfterTheReport) {
  Source src;
  ASSERT_TRUE(src.terminal.started);
  ASSERT_EQ(src.terminal.run("read -o " + Quote(src.snapshot)).exitCode, 0);
  SimTerminal target;
  ASSERT_TRUE(target.started);
  auto r = target.run("apply --dry-run " + Quote(src.snapshot));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Access Point Name\tCMNET\tinternet\tAT+APN=internet\\r\\n\n"
            "Debug Level\t1\t2\tAT+DEBUG=2\\r\\n\n"
            "Link Fail Retry Times\t3\t7\tAT+RETRY=7\\r\\n\n"
            "Protocolmodel\tTRNS\tDCTCP\tAt+PROMODE=DCTCP\\r\\n\n");
  // The report was asked for, and nothing came after it, not even late.
  std::this_thread::sleep_for(200ms);
  const auto commands = target.sim->commands();
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.back(), "AT+SHOW");
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT+SHOW"), 1);
  EXPECT_EQ(target.sim->value("Access Point Name"), "CMNET");
}

TEST(CliTerminal, VerifyCatchesAWriteTheTerminalConfirmedButDidNotKeep) {
  Source src;
  ASSERT_TRUE(src.terminal.started);
  ASSERT_EQ(src.terminal.run("read -o " + Quote(src.snapshot)).exitCode, 0);
  sim::SimOptions o = FastTerminal();
  o.ignoredCommands = {"AT+APN"};
  SimTerminal target(o);
  ASSERT_TRUE(target.started);
  auto r = target.run("apply --verify " + Quote(src.snapshot));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_TRUE(HasLine(r.out, "Access Point Name\tAT+APN=internet\tOK")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "differs\tAccess Point Name\tinternet\tCMNET")) << r.out;
  EXPECT_FALSE(HasLine(r.out, "differs\tDebug Level\t2\t1")) << r.out;
  EXPECT_EQ(target.commandsStarting("AT+SHOW").size(), 2u);  // the load's read and the verification's
}

TEST(CliTerminal, SetWritesByControlNameAndRefusesBeforeAnyWrite) {
  SimTerminal t;
  ASSERT_TRUE(t.started);
  t.sim->setValue("Protocolmodel", "DCTCP");
  auto r = t.run("set \"Server's Ip=198.51.100.7\" 'Debug Level=3'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Debug Level\tAT+DEBUG=3\tOK\nServer's Ip\tAT+IPAD=198.51.100.7\tOK\n");
  EXPECT_EQ(t.sim->value("Server's Ip"), "198.51.100.7");
  EXPECT_EQ(t.sim->value("Debug Level"), "3");

  const int before = t.sim->commandCount();
  struct Case {
    const char* args;
    const char* why;
  } refused[] = {
      {"set 'Debug Level=99' \"Server's Ip=1.1.1.1\"", "cannot show the value '99'"},
      {"set ListenPort=7000", "'ListenPort' is not in use"},  // the work mode has no such row
      {"set NoSuchControl=1", "unknown setting 'NoSuchControl'"},
      {"set AT+LPORT=1", "its control is 'ListenPort'"},
      {"set ListenPort", "is not NAME=VALUE"},
  };
  for (const Case& c : refused) {
    auto e = t.run(c.args);
    EXPECT_EQ(e.exitCode, 2) << c.args;
    EXPECT_NE(e.err.find(c.why), std::string::npos) << c.args << ": " << e.err;
    EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
  }
  EXPECT_TRUE(t.commandsStarting("AT+LPORT=").empty());
  EXPECT_TRUE(t.commandsStarting("AT+DEBUG=9").empty());
  EXPECT_TRUE(t.commandsStarting("AT+IPAD=1.1").empty());
  EXPECT_EQ(t.sim->commandCount() - before, 2) << "a report read each for the two refused in the form";
}

TEST(CliTerminal, CheckAsksEachQueryOnceAndRepeatsTheSignalAfterAnError) {
  sim::SimOptions o = FastTerminal();
  o.csqErrorOnce = true;
  SimTerminal t(o);
  ASSERT_TRUE(t.started);
  auto r = t.run("check");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u) << r.out;
  EXPECT_EQ(lines[0].rfind("SIM\t+CPIN:", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("signal\t+CSQ:", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("version\t", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("network mode\t", 0), 0u) << lines[3];
  EXPECT_EQ(t.commandsStarting("At+CSQ").size(), 2u);
  EXPECT_EQ(t.commandsStarting("At+CPIN?").size(), 1u);

  sim::SimOptions mute = FastTerminal();
  mute.silentCommands = {"At+VER"};
  SimTerminal m(mute);
  ASSERT_TRUE(m.started);
  auto silent = m.run("check");
  EXPECT_EQ(silent.exitCode, 1);
  EXPECT_TRUE(HasLine(silent.out, "version\ttime-out")) << silent.out;
}

TEST(CliTerminal, MaintenanceCommands) {
  SimTerminal t;
  ASSERT_TRUE(t.started);
  auto send = t.run("send AT+LPORT=5999");
  EXPECT_EQ(send.exitCode, 0) << send.err;
  EXPECT_EQ(t.sim->value("ListenPort"), "5999");

  auto clock = t.run("clock");
  EXPECT_EQ(clock.exitCode, 0) << clock.err;
  EXPECT_EQ(t.commandsStarting("AT+EXCCLK=\"").size(), 1u);

  auto factory = t.run("factory");
  EXPECT_EQ(factory.exitCode, 0) << factory.err;
  EXPECT_EQ(factory.out, "factory\tOK\nread\tOK\n");
  EXPECT_EQ(t.sim->value("ListenPort"), "5000");

  auto quit = t.run("quit");
  EXPECT_EQ(quit.exitCode, 0) << quit.err;
  EXPECT_TRUE(t.sim->waitForMode(sim::Mode::Data, 1s));

  sim::SimOptions o = FastTerminal();
  o.errorCommands = {"AT+NOPE"};
  SimTerminal e(o);
  ASSERT_TRUE(e.started);
  auto refused = e.run("send AT+NOPE");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "ERROR\n");
}

TEST(CliTerminal, ConfigurationModeByBootPromptOrEscapeElseExitThree) {
  sim::SimOptions o = FastTerminal();
  o.powerOn = sim::PowerOn::AtStart;  // already running when the tool comes
  SimTerminal running(o);
  ASSERT_TRUE(running.started);
  ASSERT_TRUE(running.sim->waitForMode(sim::Mode::Data, 2s));
  auto r = RunCli(std::string("--time-scale 0.05 --wait 0.5 -p ") + Quote(running.sim->devicePath()) + " check");
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("configuration mode not reached"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--login"), std::string::npos) << r.err;

  auto login = running.run("--login read");
  EXPECT_EQ(login.exitCode, 0) << login.err;
  EXPECT_EQ(running.commandsStarting("AT+SHOW").size(), 1u);

  auto missing = RunCli(std::string(kFast) + "-p " + Quote(TempPath("nothing")) + " read");
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace cli::testing
