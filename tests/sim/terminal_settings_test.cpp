#include "sim/terminal_settings.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

TerminalSettings Make() { return TerminalSettings("K9x40-L", "K6R20T v2.3"); }

TEST(TerminalSettings, CoversEveryRegistryCommandAndNothingElse) {
  std::vector<std::string> missing;
  TerminalSettings s("K9x40", "", &missing);
  EXPECT_TRUE(missing.empty()) << "first: " << missing.front();
  for (const auto& setting : s.settings()) {
    if (setting.rule->kind == ValueKind::ReadOnly) continue;
    EXPECT_TRUE(ValueAccepted(*setting.rule, setting.value))
        << setting.rule->command << " default '" << setting.value << "'";
  }
}

TEST(TerminalSettings, ValidatesEachKindOfValue) {
  struct Case {
    const char* command;
    const char* value;
    bool stored;
  };
  const std::string tooLong(65, 'a');
  const Case cases[] = {
      {"AT+RETRY", "0", true},          {"AT+RETRY", "255", true},
      {"AT+RETRY", "256", false},       {"AT+RETRY", "-1", false},
      {"AT+RETRY", "03", false},        {"AT+RETRY", "3 ", false},
      {"AT+RETRY", "", false},          {"AT+RETRY", "x", false},
      {"AT+CHA", "10", false},          {"AT+CHA", "26", true},
      {"At+PROMODE", "MTCP/MRTU", true}, {"AT+PROMODE", "mqtt", false},
      {"AT+PROMODE", "MQ", false},      {"AT+SERBINDCNT", "16", true},
      {"AT+SERBINDCNT", "3", false},    {"AT+IPR", "9600", true},
      {"AT+IPR", "9601", false},        {"AT+NETMODE", "2", false},
      {"AT+NETMODE", "5", true},        {"AT+DNSSVR", "8.8.8.8", true},
      {"AT+DNSSVR", "8.8.8", false},    {"AT+DNSSVR", "256.1.1.1", false},
      {"AT+DNSSVR", "1.2.3.4.5", false}, {"AT+DNSSVR", "dns.example.com", false},
      {"AT+IPAD", "dtu.example.com", true}, {"AT+IPAD", "1.2.3", false},
      {"AT+IPAD", "bad_host", false},   {"AT+IPAD", "-a.example", false},
      {"AT+PORT", "65535", true},       {"AT+PORT", "65536", false},
      {"AT+PHONE2", "", true},          {"AT+PHONE2", "+8613800000000", true},
      {"AT+PHONE2", "138-0000", false}, {"AT+CENT", "*99***1#", true},
      {"AT+PID", "FFFF", true},         {"AT+PID", "1FFFF", false},
      {"AT+PID", "XYZ", false},         {"AT+CONNRGST", "a b c", true},
      {"AT+CONNRGST", tooLong.c_str(), false},
      {"AT+IDNT", "", false},           {"AT+IDNT", "tab\there", false},
      {"AT+LVER", "v9", false},         {"AT+NOSUCH", "1", false},
      {"Server's Ip", "1.2.3.4", false},  // a control name is no command word
  };
  for (const Case& c : cases) {
    TerminalSettings s = Make();
    std::string before = s.value(c.command).value_or("");
    WriteResult r = s.write(c.command, c.value);
    EXPECT_EQ(r == WriteResult::Stored, c.stored) << c.command << "=" << c.value;
    if (c.stored) {
      EXPECT_EQ(s.value(c.command), c.value);
    } else {
      EXPECT_EQ(s.value(c.command).value_or(""), before) << c.command;
    }
  }
}

TEST(TerminalSettings, SharedCommandWordsAreOneSetting) {
  TerminalSettings s = Make();
  ASSERT_EQ(s.write("at+zdatchan", "17"), WriteResult::Stored);
  for (const char* name : {"EL transmit channel", "EL transmit channel_Z", "EL transmit channel_G"})
    EXPECT_EQ(s.value(name), "17") << name;
  ASSERT_EQ(s.write("AT+DIOWORKMODE2", "5"), WriteResult::Stored);
  EXPECT_EQ(s.value("DIO2 workmode"), "5");
  EXPECT_EQ(s.value("I/O2 Mode"), "5");
  ASSERT_EQ(s.write("AT+DIOMAPC3", "2"), WriteResult::Stored);
  EXPECT_EQ(s.value("I/O3 control"), "2");
  EXPECT_EQ(s.value("DIO3 and mapping center"), "2");
}

TEST(TerminalSettings, FactoryResetRestoresDefaultsButKeepsIdentity) {
  TerminalSettings s = Make();
  std::string apn = *s.value("AT+APN");
  ASSERT_EQ(s.write("AT+APN", "internet"), WriteResult::Stored);
  s.factoryReset();
  EXPECT_EQ(s.value("Access Point Name"), apn);
  EXPECT_EQ(s.value("Device Type"), "K9x40-L");
  EXPECT_EQ(s.value("LORA ver"), "K6R20T v2.3");
  EXPECT_FALSE(s.value("I/O selection"));
  EXPECT_FALSE(s.value("No such thing"));
}

TEST(TerminalSettings, LoadsReportValuesByLabel) {
  TerminalSettings s = Make();
  int taken = s.loadReport(
      "junk\r\nServer's Ip:9.9.9.9\r\n"  // before the marker: not a setting of the report
      "Access Point Name: internet \r\n"
      "Server's Port:  7001\r\n"
      "Device Type:K4x70\r\n"
      "LORA ver:v1.0\r\n"
      "OK\r\n");
  EXPECT_EQ(taken, 4);
  EXPECT_EQ(s.value("AT+APN"), "internet");
  EXPECT_EQ(s.value("AT+PORT"), "7001");
  EXPECT_EQ(s.value("AT+IPAD"), "203.0.113.10");
  EXPECT_EQ(s.value("Device Type"), "K4x70");
  EXPECT_EQ(s.value("LORA ver"), "v1.0");
  EXPECT_EQ(s.loadReport("Server's Port:1\r\n"), 0);  // no marker
}

}  // namespace
}  // namespace sim
