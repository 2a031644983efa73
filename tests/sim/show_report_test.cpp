#include "sim/show_report.h"

#include <gtest/gtest.h>

#include "params/recv_buffer.h"
#include "params/report_parser.h"

namespace sim {
namespace {

// What the tool's receive step makes of the bytes: NULs become blanks.
params::RecvBuffer Received(std::string_view bytes) {
  params::RecvBuffer recv;
  for (char c : bytes) recv.data[recv.count++] = c == '\0' ? ' ' : c;
  recv.data[recv.count] = 0;
  return recv;
}

void ExpectParsesBackToTerminalValues(const TerminalSettings& s, const std::string& report) {
  params::ParamRegistry reg;
  params::BuildRegistry(reg);
  params::ParseShowReport(reg, Received(report));
  reg.forEach([&](const std::string& name, const params::ParamEntry& e) {
    if (e.reportLabel.empty()) return;  // "I/O selection" is no setting of the terminal
    EXPECT_EQ(reg.value(name), s.value(name)) << name;
  });
}

TEST(ShowReport, HasTheShapeTheToolReliesOn) {
  TerminalSettings s("K9x40-L", "K6R20T v2.3");
  std::string r = BuildShowReport(s);
  EXPECT_GT(r.size(), 3000u);
  EXPECT_LE(r.size(), 15999u);
  auto marker = r.find("Access Point Name:");
  ASSERT_NE(marker, std::string::npos);
  EXPECT_EQ(r.compare(marker - 2, 2, "\r\n"), 0) << "the marker begins a line";
  EXPECT_LE(r.size() - marker, 8191u) << "the tool reads 8191 bytes from the marker";
  // "OK" only as the last line, and nothing that looks like a boot prompt.
  EXPECT_EQ(r.find("OK"), r.size() - 4);
  EXPECT_EQ(r.find("'s' key"), std::string::npos);
  EXPECT_EQ(r.find("ERROR"), std::string::npos);

  s.registry().forEach([&](const std::string& name, const params::ParamEntry& e) {
    if (e.reportLabel.empty()) return;
    std::string asLine = e.reportLabel.rfind("\r\n", 0) == 0 ? e.reportLabel : "\r\n" + e.reportLabel;
    auto at = r.find(asLine);
    ASSERT_NE(at, std::string::npos) << name << ": label does not begin a line";
    if (name != "Access Point Name") {
      EXPECT_GT(at, marker) << name;
    }
  });
}

TEST(ShowReport, ParsesBackToTheTerminalsValues) {
  TerminalSettings s("K4x70", "v1.2");
  ASSERT_EQ(s.write("AT+IPAD", "dtu.example.com"), WriteResult::Stored);
  ASSERT_EQ(s.write("AT+CONNRGST", "a b c"), WriteResult::Stored);
  ASSERT_EQ(s.write("AT+DIOWORKMODE1", "4"), WriteResult::Stored);
  ASSERT_EQ(s.write("AT+DIOMAPC2", "3"), WriteResult::Stored);
  ASSERT_EQ(s.write("AT+ZDATCHAN", "204"), WriteResult::Stored);
  ExpectParsesBackToTerminalValues(s, BuildShowReport(s));
}

TEST(ShowReport, NulBytesAreInsideButDoNotChangeWhatTheToolReads) {
  TerminalSettings s("K9x40-Z", "");
  std::string r = BuildShowReport(s, {.nulBytes = true});
  auto marker = r.find("Access Point Name:");
  EXPECT_NE(r.find('\0'), std::string::npos);
  EXPECT_LT(r.find('\0'), marker);
  EXPECT_NE(r.find('\0', marker), std::string::npos);
  ExpectParsesBackToTerminalValues(s, r);
}

TEST(ShowReport, LongestValuesStillFitTheToolsBuffer) {
  TerminalSettings s("K9x40-L", "K6R20T v2.3");
  for (const auto& setting : s.settings()) {
    const SettingRule& rule = *setting.rule;
    if (rule.kind == ValueKind::Text) s.setValue(rule.command, std::string(rule.max, 'x'));
    if (rule.kind == ValueKind::Phone) s.setValue(rule.command, std::string(rule.max, '9'));
    if (rule.kind == ValueKind::Host) s.setValue(rule.command, std::string(rule.max - 4, 'h') + ".com");
  }
  EXPECT_LE(BuildShowReport(s).size(), 15999u);
}

TEST(ShowReport, LoadedBackGivesTheSameSettings) {
  TerminalSettings a("K9x40-L", "K6R20T v2.3");
  ASSERT_EQ(a.write("AT+APN", "internet.example"), WriteResult::Stored);
  ASSERT_EQ(a.write("AT+PHONE3", "+4915112345678"), WriteResult::Stored);
  TerminalSettings b("K9x40", "");
  b.loadReport(BuildShowReport(a));
  for (const auto& setting : a.settings())
    EXPECT_EQ(b.value(setting.rule->command), setting.value) << setting.rule->command;
  EXPECT_EQ(b.value("Device Type"), "K9x40-L");
}

}  // namespace
}  // namespace sim
