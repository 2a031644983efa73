#include "params/report_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "params/report_fixture.h"

namespace params {
namespace {

using namespace std::string_literals;

const std::string kHead = "\r\nAT+SHOW\r\nAccess Point Name: cmnet\r\n";
const std::string kTail = "\r\nOK\r\n";

struct Case {
  const char* what;
  std::string before;  // text ahead of the report head
  std::string body;    // lines after the marker line
  bool tail;           // "OK" after the body
  std::vector<std::pair<std::string, std::string>> expect;  // name -> value
};
// GoogleTest would otherwise print the case's bytes, padding included.
void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class ParseCase : public ::testing::TestWithParam<Case> {};

TEST_P(ParseCase, GivesValues) {
  const Case& c = GetParam();
  ParamRegistry reg;
  BuildRegistry(reg);
  ParseShowReport(reg, c.before + kHead + c.body + (c.tail ? kTail : ""));
  for (const auto& [name, value] : c.expect) EXPECT_EQ(reg.value(name), value) << c.what << ": " << name;
}

const std::string k1023(1023, 'x');
const std::string k1024(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Report, ParseCase,
    ::testing::Values(
        Case{"spaces around", "", "\r\nServer's Port:   5001  \r\n", true, {{"Server's Port", "5001"}}},
        Case{"nothing after label", "", "\r\nServer's Port:\r\n", true, {{"Server's Port", ""}}},
        Case{"only spaces", "", "\r\nServer's Port:   \r\n", true, {{"Server's Port", ""}}},
        Case{"CR CR LF", "", "\r\nLink Fail Retry Times: 3\r\r\n", true, {{"Link Fail Retry Times", "3"}}},
        Case{"spaces then CR CR LF", "", "\r\nLink Fail Retry Times:  \r\r\n", true, {{"Link Fail Retry Times", ""}}},
        Case{"inner spaces kept", "", "\r\nCustom Register Info: a b c\r\n", true, {{"RegisterInfo", "a b c"}}},
        Case{"tabs kept", "", "\r\nCustom Register Info: \ta\t \r\n", true, {{"RegisterInfo", "\ta\t"}}},
        Case{"1023 bytes taken", "", "\r\nCustom Register Info: " + k1023 + "\r\n", true, {{"RegisterInfo", k1023}}},
        Case{"1024 bytes dropped, walk goes on", "",
             "\r\nCustom Register Info: " + k1024 + "\r\nServer's Port: 7\r\n", true,
             {{"RegisterInfo", ""}, {"Server's Port", "7"}}},
        Case{"label is the last text", "", "\r\nServer's Port: 5001", false, {{"Server's Port", ""}}},
        Case{"secondary does not fill main", "", "\r\nSecondary Server's Ip: 1.2.3.4\r\n", true,
             {{"Server's Ip", ""}, {"Secondary Server's Ip", "1.2.3.4"}}},
        Case{"first occurrence wins", "", "\r\nServer's Port: 1\r\nServer's Port: 2\r\n", true,
             {{"Server's Port", "1"}}},
        Case{"setting before the marker", "\r\nServer's Port: 1\r\n", "", true, {{"Server's Port", ""}}},
        Case{"EL transmit channel on three tabs", "", "\r\nEL transmit channel: 3\r\n", true,
             {{"EL transmit channel", "3"}, {"EL transmit channel_Z", "3"}, {"EL transmit channel_G", "3"}}},
        Case{"DIO workmode pair", "", "\r\nDIO1 workmode: 4\r\nDIO3 and mapping center: 2\r\n", true,
             {{"I/O1 Mode", "4"}, {"DIO1 workmode", "4"}, {"I/O3 control", "2"}, {"DIO3 and mapping center", "2"}}},
        Case{"backup servers counted from 1", "", "\r\nServer1's Ip: 10.0.0.1\r\nServer4's Port: 9\r\n", true,
             {{"Server2's Ip", "10.0.0.1"}, {"Server5's Port", "9"}, {"Server's Ip", ""}}},
        Case{"label without CR LF matches mid-line", "", "\r\nxx Bytes Finish Interval(ms): 50\r\n", true,
             {{"Send group package waiting for", "50"}}},
        Case{"empty label takes the marker line", "", "", true,
             {{"I/O selection", "Access Point Name: cmnet"}, {"Access Point Name", "cmnet"}}},
        Case{"NUL ends the text", "", "\r\nServer's Port: 1\r\n\0\r\nLink Fail Retry Times: 3\r\n"s, true,
             {{"Server's Port", "1"}, {"Link Fail Retry Times", ""}}}));

TEST(ParseShowReportTest, EverySettingOfAFullReport) {
  ParamRegistry reg;
  BuildRegistry(reg);
  ParseShowReport(reg, testing::FullReport(reg));
  reg.forEach([&](const std::string& name, const ParamEntry& e) {
    std::string want = name == "I/O selection" ? "Access Point Name: v AT+APN" : testing::ValueFor(e, name);
    EXPECT_EQ(e.value, want) << name;
  });
}

TEST(ParseShowReportTest, NoMarkerEmptiesEveryValue) {
  ParamRegistry reg;
  BuildRegistry(reg);
  ParseShowReport(reg, testing::FullReport(reg));
  ParseShowReport(reg, "\r\nServer's Port: 1\r\nOK\r\n");
  reg.forEach([&](const std::string& name, const ParamEntry& e) { EXPECT_EQ(e.value, "") << name; });
}

// The working copy holds 8191 bytes from the marker: a line whose CR LF ends
// at the last of them is found, one byte later it is not.
TEST(ParseShowReportTest, OnlyTheFirst8191BytesFromTheMarkerCount) {
  const std::string line = "\r\nServer's Port: 5\r\n";
  for (std::size_t extra : {0u, 1u}) {
    std::string fromMarker = "Access Point Name: a\r\n";
    fromMarker += std::string(8191 - fromMarker.size() - line.size() + extra, 'p') + line + "OK\r\n";
    ParamRegistry reg;
    BuildRegistry(reg);
    ParseShowReport(reg, "echo\r\n" + fromMarker);
    EXPECT_EQ(reg.value("Server's Port"), extra == 0 ? "5" : "") << extra;
  }
}

TEST(ParseShowReportTest, ReadsOnlyCountBytesOfTheBuffer) {
  ParamRegistry reg;
  BuildRegistry(reg);
  RecvBuffer recv;
  std::string text = "Access Point Name: a\r\n\r\nServer's Port: 5\r\n";
  std::copy(text.begin(), text.end(), recv.data.begin());
  recv.count = static_cast<int>(text.size()) - 1;  // the final LF is stale
  ParseShowReport(reg, recv);
  EXPECT_EQ(reg.value("Server's Port"), "");
  EXPECT_EQ(reg.value("Access Point Name"), "a");
}

}  // namespace
}  // namespace params
