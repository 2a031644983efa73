#include "layout/set_layout_visible.h"

#include <gtest/gtest.h>

#include "layout/container_membership.h"
#include "layout_fixture.h"

namespace {

using layout::SetLayoutVisible;
using layout_test::LayoutForm;
using layout_test::Post;

TEST(ContainerMembership, EveryListedParameterIsARegistryName) {
  LayoutForm f;
  for (const layout::Membership& m : layout::MembershipTable())
    for (const auto* list : {&m.params, &m.inUseWhenShown, &m.outOfUseWhenHidden})
      for (const std::string& p : *list) EXPECT_TRUE(f.registry.contains(p)) << m.container << ": " << p;
}

TEST(ContainerMembership, ChannelRowsCarryTheirDigit) {
  const auto* r = layout::FindMembership("IOLayout2.4.1");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->params, std::vector<std::string>{"1The DIO2 data format"});
  EXPECT_EQ(layout::FindMembership("IOLayout2.7")->params,
            (std::vector<std::string>{"DIO2 upper threshold", "DIO2 lower threshold"}));
  EXPECT_EQ(layout::FindMembership("IOLayout3.7")->params,
            (std::vector<std::string>{"DIO3 ADCType", "DIO3 upper threshold", "DIO3 lower threshold"}));
  EXPECT_EQ(layout::FindMembership("IOLayout1.4"), nullptr);  // encloses rows, holds nothing
  EXPECT_EQ(layout::FindMembership("IO2GroupBox")->outOfUseWhenHidden.size(), 14u);
  EXPECT_EQ(layout::FindMembership("IO3GroupBox")->outOfUseWhenHidden.back(), "DIO3 ADCType");
}

TEST(SetLayoutVisible, MissingContainerChangesNothingAndPostsNothing) {
  LayoutForm f;  // empty tree
  SetLayoutVisible(f.ctx, "ServiceGroupBox", false);
  SetLayoutVisible(f.ctx, "ActivateGroupBox", true);
  EXPECT_TRUE(f.inUse("Server2's Ip"));
  EXPECT_TRUE(f.takePosts().empty());
}

TEST(SetLayoutVisible, RowFlagsFollowVisibilityAndTheLastCallDecides) {
  LayoutForm f;
  f.buildStandardTree();
  SetLayoutVisible(f.ctx, "LoraPower", false);
  EXPECT_FALSE(f.shown("LoraPower"));
  EXPECT_FALSE(f.inUse("LORA Power"));

  // The outer row puts both in use, the inner one then takes the ID out.
  SetLayoutVisible(f.ctx, "ModeHorizontalLayout1", true);
  SetLayoutVisible(f.ctx, "ModeHorizontalLayout1.1", false);
  EXPECT_TRUE(f.inUse("PhoneNO."));
  EXPECT_FALSE(f.inUse("Modem'sID number"));

  // A row inside a hidden box still puts its parameters in use.
  SetLayoutVisible(f.ctx, "DtumanageGroupBox", false);
  SetLayoutVisible(f.ctx, "EquimentLayout1", true);
  EXPECT_TRUE(f.inUse("Dtu manage id"));
  EXPECT_FALSE(f.inUse("dtu is connect to dtu manage platform"));
  EXPECT_TRUE(f.takePosts().empty());
}

struct SpecialCase {
  const char* container;
  bool visible;
  std::vector<Post> posts;
  std::vector<const char*> nowInUse, nowOutOfUse, untouched;
};
// GoogleTest would otherwise print the case's bytes, padding included.
void PrintTo(const SpecialCase& c, std::ostream* os) { *os << c.container << (c.visible ? " shown" : " hidden"); }

class SpecialBoxes : public testing::TestWithParam<SpecialCase> {};

TEST_P(SpecialBoxes, SetWiderFlagsAndPostTheirRule) {
  const SpecialCase& c = GetParam();
  LayoutForm f;
  f.buildStandardTree();
  f.registry.forEach([&](const std::string& n, const params::ParamEntry&) {
    f.registry.setInUse(n, !c.visible);
  });
  SetLayoutVisible(f.ctx, c.container, c.visible);
  EXPECT_EQ(f.shown(c.container), c.visible);
  for (const char* p : c.nowInUse) EXPECT_TRUE(f.inUse(p)) << p;
  for (const char* p : c.nowOutOfUse) EXPECT_FALSE(f.inUse(p)) << p;
  for (const char* p : c.untouched) EXPECT_EQ(f.inUse(p), !c.visible) << p;
  EXPECT_EQ(f.takePosts(), c.posts);
  // Posts repeat on every call, even without a change.
  SetLayoutVisible(f.ctx, c.container, c.visible);
  EXPECT_EQ(f.takePosts(), c.posts);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpecialBoxes,
    testing::Values(
        SpecialCase{"ActivateGroupBox", true, {{1, 0}}, {"SMSActivationNO."}, {},
                    {"ActivationPhoneNO.", "I/O selection", "RegisterInfo"}},
        SpecialCase{"ActivateGroupBox", false, {}, {},
                    {"SMSActivationNO.", "ActivationPhoneNO.", "I/O1 control", "I/O2 control",
                     "I/O3 control", "I/O selection", "IOactivationmethods", "RegisterInfo",
                     "RegistrationReplyInfo", "HeartbeatPacket", "HeartbeatPacketReplyInfo",
                     "ActivationInterface", "DataFormat", "On-line data", "Offline data"},
                    {"I/O1 Mode", "Sms Daemon Password", "ActivateMethod"}},
        SpecialCase{"ServiceGroupBox", true, {{3, 0}}, {"Server's Ip", "Server's Port"}, {},
                    {"Server2's Ip", "Secondary Server's Port"}},
        SpecialCase{"ServiceGroupBox", false, {}, {},
                    {"Secondary Server's Ip", "Secondary Server's Port", "Server2's Ip",
                     "Server2's Port", "Server3's Ip", "Server3's Port", "Server4's Ip",
                     "Server4's Port", "Server5's Ip", "Server5's Port"},
                    {"Server's Ip", "Server's Port"}},
        SpecialCase{"IO2GroupBox", true, {{8, 0}}, {"DIO2 workmode"}, {},
                    {"DIO2 protocol", "DIO2 query command", "DIO1 workmode"}},
        SpecialCase{"IO2GroupBox", false, {}, {},
                    {"DIO2 workmode", "DIO2 protocol", "DIO2 interface", "DIO2 SMS number",
                     "DIO2 reported methods", "DIO2 reported times", "DIO2 query command",
                     "1The DIO2 data format", "DIO2 high level information",
                     "DIO2 low level information", "DIO2 and mapping center",
                     "DIO2 upper threshold", "DIO2 lower threshold", "DIO2 output control result"},
                    {"DIO1 workmode", "DIO3 ADCType"}},
        SpecialCase{"IO3GroupBox", false, {}, {}, {"DIO3 workmode", "DIO3 ADCType"}, {}},
        SpecialCase{"IO1GroupBox", true, {{7, 0}}, {"DIO1 workmode"}, {}, {"DIO1 protocol"}},
        SpecialCase{"IO3GroupBox", true, {{9, 0}}, {"DIO3 workmode"}, {}, {"DIO3 ADCType"}},
        SpecialCase{"ActivateHorizontalLayout5", true, {{10, 0}}, {"I/O selection"}, {}, {}},
        SpecialCase{"ActivateHorizontalLayout5", false, {}, {}, {"I/O selection"}, {}}));

}  // namespace
