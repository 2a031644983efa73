#include "params/param_registry.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "params/param_table.h"

namespace params {
namespace {

class BuiltRegistry : public ::testing::Test {
 protected:
  void SetUp() override { BuildRegistry(reg); }
  ParamRegistry reg;
};

TEST_F(BuiltRegistry, HoldsEveryEntryInUseWithEmptyValueExceptLoraVer) {
  ASSERT_EQ(reg.size(), 179u);
  int notInUse = 0;
  reg.forEach([&](const std::string& name, const ParamEntry& e) {
    EXPECT_TRUE(e.value.empty()) << name;
    if (!e.inUse) {
      ++notInUse;
      EXPECT_EQ(name, "LORA ver");
      EXPECT_EQ(e.group, kNoPage);
    } else {
      EXPECT_GE(e.group, 0) << name;  // a Save reads the entry's tab slot
      EXPECT_LE(e.group, 9) << name;
    }
  });
  EXPECT_EQ(notInUse, 1);
}

TEST_F(BuiltRegistry, CountsPerTab) {
  std::map<ParamGroup, int> counts;
  reg.forEach([&](const std::string&, const ParamEntry& e) { ++counts[e.group]; });
  std::map<ParamGroup, int> want{{0, 46}, {1, 16}, {2, 9}, {3, 44}, {4, 10}, {5, 15},
                                 {6, 8},  {7, 11}, {8, 6}, {9, 13}, {kNoPage, 1}};
  EXPECT_EQ(counts, want);
}

TEST_F(BuiltRegistry, WalksInByteOrder) {
  std::vector<std::string> names = reg.names();
  ASSERT_EQ(names.size(), 179u);
  EXPECT_EQ(names.front(), "1The DIO1 data format");
  EXPECT_EQ(names.back(), "sms Phone5 No");
  auto pos = [&](std::string_view n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
  EXPECT_LT(pos("A serial 2 port binding center"), pos("A serial port binding center"));
  EXPECT_LT(pos("Waiting for the failure"), pos("dtu is connect to dtu manage platform"));
  EXPECT_LT(pos("dtu manage server's Port"), pos("net mode"));
}

// Spot checks of letters the terminal and the skins rely on; a tidied copy
// would pass every other test of ours.
TEST_F(BuiltRegistry, OddLettersAreKept) {
  struct Row {
    const char* name;
    const char* at;
    const char* label;
    const char* type;
  };
  const Row rows[] = {
      {"Protocolmodel", "At+PROMODE", "\r\nProtocol model:", "Combobox"},
      {"RegistrationAndHeart", "At+ENHRT", "\r\nRegistration and heart function:", "Combobox"},
      {"Debugging  port", "AT+DEBUGPORT", "\r\nDebugging information out port:", "Combobox"},
      {"Debug Level", "AT+DEBUG", "\r\nDebug Level :", "Combobox"},
      {"Server2's Ip", "AT+IPAD1", "\r\nServer1's Ip:", "Edit"},
      {"Server5's Port", "AT+PORT4", "\r\nServer4's Port:", "Edit"},
      {"ThePPPauthentication", "AT+SVRCNT", "\r\nTotal Servers:", "Combobox"},
      {"Access Point Name", "AT+APN", "Access Point Name:", "Edit"},
      {"MQTT KEY", "AT+MQTTPRODUCTKEY", "MQTT Product Key:", "Edit"},
      {"DIO3 ADCType", "AT+DIOADCTYPE3", "DIO3 adc type:", "Combobox"},
      {"ZigBee_Type", "AT+TYP", "\r\nZigBee_Type :", "Combobox"},
      {"Device Type", "", "\r\nDevice Type:", "Line"},
      {"I/O selection", "", "", "Combobox"},
      {"LORA ver", "AT+LVER", "\r\nLORA ver:", ""},
  };
  for (const Row& r : rows) {
    const ParamEntry* e = reg.find(r.name);
    ASSERT_NE(e, nullptr) << r.name;
    EXPECT_EQ(e->atCommand, r.at) << r.name;
    EXPECT_EQ(e->reportLabel, r.label) << r.name;
    EXPECT_EQ(e->controlType, r.type) << r.name;
  }
}

// Only the shared settings may share a label or a command word.
TEST(ParamTable, SharedLabelsAndCommandsAreExactlyTheKnownOnes) {
  std::map<std::string_view, std::set<std::string_view>> byLabel, byCommand;
  for (const ParamRow& r : ParamTable()) {
    if (!r.reportLabel.empty()) byLabel[r.reportLabel].insert(r.name);
    if (!r.atCommand.empty()) byCommand[r.atCommand].insert(r.name);
  }
  std::map<std::string_view, std::set<std::string_view>> sharedLabels, sharedCommands;
  for (auto& [l, n] : byLabel)
    if (n.size() > 1) sharedLabels[l] = n;
  for (auto& [c, n] : byCommand)
    if (n.size() > 1) sharedCommands[c] = n;
  using S = std::set<std::string_view>;
  EXPECT_EQ(sharedLabels, (std::map<std::string_view, S>{
                              {"\r\nEL transmit channel:",
                               S{"EL transmit channel", "EL transmit channel_Z", "EL transmit channel_G"}}}));
  EXPECT_EQ(sharedCommands,
            (std::map<std::string_view, S>{
                {"AT+ZDATCHAN", S{"EL transmit channel", "EL transmit channel_Z", "EL transmit channel_G"}},
                {"AT+DIOWORKMODE1", S{"DIO1 workmode", "I/O1 Mode"}},
                {"AT+DIOWORKMODE2", S{"DIO2 workmode", "I/O2 Mode"}},
                {"AT+DIOMAPC1", S{"DIO1 and mapping center", "I/O1 control"}},
                {"AT+DIOMAPC2", S{"DIO2 and mapping center", "I/O2 control"}},
                {"AT+DIOMAPC3", S{"DIO3 and mapping center", "I/O3 control"}}}));
}

TEST(ParamRegistryTest, FirstRegistrationWinsAndLookupAddsNothing) {
  ParamRegistry reg;
  reg.AddParam(1, "Edit", "x", "\r\nX:", "AT+X");
  reg.AddParam(2, "Combobox", "x", "\r\nY:", "AT+Y");
  ASSERT_EQ(reg.size(), 1u);
  const ParamEntry* e = reg.find("x");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->group, 1);
  EXPECT_EQ(e->controlType, "Edit");
  EXPECT_EQ(e->reportLabel, "\r\nX:");
  EXPECT_EQ(e->atCommand, "AT+X");

  EXPECT_EQ(reg.find("y"), nullptr);
  EXPECT_EQ(reg.value("y"), std::nullopt);
  EXPECT_EQ(reg.inUse("y"), std::nullopt);
  EXPECT_FALSE(reg.setValue("y", "1"));
  EXPECT_FALSE(reg.setInUse("y", false));
  EXPECT_EQ(reg.size(), 1u);
}

TEST(ParamRegistryTest, OrdersBytesAsUnsigned) {
  ParamRegistry reg;
  for (const char* n : {"\xC0x", "b", "a", "ab", "B"}) reg.AddParam(0, "Edit", n, "", "");
  EXPECT_EQ(reg.names(), (std::vector<std::string>{"B", "a", "ab", "b", "\xC0x"}));
}

TEST(ParamRegistryTest, ValueAndInUseAccessors) {
  ParamRegistry reg;
  BuildRegistry(reg);
  EXPECT_TRUE(reg.setValue("Server's Ip", "1.2.3.4"));
  EXPECT_TRUE(reg.setInUse("Server's Ip", false));
  EXPECT_EQ(reg.value("Server's Ip"), "1.2.3.4");
  EXPECT_EQ(reg.inUse("Server's Ip"), false);
  reg.clearValues();
  EXPECT_EQ(reg.value("Server's Ip"), "");
}

}  // namespace
}  // namespace params
