// Commands that need no terminal, and the command line itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/sim_fixture.h"

namespace cli::testing {
namespace {

// Snapshot text as the tool writes it: the report's CR LF as CR CR LF.
std::string Snapshot(const std::string& body) {
  std::string out;
  for (char c : "\r\nAT+SHOW\r\n" + body + "\r\nOK\r\n") {
    if (c == '\n') out += "\r\n";
    else out += c;
  }
  return out;
}

class CliOffline : public ::testing::Test {
 protected:
  std::string write(const std::string& bytes) {
    paths_.push_back(TempPath("snap") + ".cfg");
    std::ofstream(paths_.back(), std::ios::binary) << bytes;
    return paths_.back();
  }
  void TearDown() override {
    for (const auto& p : paths_) std::filesystem::remove(p);
  }
  std::vector<std::string> paths_;
};

TEST_F(CliOffline, DiffListsTheSettingsThatDifferInRegistryOrder) {
  const std::string a = write(Snapshot("Access Point Name: cmnet\r\n\r\nListen on port:5000\r\n\r\nDebug Level :1\r\n"));
  const std::string b = write(Snapshot("Access Point Name: cmnet\r\n\r\nListen on port:5002\r\n\r\nDebug Level :2\r\n"));
  auto r = RunCli("diff " + Quote(a) + " " + Quote(b));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Debug Level\t1\t2\nListenPort\t5000\t5002\n");

  auto j = RunCli("--json diff " + Quote(a) + " " + Quote(b));
  EXPECT_EQ(j.out,
            "{\"differences\":[{\"name\":\"Debug Level\",\"command\":\"AT+DEBUG\",\"a\":\"1\",\"b\":\"2\"},"
            "{\"name\":\"ListenPort\",\"command\":\"AT+LPORT\",\"a\":\"5000\",\"b\":\"5002\"}]}\n");
  EXPECT_EQ(RunCli("diff " + Quote(a) + " " + Quote(a)).out, "");
  EXPECT_EQ(RunCli("diff " + Quote(a) + " " + Quote(a + ".missing")).exitCode, 1);
}

TEST_F(CliOffline, ParseJsonIsOneObjectOfNameToValueWithEveryByteEscaped) {
  const std::string f = write(Snapshot("Access Point Name: a\"b\\c\r\n\r\nCustom Register Info:x\ty\x01\xe4\xb8\xad\xff\r\n"));
  auto r = RunCli("parse --json " + Quote(f));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"1The DIO1 data format\":\"\",", 0), 0u) << r.out.substr(0, 80);
  EXPECT_NE(r.out.find("\"Access Point Name\":\"a\\\"b\\\\c\""), std::string::npos);
  // Valid UTF-8 passes; a stray byte becomes the code point of its value.
  EXPECT_NE(r.out.find("\"RegisterInfo\":\"x\\ty\\u0001\xe4\xb8\xad\\u00ff\""), std::string::npos);
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST_F(CliOffline, ApplyRefusesAFileWithoutAReportBeforeOpeningAnyPort) {
  const std::string f = write("just some text\r\n");
  auto r = RunCli("-p /nonexistent/port apply " + Quote(f));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("holds no settings report"), std::string::npos) << r.err;
}

TEST(CliUsage, WrongCommandLinesExitTwoWithOneLine) {
  const char* cases[] = {
      "",
      "nosuch",
      "read extra",
      "read -o",
      "read --frobnicate",
      "apply",
      "apply a.cfg --dry-run --verify",
      "set",
      "send",
      "--baud fast read",
      "--baud 0 read",
      "--format 9N1 read",
      "--format 8X1 read",
      "--lang fr read",
      "--wait soon read",
      "-p",
  };
  for (const char* args : cases) {
    auto r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_NE(r.err.find("usage"), std::string::npos) << args << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
  }
  auto help = RunCli("--help");
  EXPECT_EQ(help.exitCode, 0);
  for (const char* command : {"ports", "parse", "diff", "read", "apply", "set", "check", "send", "factory", "clock", "quit"})
    EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
}

}  // namespace
}  // namespace cli::testing
