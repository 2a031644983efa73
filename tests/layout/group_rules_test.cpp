#include "layout/group_rules.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"

namespace {

using layout_test::LayoutForm;
using layout_test::Post;
using Names = std::vector<const char*>;

// ---- Activation method ---------------------------------------------------------

struct ActivationCase {
  const char* label;
  int method, ioMethod;
  Names shown, hidden;
  std::vector<int> posts;  // in posting order
  bool ioTab;              // the rule shows "IOTab" and marks slot 3
  std::vector<bool> ioBoxes;  // IO1..IO3 after the rule (all start hidden)
  int height;
};
// GoogleTest would otherwise print the case's bytes, padding included.
void PrintTo(const ActivationCase& c, std::ostream* os) { *os << c.label; }

const char* const AHL1 = "ActivateHorizontalLayout1";
const char* const AHL12 = "ActivateHorizontalLayout1.2";
const char* const AHL2 = "ActivateHorizontalLayout2";
const char* const AHL3 = "ActivateHorizontalLayout3";
const char* const AHL4 = "ActivateHorizontalLayout4";
const char* const AHL5 = "ActivateHorizontalLayout5";
const char* const AHL6 = "ActivateHorizontalLayout6";
const char* const AHL61 = "ActivateHorizontalLayout6.1";
const char* const AHL611 = "ActivateHorizontalLayout6.1.1";
const char* const AHL612 = "ActivateHorizontalLayout6.1.2";
const char* const AHL7 = "ActivateHorizontalLayout7";
const char* const AHL8 = "ActivateHorizontalLayout8";
const char* const AHL9 = "ActivateHorizontalLayout9";

class ActivationColumns : public testing::TestWithParam<ActivationCase> {};

TEST_P(ActivationColumns, ApplyRowsThenPostsThenTab) {
  const ActivationCase& c = GetParam();
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.setShown({AHL1, AHL12, AHL2, AHL3, AHL4, AHL5, AHL6, AHL61, AHL611, AHL612, AHL7, AHL8, AHL9}, true);
  f.setShown({"IO1GroupBox", "IO2GroupBox", "IO3GroupBox", "IOTab"}, false);
  f.tabs[3].shown = false;
  f.select("ActivateMethod", c.method);
  f.select("IOactivationmethods", c.ioMethod);
  f.run(1);

  for (const char* n : c.shown) EXPECT_TRUE(f.shown(n)) << n;
  for (const char* n : c.hidden) EXPECT_FALSE(f.shown(n)) << n;
  std::vector<int> posts;
  for (const Post& p : f.takePosts()) posts.push_back(p.first);
  EXPECT_EQ(posts, c.posts);
  EXPECT_EQ(f.shown("IOTab"), c.ioTab);
  EXPECT_EQ(f.tabs[3].shown, c.ioTab);
  EXPECT_EQ((std::vector<bool>{f.shown("IO1GroupBox"), f.shown("IO2GroupBox"), f.shown("IO3GroupBox")}),
            c.ioBoxes);
  EXPECT_EQ(f.height("ActivateGroupBox"), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ActivationColumns,
    testing::Values(
        // Every row starts shown; "ActivateHorizontalLayout1.2" is left alone by 0..4.
        ActivationCase{"AUTO", 0, 0, {AHL12},
                       {AHL1, AHL2, AHL3, AHL4, AHL5, AHL6, AHL61, AHL611, AHL612, AHL7, AHL8, AHL9},
                       {7, 8, 9}, true, {true, true, true}, 60},
        ActivationCase{"SMSD", 1, 0, {AHL1, AHL12, AHL61, AHL612, AHL8},
                       {AHL2, AHL3, AHL4, AHL5, AHL6, AHL611, AHL7, AHL9},
                       {7, 8, 9}, true, {true, true, true}, 110},
        ActivationCase{"CTRL", 2, 0, {AHL1, AHL7},
                       {AHL2, AHL3, AHL4, AHL5, AHL6, AHL61, AHL611, AHL612, AHL8, AHL9},
                       {7, 8, 9}, true, {true, true, true}, 85},
        ActivationCase{"DATA", 3, 0, {AHL2, AHL3},
                       {AHL1, AHL4, AHL5, AHL6, AHL61, AHL611, AHL612, AHL7, AHL8, AHL9},
                       {7, 8, 9}, true, {true, true, true}, 110},
        ActivationCase{"MIXD", 4, 0, {AHL1, AHL2, AHL3, AHL61, AHL612, AHL7, AHL8, AHL9},
                       {AHL4, AHL5, AHL6, AHL611},
                       {9, 17, 18}, true, {false, false, true}, 185},
        ActivationCase{"DIO_selection", 5, 0, {AHL4, AHL5},
                       {AHL1, AHL12, AHL2, AHL3, AHL6, AHL61, AHL611, AHL612, AHL7, AHL8, AHL9},
                       {10, 10}, false, {false, false, false}, 110},
        ActivationCase{"DIO_control", 5, 1, {AHL4, AHL6, AHL61, AHL611},
                       {AHL1, AHL12, AHL2, AHL3, AHL5, AHL612, AHL7, AHL8, AHL9},
                       {11, 12, 13}, false, {false, false, false}, 135},
        ActivationCase{"DIO_other", 5, 2, {AHL4, AHL6}, {AHL5}, {11, 12, 13}, false,
                       {false, false, false}, 135},
        ActivationCase{"DIO_none", 5, -1, {AHL4, AHL6}, {AHL5}, {11, 12, 13}, false,
                       {false, false, false}, 135},
        // Nothing selected: only the height.
        ActivationCase{"none", -1, 0, {AHL1, AHL5, AHL9}, {}, {}, false, {false, false, false}, 60}),
    [](const testing::TestParamInfo<ActivationCase>& i) { return std::string(i.param.label); });

TEST(ActivationRule, DioWithoutIoMethodStopsAfterTheCommonRows) {
  LayoutForm f;
  f.addCombo("", "ActivateMethod", {"AUTO", "SMSD", "CTRL", "DATA", "MIXD", "DIO"});
  for (const char* n : {AHL1, AHL4, AHL5, "ActivateGroupBox", "IOTab"}) f.add("", ui::ControlKind::Container, n);
  f.find(AHL4)->setVisible(false);
  f.find("ActivateGroupBox")->setAttribute("height", "999");
  f.select("ActivateMethod", 5);
  f.run(1);
  EXPECT_FALSE(f.shown(AHL1));
  EXPECT_TRUE(f.shown(AHL4));
  EXPECT_TRUE(f.shown(AHL5));  // left for after the I/O method
  EXPECT_TRUE(f.takePosts().empty());
  EXPECT_EQ(f.height("ActivateGroupBox"), 999);
}

// ---- Number of servers -----------------------------------------------------------

struct ServerCase {
  const char* label;
  std::string text;
  std::string deviceType;
  std::vector<bool> rows;  // "ServiceHorizontalLayout0".."6"; empty: untouched
  const char* titleKey;    // in "ModeTabItemChange"; null: both texts untouched
  const char* labelKey;
  int box, box2;
};
void PrintTo(const ServerCase& c, std::ostream* os) { *os << c.label; }

class ServerCountColumns : public testing::TestWithParam<ServerCase> {};

TEST_P(ServerCountColumns, ShowTheServersOfTheCount) {
  const ServerCase& c = GetParam();
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.setShown({"ServiceHorizontalLayout0", "ServiceHorizontalLayout1", "ServiceHorizontalLayout2",
              "ServiceHorizontalLayout3", "ServiceHorizontalLayout4", "ServiceHorizontalLayout5",
              "ServiceHorizontalLayout6"}, true);
  f.combo("ThePPPauthentication")->addItem("7");
  f.find("ServerTitle")->setText("before");
  f.find("Server's Label")->setText("before");
  f.registry.setValue("Device Type", c.deviceType);
  f.selectText("ThePPPauthentication", c.text);
  EXPECT_EQ(f.run(3), 0);
  EXPECT_TRUE(f.messageBoxes.empty());
  for (int i = 0; i <= 6; ++i) {
    const std::string row = "ServiceHorizontalLayout" + std::to_string(i);
    EXPECT_EQ(f.shown(row), c.rows.empty() ? true : c.rows[i]) << row;
  }
  EXPECT_EQ(f.find("ServerTitle")->text(), c.titleKey ? f.text("ModeTabItemChange", c.titleKey) : "before");
  EXPECT_EQ(f.find("Server's Label")->text(),
            c.labelKey ? f.text("ModeTabItemChange", c.labelKey) : "before");
  EXPECT_EQ(f.height("ServiceGroupBox"), c.box);
  EXPECT_EQ(f.height("ServiceGroupBox2"), c.box2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ServerCountColumns,
    testing::Values(
        ServerCase{"zero_on_K4x70", "0", "DTU-K4x70-G", {0, 0, 0, 0, 0, 0, 1},
                   "ServerTitle1", "Server's Label1", 60, 110},
        ServerCase{"one", "1", "K9x40", {1, 1, 0, 0, 0, 0, 1}, "ServerTitle1", "Server's Label1", 110, 110},
        ServerCase{"two", "2", "K9x40", {1, 0, 1, 0, 0, 0, 0}, "ServerTitle2", "Server's Label2", 110, 85},
        ServerCase{"three", "3", "K9x40", {1, 0, 1, 1, 0, 0, 0}, "ServerTitle2", "Server's Label2", 135, 85},
        ServerCase{"four", "4", "K9x40", {1, 0, 1, 1, 1, 0, 0}, "ServerTitle2", "Server's Label2", 160, 85},
        ServerCase{"five", "5", "K9x40", {1, 0, 1, 1, 1, 1, 0}, "ServerTitle2", "Server's Label2", 185, 85},
        ServerCase{"unknown_text", "7", "K9x40", {}, nullptr, nullptr, 60, 110}),
    [](const testing::TestParamInfo<ServerCase>& i) { return std::string(i.param.label); });

TEST(ServerCountRule, ZeroServersOnOtherDevicesFallBackToOne) {
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.postOnItemSelect("ThePPPauthentication", 3);
  f.registry.setValue("Device Type", "K9x40-k4x70");  // the test is case-sensitive
  f.select("ThePPPauthentication", 0);
  f.find("ServiceHorizontalLayout2")->setVisible(true);
  f.find("ServiceGroupBox")->setAttribute("height", "999");

  EXPECT_EQ(f.run(3), 1);
  ASSERT_FALSE(f.text("Notify", "ServerCount").empty());
  EXPECT_EQ(f.messageBoxes, std::vector<std::string>{f.text("Notify", "ServerCount")});
  EXPECT_EQ(f.combo("ThePPPauthentication")->currentSelection(), 1);
  EXPECT_EQ(f.height("ServiceGroupBox"), 999);  // the refused run lays out nothing

  EXPECT_EQ(f.drain(), (std::vector<Post>{{3, 0}}));  // the changed index raised group 3 again
  EXPECT_TRUE(f.shown("ServiceHorizontalLayout0"));
  EXPECT_TRUE(f.shown("ServiceHorizontalLayout1"));
  EXPECT_FALSE(f.shown("ServiceHorizontalLayout2"));
  EXPECT_TRUE(f.shown("ServiceHorizontalLayout6"));
  EXPECT_EQ(f.height("ServiceGroupBox"), 110);
  EXPECT_EQ(f.height("ServiceGroupBox2"), 110);
  EXPECT_EQ(f.messageBoxes.size(), 1u);
}

TEST(ServerCountRule, ZeroServersOnK4x70TakeAllServersOutOfUse) {
  LayoutForm f;
  f.buildStandardTree();
  f.registry.setValue("Device Type", "K4x70");
  f.select("ThePPPauthentication", 0);
  f.run(3);
  for (const char* p : {"Server's Ip", "Server's Port", "Secondary Server's Ip", "Server2's Port",
                        "Server3's Ip", "Server4's Ip", "Server5's Port"})
    EXPECT_FALSE(f.inUse(p)) << p;
}

TEST(ServerCountRule, NeedsTheTitleAndLabel) {
  LayoutForm f;
  f.addCombo("", "ThePPPauthentication", {"0", "1"});
  f.add("", ui::ControlKind::Label, "ServerTitle");
  f.add("", ui::ControlKind::HorizontalLayout, "ServiceHorizontalLayout1")->setVisible(false);
  f.select("ThePPPauthentication", 0);
  EXPECT_EQ(f.run(3), 0);  // no "Server's Label": nothing, not even the refusal
  EXPECT_TRUE(f.messageBoxes.empty());
  EXPECT_FALSE(f.shown("ServiceHorizontalLayout1"));
}

// ---- Switch rows, debug output -----------------------------------------------------

struct SwitchCase {
  int group;
  const char* sw;
  int index;
  const char* row;
  bool shown;
  const char* box;
  int height;
};
void PrintTo(const SwitchCase& c, std::ostream* os) { *os << "group " << c.group << " " << c.sw << " item " << c.index; }

class SwitchRows : public testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchRows, RowAndBoxHeightFollowTheSwitch) {
  const SwitchCase& c = GetParam();
  LayoutForm f;
  f.buildStandardTree();
  f.select(c.sw, c.index);
  f.find(c.row)->setVisible(!c.shown);
  f.run(c.group);
  EXPECT_EQ(f.shown(c.row), c.shown);
  EXPECT_EQ(f.height(c.box), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SwitchRows,
    testing::Values(
        SwitchCase{4, "LCP ECHO", 0, "GlobalHorizontalLayout1", false, "PPPGroupBox", 60},
        SwitchCase{4, "LCP ECHO", 2, "GlobalHorizontalLayout1", true, "PPPGroupBox", 85},
        SwitchCase{4, "LCP ECHO", -1, "GlobalHorizontalLayout1", true, "PPPGroupBox", 85},
        SwitchCase{5, "EXFUN", 0, "GlobalHorizontalLayout2", false, "ICMPGroupBox", 60},
        SwitchCase{5, "EXFUN", 1, "GlobalHorizontalLayout2", true, "ICMPGroupBox", 110},
        SwitchCase{6, "dtu is connect to dtu manage platform", 0, "EquimentLayout1", false,
                   "DtumanageGroupBox", 60},
        SwitchCase{6, "dtu is connect to dtu manage platform", 2, "EquimentLayout1", true,
                   "DtumanageGroupBox", 110},
        SwitchCase{14, "DTU SMS configure fun", 1, "EquimentLayout2", true, "DtumanageGroupBox1", 110},
        SwitchCase{14, "DTU SMS configure fun", 2, "EquimentLayout2", false, "DtumanageGroupBox1", 60},
        SwitchCase{14, "DTU SMS configure fun", -1, "EquimentLayout2", false, "DtumanageGroupBox1", 60}));

TEST(DebugOutputRule, OnlyLevelZeroHidesThePort) {
  for (auto [index, shown] : {std::pair{0, false}, {1, true}, {-1, true}}) {
    LayoutForm f;
    f.buildStandardTree();
    f.select("Debug Level", index);
    f.find("DebugHorizontalLayout1")->setVisible(!shown);
    f.run(2);
    EXPECT_EQ(f.shown("DebugHorizontalLayout1"), shown) << index;
    EXPECT_EQ(f.inUse("Debugging  port"), shown) << index;
  }
}

// ---- LoRa rows ----------------------------------------------------------------------

struct LoraCase {
  const char* mode;
  const char* version;
  bool layout, pid, power;
  int height;
};
void PrintTo(const LoraCase& c, std::ostream* os) { *os << c.mode << " \"" << c.version << "\""; }

class LoraRows : public testing::TestWithParam<LoraCase> {};

TEST_P(LoraRows, ModeAndVersionDecideRowsAndHeight) {
  const LoraCase& c = GetParam();
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.selectText("LORA Mode", c.mode);
  f.loraVersion = c.version;
  f.run(17);
  EXPECT_EQ(f.shown("LoraLayout"), c.layout);
  EXPECT_EQ(f.shown("LoraPID"), c.pid);
  EXPECT_EQ(f.shown("LoraPower"), c.power);
  EXPECT_FALSE(f.shown("LoraType"));
  EXPECT_EQ(f.inUse("LORA TAddr"), c.layout);
  EXPECT_EQ(f.inUse("LORA pid"), c.pid);
  EXPECT_EQ(f.inUse("LORA Power"), c.power);
  EXPECT_FALSE(f.inUse("LORA typ"));
  EXPECT_EQ(f.height("LoraGroupBox"), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoraRows,
    testing::Values(LoraCase{"TRNS", "", true, true, true, 260},
                    LoraCase{"TRNS", "K6R20T-W 2.0", true, true, false, 235},
                    LoraCase{"TRNS", "Lv1.3", true, false, true, 235},
                    LoraCase{"TRNS", "K6R20T-Wv10", true, false, false, 210},
                    LoraCase{"FIXD", "V1.0", false, true, true, 235},  // upper case does not count
                    LoraCase{"FIXD", "K6R20T-W", false, true, false, 210},
                    LoraCase{"FIXD", "2.v1", false, false, true, 210},
                    LoraCase{"FIXD", "v1 K6R20T-W", false, false, false, 185}));

}  // namespace
