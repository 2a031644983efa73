#include "layout/work_mode_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>

#include "layout_fixture.h"

namespace {

using layout_test::LayoutForm;
using layout_test::Post;
using Names = std::vector<const char*>;

struct ModeCase {
  const char* label;
  int mode, deviceModel, registration;
  Names shown, hidden, inUse, outOfUse;
  std::array<bool, 5> tabs;  // slots 1, 3, 4, 5, 6 after the cascade
  int modeHeight, serialHeight;
  std::vector<int> firstPosts;  // groups the work-mode rule itself posts
};
// GoogleTest would otherwise print the case's bytes, padding included.
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.label; }

const Names kTabs = {"ServerTab", "IOTab", "WirelessTab", "GlobalTab", "EquimentTab"};
constexpr int kTabSlots[] = {1, 3, 4, 5, 6};

class WorkModeColumns : public testing::TestWithParam<ModeCase> {};

TEST_P(WorkModeColumns, LayOutTheFormAfterTheCascade) {
  const ModeCase& c = GetParam();
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.select("ActivateMethod", 0);
  f.select("ThePPPauthentication", 1);
  f.select("DeviceModel", c.deviceModel);
  f.select("RegistrationAndHeart", c.registration);
  f.select("Protocolmodel", c.mode);

  f.run(0);
  std::vector<int> first;
  for (const Post& p : f.takePosts()) first.push_back(p.first);
  EXPECT_EQ(first, c.firstPosts);
  f.drain();

  for (const char* n : c.shown) EXPECT_TRUE(f.shown(n)) << n;
  for (const char* n : c.hidden) EXPECT_FALSE(f.shown(n)) << n;
  for (const char* p : c.inUse) EXPECT_TRUE(f.inUse(p)) << p;
  for (const char* p : c.outOfUse) EXPECT_FALSE(f.inUse(p)) << p;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(f.tabs[kTabSlots[i]].shown, c.tabs[i]) << kTabs[i];
    EXPECT_EQ(f.shown(kTabs[i]), c.tabs[i]) << kTabs[i];
  }
  EXPECT_EQ(f.height("ModeGroupBox"), c.modeHeight);
  for (const char* box : {"serialGroupbox", "serial2Groupbox", "serial3Groupbox"})
    EXPECT_EQ(f.height(box), c.serialHeight) << box;
}

const std::array<bool, 5> kAll = {true, true, true, true, true};

INSTANTIATE_TEST_SUITE_P(
    Table, WorkModeColumns,
    testing::Values(
        ModeCase{"PROT", 0, 0, 0,
                 {"ModeHorizontalLayout1", "ModeHorizontalLayout1.1", "ModeHorizontalLayout1.2",
                  "DtumanageGroupBox", "bindingCenterGroupBox", "bindingCenterGroupBox3",
                  "ActivateGroupBox", "ServiceGroupBox"},
                 {"ModeHorizontalLayout2", "ModeHorizontalLayout3", "ModeHorizontalLayout4",
                  "ModeHorizontalLayout5", "ModeHorizontalLayout8", "ModeLayout1.1", "ModeLayout1.2",
                  "HttpLayout", "MQTTLayout"},
                 {"Modem'sID number", "PhoneNO.", "Deliver Recved Tcp Data Directly",
                  "A serial 2 port binding center", "Dtu manage id"},
                 {"DeviceModel", "ListenPort", "RegisterInfo", "sms Phone1 No", "Show Phone NO",
                  "HTTP Request Mode", "MQTT KEY"},
                 kAll, 110, 110, {1, 3}},
        ModeCase{"DCUDP", 1, 0, 0,
                 {"ModeHorizontalLayout1", "ActivateGroupBox", "ServiceGroupBox"},
                 {"ModeHorizontalLayout1.1", "ModeHorizontalLayout1.2", "ModeLayout1.1"},
                 {"PhoneNO."}, {"Modem'sID number", "Deliver Recved Tcp Data Directly"},
                 kAll, 85, 110, {1, 3}},
        ModeCase{"DCTCP", 2, 0, 0, {"ModeHorizontalLayout1"}, {"ModeHorizontalLayout1.1"},
                 {"PhoneNO."}, {"Modem'sID number"}, kAll, 85, 110, {1, 3}},
        ModeCase{"TRNS", 3, 0, 0,
                 {"DtumanageGroupBox", "bindingCenterGroupBox", "bindingCenterGroupBox2",
                  "bindingCenterGroupBox3", "ServiceGroupBox"},
                 {"ModeHorizontalLayout1", "ModeLayout1.2", "ActivateGroupBox", "HttpLayout"},
                 {"A serial port binding center", "Server's Ip", "Secondary Server's Ip"},
                 {"PhoneNO.", "SMSActivationNO.", "I/O selection", "RegisterInfo",
                  "HeartbeatPacketReplyInfo", "On-line data"},
                 {false, false, false, false, false}, 60, 110, {3}},
        ModeCase{"SMSCLI", 4, 0, 0,
                 {"ModeLayout1.1", "ModeLayout1.2", "ServiceGroupBox"},
                 {"ModeHorizontalLayout1", "DtumanageGroupBox", "bindingCenterGroupBox",
                  "bindingCenterGroupBox2", "bindingCenterGroupBox3", "ActivateGroupBox"},
                 {"sms Phone1 No", "sms Phone5 No", "Show Phone NO", "Send Hex SMS"},
                 {"A serial port binding center", "RS485 port binding center",
                  "dtu manage server's Ip", "dtu is connect to dtu manage platform", "ActivationPhoneNO."},
                 {false, false, false, true, true}, 235, 85, {3}},
        ModeCase{"SMSSER", 5, 0, 0,
                 {"ModeLayout1.2", "bindingCenterGroupBox2", "ServiceGroupBox"},
                 {"ModeLayout1.1", "DtumanageGroupBox", "ActivateGroupBox"},
                 {"Encode Hex SMS", "A serial 2 port binding center"},
                 {"sms Phone1 No", "Dtu manage id"},
                 {false, false, false, true, true}, 110, 110, {3}},
        ModeCase{"HTTP", 6, 0, 0, {"HttpLayout", "ActivateGroupBox"},
                 {"MQTTLayout", "ModeHorizontalLayout1"}, {"HTTP Request Mode"},
                 {"MQTT Client ID", "PhoneNO."}, kAll, 85, 110, {1, 3}},
        ModeCase{"MTCP/MRTU", 7, 0, 0,
                 {"ModeHorizontalLayout1", "ModeHorizontalLayout1.1", "ModeHorizontalLayout1.2"},
                 {"HttpLayout"}, {"Modem'sID number", "PhoneNO."}, {"HTTP Request Mode"},
                 kAll, 110, 110, {1, 3}},
        ModeCase{"MQTT", 8, 0, 0, {"MQTTLayout"}, {"HttpLayout"},
                 {"MQTT Client ID", "MQTT User Name", "MQTT Password", "MQTT Receive Topic",
                  "MQTT Send Topic", "MQTT KEY"},
                 {"HTTP Request Mode"}, kAll, 210, 110, {1, 3}},
        ModeCase{"CUST client, registration on", 9, 0, 1,
                 {"ModeHorizontalLayout2", "ModeHorizontalLayout3", "ModeHorizontalLayout4",
                  "ModeHorizontalLayout7", "ModeHorizontalLayout8", "ServiceGroupBox",
                  "bindingCenterGroupBox", "ActivateGroupBox"},
                 {"ModeHorizontalLayout1", "ModeHorizontalLayout5", "ModeHorizontalLayout6"},
                 {"DeviceModel", "Transferprotocol", "RegistrationAndHeart", "RegisterbHex",
                  "RegisterInfo", "HeartbeatPacketReplyInfo"},
                 {"ListenPort", "PhoneNO."}, kAll, 185, 110, {1, 3}},
        ModeCase{"CUST client, registration off", 9, 0, 0,
                 {"ModeHorizontalLayout4", "ServiceGroupBox"},
                 {"ModeHorizontalLayout5", "ModeHorizontalLayout6", "ModeHorizontalLayout7",
                  "ModeHorizontalLayout8"},
                 {"RegistrationAndHeart"}, {"RegisterbHex", "RegisterInfo", "ListenPort"},
                 kAll, 110, 110, {1, 3}},
        ModeCase{"CUST server", 9, 1, 1,
                 {"ModeHorizontalLayout2", "ModeHorizontalLayout5", "ActivateGroupBox"},
                 {"ModeHorizontalLayout4", "ModeHorizontalLayout6", "ModeHorizontalLayout7",
                  "ModeHorizontalLayout8", "ServiceGroupBox", "bindingCenterGroupBox",
                  "bindingCenterGroupBox2", "bindingCenterGroupBox3"},
                 // The main server keeps its flags when its box is hidden.
                 {"ListenPort", "Server's Ip", "Server's Port"},
                 {"RegistrationAndHeart", "RegisterInfo", "Server2's Ip", "Secondary Server's Ip",
                  "A serial port binding center"},
                 kAll, 110, 85, {1}}),
    [](const testing::TestParamInfo<ModeCase>& i) {
      std::string s;
      for (char ch : std::string(i.param.label)) s += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return s;
    });

TEST(WorkModeRule, ModeOutsideTheTableOnlySetsDefaultHeights) {
  for (int mode : {-1, 10}) {
    LayoutForm f;
    f.buildStandardTree();
    f.combo("Protocolmodel")->addItem("Eleventh");
    f.select("Protocolmodel", mode);
    f.find("ServiceGroupBox")->setVisible(false);
    f.tabs[3].shown = false;
    f.run(0);
    EXPECT_TRUE(f.takePosts().empty());
    EXPECT_FALSE(f.shown("ServiceGroupBox"));
    EXPECT_FALSE(f.tabs[3].shown);
    EXPECT_TRUE(f.shown("MQTTLayout"));
    EXPECT_EQ(f.height("ModeGroupBox"), 60) << mode;
    EXPECT_EQ(f.height("serial2Groupbox"), 110) << mode;
  }
}

TEST(WorkModeRule, CustWithoutDeviceModelKeepsCommonRowsButNoHeights) {
  LayoutForm f;
  f.add("", ui::ControlKind::GroupBox, "ModeGroupBox")->setAttribute("height", "999");
  f.add("", ui::ControlKind::HorizontalLayout, "ModeHorizontalLayout2")->setVisible(false);
  f.add("", ui::ControlKind::Button, "ServerTab")->setVisible(false);
  f.add("", ui::ControlKind::HorizontalLayout, "ModeHorizontalLayout4");
  f.tabs[1].shown = false;
  f.addCombo("", "Protocolmodel", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  f.select("Protocolmodel", 9);
  f.run(0);
  EXPECT_TRUE(f.shown("ModeHorizontalLayout2"));
  EXPECT_TRUE(f.shown("ServerTab"));
  EXPECT_TRUE(f.tabs[1].shown);
  EXPECT_TRUE(f.shown("ModeHorizontalLayout4"));  // sub-rule row: untouched
  EXPECT_EQ(f.height("ModeGroupBox"), 999);
}

TEST(WorkModeRule, CustClientWithoutRegistrationControlCountsAsOff) {
  LayoutForm f;
  f.add("", ui::ControlKind::GroupBox, "ModeGroupBox");
  f.add("", ui::ControlKind::HorizontalLayout, "ModeHorizontalLayout8");
  f.addCombo("", "Protocolmodel", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  f.addCombo("", "DeviceModel", {"CLI", "SVR"});
  f.select("Protocolmodel", 9);
  f.select("DeviceModel", 0);
  f.run(0);
  EXPECT_FALSE(f.shown("ModeHorizontalLayout8"));
  EXPECT_EQ(f.height("ModeGroupBox"), 110);
}

TEST(WorkModeRule, MissingWorkModeSelectorDoesNothing) {
  LayoutForm f;
  f.add("", ui::ControlKind::GroupBox, "ModeGroupBox")->setAttribute("height", "999");
  f.run(0);
  EXPECT_EQ(f.height("ModeGroupBox"), 999);
  EXPECT_TRUE(f.takePosts().empty());
}

}  // namespace
