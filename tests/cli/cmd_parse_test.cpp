#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "params/param_registry.h"

namespace {

using cli::testing::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0, nl;
  while ((nl = text.find('\n', from)) != std::string::npos) {
    lines.push_back(text.substr(from, nl - from));
    from = nl + 1;
  }
  EXPECT_EQ(from, text.size()) << "output does not end in a line end";
  return lines;
}

class CliParse : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("k9x40_cli_fixture_" + std::to_string(::getpid()) + ".cfg");
};

// A snapshot as the tool writes it: every line end of the report on disk as CR CR LF.
TEST_F(CliParse, PrintsEverySettingInRegistryOrder) {
  std::ofstream(path_, std::ios::binary)
      << "\r\r\nAT+SHOW\r\r\n"
         "Access Point Name: cmnet\r\r\n"
         "\r\r\nServer's Ip: 10.1.2.3 \r\r\n"
         "\r\r\nServer1's Ip: backup.example\r\r\n"
         "\r\r\nLink Fail Retry Times: 3\r\r\n"
         "\r\r\nCustom Register Info: a\tb c\r\r\n"
         "\r\r\nOK\r\r\n";
  auto r = RunCli("parse '" + path_.string() + "'");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");

  params::ParamRegistry reg;
  params::BuildRegistry(reg);
  std::vector<std::string> names = reg.names();
  std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), names.size());
  const std::map<std::string, std::string> filled{
      {"Access Point Name", "cmnet"},     {"Server's Ip", "10.1.2.3"},
      {"Server2's Ip", "backup.example"}, {"Link Fail Retry Times", "3"},
      {"RegisterInfo", "a\tb c"},         {"I/O selection", "Access Point Name: cmnet"}};
  for (std::size_t i = 0; i < names.size(); ++i) {
    auto it = filled.find(names[i]);
    EXPECT_EQ(lines[i], names[i] + "\t" + (it == filled.end() ? "" : it->second));
  }
}

TEST_F(CliParse, FailuresExitNonZeroWithAReason) {
  std::string missing = path_.string() + ".missing";
  auto r = RunCli("parse '" + missing + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

  for (const char* args : {"", "parse", "parse a b", "nosuch"}) {
    auto u = RunCli(args);
    EXPECT_EQ(u.exitCode, 2) << args;
    EXPECT_EQ(u.out, "") << args;
    EXPECT_NE(u.err.find("usage"), std::string::npos) << args;
  }
}

}  // namespace
