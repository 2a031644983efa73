#include "params/control_binding.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "params/direction_switch.h"
#include "params/form_fixture.h"
#include "params/report_parser.h"

namespace params {
namespace {

using testing::Form;

TEST(ApplyReport, ShowsEveryValueThenPostsActivationAndLoraRules) {
  Form f;
  ParseShowReport(f.registry, testing::RealisticReport(f.registry));
  ApplyReport(f.ctx);

  EXPECT_TRUE(f.tabs[7].shown);
  EXPECT_FALSE(f.tabs[8].shown);
  EXPECT_FALSE(f.tabs[9].shown);
  EXPECT_EQ(f.tabRefreshes, 1);
  EXPECT_EQ(f.loraVersion, "V1.2");
  EXPECT_EQ(f.posts, (std::vector<std::pair<int, int>>{{1, 0}, {17, 0}}));

  const std::pair<const char*, int> selections[] = {
      {"Protocolmodel", 3},  {"DeviceModel", 0},       {"ActivateMethod", 0},
      {"Serial Baudrate", 7}, {"Serial 2 port commu mode", 1},
      {"EXFUN", 1},           {"net mode", 2},          {"A serial 2 port binding center", 6},
      {"RS485 port binding center", 5},                 {"LORA Rate", 2},
      {"ZigBee_RFchannel", 4}, {"LORA typ", 1},         {"Debugging  port", 1},
      {"DIO2 workmode", 1},   {"DIO3 workmode", 1},     {"I/O1 Mode", 0},
      {"I/O1 control", 6},    {"Debug Level", 1},       {"I/O selection", -1},
  };
  for (auto [name, index] : selections) EXPECT_EQ(f.combo(name).currentSelection(), index) << name;
  EXPECT_EQ(f.field("ListenPort").text(), "5001");
  EXPECT_EQ(f.field("Server's Ip").text(), "192.168.1.10");
  // 51 = bits 0, 1, 4, 5: every LoRa switch on.
  for (const char* s : {"Lora2COM", "COM2Lora", "Lora2GPRS", "GPRS2Lora"})
    EXPECT_TRUE(DirectionIsOn(f.pm, s)) << s;
  // The GPS set reads the same line: bits 2 and 3 are off.
  EXPECT_TRUE(DirectionIsOn(f.pm, "GPS2COM"));
  EXPECT_FALSE(DirectionIsOn(f.pm, "GPRS2COM"));
  EXPECT_FALSE(DirectionIsOn(f.pm, "COM2GPRS"));
}

TEST(ApplyReport, ChangedSelectionsNotifyInRegistryOrderBeforeTheFinalPosts) {
  Form f;
  ParseShowReport(f.registry, testing::RealisticReport(f.registry));
  ApplyReport(f.ctx);
  const auto& sel = f.notifier.itemSelects;
  ASSERT_FALSE(sel.empty());
  EXPECT_TRUE(std::is_sorted(sel.begin(), sel.end(), ByteLess{}));
  // A second report with the same values changes no selection.
  f.notifier.itemSelects.clear();
  ApplyReport(f.ctx);
  EXPECT_TRUE(f.notifier.itemSelects.empty());
}

TEST(ApplyReport, DeviceTypeDecidesTheRadioTab) {
  const std::pair<const char*, int> cases[] = {
      {"K9x40-L", 7},  {"K9x40-L-Z", 7}, {"K9x40-Z", 8}, {"K4x70", 9},
      {"K4x70-Z", 8},  {"K9x40", -1},    {"k9x40-l", -1}, {"", -1},
  };
  for (auto [type, slot] : cases) {
    Form f;
    f.registry.setValue("Device Type", type);
    ApplyReport(f.ctx);
    for (int s = 7; s <= 9; ++s) EXPECT_EQ(f.tabs[s].shown, s == slot) << type << " slot " << s;
    EXPECT_TRUE(f.tabs[0].shown);
  }
}

TEST(ApplyReport, SwitchesFollowTheBitsOfTheirValue) {
  Form f;
  f.registry.setValue("EL transmit channel", "16");
  f.registry.setValue("EL transmit channel_Z", "3");
  f.registry.setValue("EL transmit channel_G", "255");
  SetDirection(f.pm, "Lora2COM", true);
  ApplyReport(f.ctx);
  EXPECT_FALSE(DirectionIsOn(f.pm, "Lora2COM"));
  EXPECT_TRUE(DirectionIsOn(f.pm, "Lora2GPRS"));
  EXPECT_TRUE(DirectionIsOn(f.pm, "Zigbee2COM"));
  EXPECT_TRUE(DirectionIsOn(f.pm, "COM2Zigbee"));
  EXPECT_FALSE(DirectionIsOn(f.pm, "GPRS2Zigbee"));
  for (const char* s : {"GPS2COM", "COM2GPS", "GPRS2COM", "COM2GPRS", "GPS2GPRS", "GPRS2GPS"})
    EXPECT_TRUE(DirectionIsOn(f.pm, s)) << s;
  EXPECT_EQ(f.pm.findControl("GPS2COM")->bkImage(), "dir_enable.png");
}

TEST(ApplyReport, KeepsSelectionsTheEncodingLeavesAlone) {
  Form f;
  f.combo("EXFUN").selectItem(2);
  f.combo("A serial port binding center").selectItem(4);
  f.combo("I/O selection").selectItem(2);
  f.combo("Debug Level").selectItem(3);
  f.registry.setValue("EXFUN", "2");
  f.registry.setValue("A serial port binding center", "3");
  f.registry.setValue("Debug Level", "");
  f.registry.setValue("DIO1 workmode", "0");
  f.registry.setValue("Protocolmodel", "NOPE");
  f.combo("Protocolmodel").selectItem(4);
  ApplyReport(f.ctx);
  EXPECT_EQ(f.combo("EXFUN").currentSelection(), 2);
  EXPECT_EQ(f.combo("A serial port binding center").currentSelection(), 4);
  EXPECT_EQ(f.combo("I/O selection").currentSelection(), 2);
  EXPECT_EQ(f.combo("Debug Level").currentSelection(), 3);
  EXPECT_EQ(f.combo("Protocolmodel").currentSelection(), -1);  // neither item nor keyword
}

TEST(ApplyReport, SelectsTheChannelInModeFourAndClampsLongIndexes) {
  Form f;
  f.registry.setValue("DIO1 workmode", "0");
  f.registry.setValue("DIO2 workmode", "4");
  f.registry.setValue("DIO3 workmode", "4");
  f.registry.setValue("GPS GPGLL", "70");  // eight items: the last one
  ApplyReport(f.ctx);
  EXPECT_EQ(f.combo("I/O selection").currentSelection(), 1);
  EXPECT_EQ(f.combo("GPS GPGLL").currentSelection(), 7);
}

TEST(ApplyReport, SkipsControlsTheSkinLacks) {
  Form f;
  f.drop("ListenPort");
  f.drop("Debug Level");
  f.registry.setValue("ListenPort", "5001");
  ApplyReport(f.ctx);  // must not crash, the rest still shown
  EXPECT_EQ(f.posts.size(), 2u);
}

TEST(RestoreFieldFromRegistry, SetsValueOrClearsOnlyWhenBothExist) {
  Form f;
  f.registry.setValue("DIO1 query command", "read");
  f.field("DIO1 query command").setText("typed");
  RestoreFieldFromRegistry(f.ctx, "DIO1 query command", false);
  EXPECT_EQ(f.field("DIO1 query command").text(), "read");
  RestoreFieldFromRegistry(f.ctx, "DIO1 query command", true);
  EXPECT_EQ(f.field("DIO1 query command").text(), "");
  RestoreFieldFromRegistry(f.ctx, "no such entry", false);  // nothing happens
  f.drop("DIO2 query command");
  RestoreFieldFromRegistry(f.ctx, "DIO2 query command", false);
}

TEST(Direction, ToggleSwapsTheImageName) {
  Form f;
  ToggleDirection(f.pm, "GPS2COM");
  EXPECT_EQ(f.pm.findControl("GPS2COM")->bkImage(), "dir_enable.png");
  ToggleDirection(f.pm, "GPS2COM");
  EXPECT_EQ(f.pm.findControl("GPS2COM")->bkImage(), "dir_disable.png");
  EXPECT_FALSE(DirectionIsOn(f.pm, "NoSuchSwitch"));
  SetDirection(f.pm, "NoSuchSwitch", true);
}

}  // namespace
}  // namespace params
