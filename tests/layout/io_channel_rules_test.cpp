#include "layout/io_channel_rules.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"

namespace {

using layout_test::kDioText;
using layout_test::LayoutForm;
using layout_test::Post;
using Suffixes = std::vector<const char*>;

// ---- Channel rows -----------------------------------------------------------------

struct ChannelCase {
  const char* label;
  int channel, workmode;  // workmode: item 0..4 ("Text1".."Text5"), -1 none
  int iface, report, protocol;
  Suffixes shown, hidden;
  int height;
};
// GoogleTest would otherwise print the case's bytes, padding included.
void PrintTo(const ChannelCase& c, std::ostream* os) { *os << c.label; }

const Suffixes kAll = {".1", ".2", ".2.1", ".3", ".3.1", ".3.2", ".4", ".4.1", ".4.2", ".5", ".6", ".7"};

class ChannelTable : public testing::TestWithParam<ChannelCase> {};

TEST_P(ChannelTable, RowsAndHeightFollowTheChannelSettings) {
  const ChannelCase& c = GetParam();
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  const std::string d = std::to_string(c.channel);
  for (const char* s : kAll) f.setShown({"IOLayout" + d + s}, true);
  // By text: channel 3 lists its modes in another order.
  if (c.workmode < 0)
    f.select("DIO" + d + " workmode", -1);
  else
    f.selectText("DIO" + d + " workmode", f.text("DIO workmode", "Text" + std::to_string(c.workmode + 1)));
  f.select("DIO" + d + " interface", c.iface);
  f.select("DIO" + d + " reported methods", c.report);
  f.select("DIO" + d + " protocol", c.protocol);
  f.run(6 + c.channel);
  for (const char* s : c.shown) EXPECT_TRUE(f.shown("IOLayout" + d + s)) << s;
  for (const char* s : c.hidden) EXPECT_FALSE(f.shown("IOLayout" + d + s)) << s;
  EXPECT_EQ(f.height("IO" + d + "GroupBox"), c.height);
  EXPECT_TRUE(f.takePosts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChannelTable,
    testing::Values(
        ChannelCase{"Text1", 1, 0, 3, 1, 1, {}, kAll, 60},
        ChannelCase{"Text2_sms_timed_protocol1", 1, 1, 3, 1, 1,
                    {".1", ".2", ".2.1", ".3", ".3.1", ".4", ".4.1", ".5"},
                    {".3.2", ".4.2", ".6", ".7"}, 160},
        ChannelCase{"Text2_query_protocol0", 2, 1, 0, 0, 0, {".1", ".2", ".3", ".3.2"},
                    {".2.1", ".3.1", ".4", ".4.1", ".4.2", ".5", ".6", ".7"}, 110},
        ChannelCase{"Text2_report2_hides_both", 1, 1, 1, 2, 1, {".3"}, {".3.1", ".3.2"}, 160},
        ChannelCase{"Text2_report_none_hides_both", 1, 1, 1, -1, 1, {".3"}, {".3.1", ".3.2"}, 160},
        ChannelCase{"Text2_channel3", 3, 1, 3, 1, 0, {".2", ".2.1", ".3.1"}, {".4", ".5"}, 110},
        ChannelCase{"Text3_protocol1", 1, 2, 3, 1, 1, {".1", ".2", ".2.1", ".4", ".4.1", ".4.2", ".5"},
                    {".3", ".3.1", ".3.2", ".6", ".7"}, 135},
        ChannelCase{"Text3_protocol1_channel3", 3, 2, 0, 1, 1, {".4", ".4.1"}, {".2.1", ".3"}, 135},
        ChannelCase{"Text3_protocol0_channel1", 1, 2, 0, 1, 0, {".1", ".2", ".4", ".4.2"},
                    {".2.1", ".3", ".3.1", ".3.2", ".4.1", ".5", ".6", ".7"}, 110},
        ChannelCase{"Text3_protocol0_channel2", 2, 2, 0, 1, 0, {".4", ".4.2"}, {".4.1", ".5"}, 110},
        ChannelCase{"Text3_protocol0_channel3", 3, 2, 0, 1, 0, {".4", ".4.2"}, {".4.1", ".5"}, 85},
        ChannelCase{"Text4", 2, 3, 3, 1, 1, {".6"},
                    {".1", ".2", ".2.1", ".3", ".3.1", ".3.2", ".4", ".4.1", ".4.2", ".5", ".7"}, 85},
        ChannelCase{"Text5_channel1", 1, 4, 3, 1, 1, {".7"},
                    {".1", ".2", ".2.1", ".3", ".3.1", ".3.2", ".4", ".4.1", ".4.2", ".5", ".6"}, 85},
        ChannelCase{"Text5_channel3", 3, 4, 3, 1, 1, {".2", ".7"},
                    {".1", ".2.1", ".3", ".3.1", ".3.2", ".4", ".4.1", ".4.2", ".5", ".6"}, 135},
        // No matching text: rows stay as the skin has them.
        ChannelCase{"no_workmode", 1, -1, 3, 1, 1, kAll, {}, 60}),
    [](const testing::TestParamInfo<ChannelCase>& i) { return std::string(i.param.label); });

TEST(ChannelRule, FlagsOfTheSmsTimedProtocolOneLayout) {
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.select("DIO1 workmode", 1);
  f.select("DIO1 interface", 3);
  f.select("DIO1 reported methods", 1);
  f.select("DIO1 protocol", 1);
  f.run(7);
  for (const char* p : {"DIO1 SMS number", "DIO1 reported times", "1The DIO1 data format",
                        "DIO1 high level information", "DIO1 low level information"})
    EXPECT_TRUE(f.inUse(p)) << p;
  for (const char* p : {"DIO1 query command", "DIO1 output control result", "DIO1 and mapping center",
                        "DIO1 upper threshold"})
    EXPECT_FALSE(f.inUse(p)) << p;
}

TEST(ChannelRule, Channel3ThresholdRowCarriesTheAdcType) {
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.selectText("DIO3 workmode", f.text("DIO workmode", "Text5"));
  f.run(9);
  EXPECT_TRUE(f.inUse("DIO3 ADCType"));
  EXPECT_TRUE(f.inUse("DIO3 interface"));
  f.select("DIO3 workmode", 0);
  f.run(9);
  EXPECT_FALSE(f.inUse("DIO3 ADCType"));
}

TEST(ChannelRule, MissingSelectorsLeaveTheirRowsAlone) {
  LayoutForm f;
  f.addCombo("", "DIO1 workmode", {kDioText, kDioText + 5});
  for (const char* s : {".2.1", ".3.1", ".3.2", ".4", ".4.1", ".5", ".1"})
    f.add("", ui::ControlKind::HorizontalLayout, std::string("IOLayout1") + s)->setVisible(false);
  f.add("", ui::ControlKind::GroupBox, "IO1GroupBox");
  f.select("DIO1 workmode", 1);
  f.run(7);
  EXPECT_TRUE(f.shown("IOLayout1.1"));
  for (const char* s : {".2.1", ".3.1", ".3.2", ".4", ".4.1", ".5"})
    EXPECT_FALSE(f.shown(std::string("IOLayout1") + s)) << s;
  EXPECT_EQ(f.height("IO1GroupBox"), 60);  // no protocol selector
}

// ---- Selection, control and mode rules --------------------------------------------------

TEST(IoSelectionRule, OnScreenHidesTheChosenChannelAndOffersTheTab) {
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.setShown({"IOTab"}, false);
  f.tabs[3].shown = false;
  f.select("ActivateMethod", 5);       // "DIO"
  f.select("IOactivationmethods", 0);  // shows the selection row
  f.select("I/O selection", 1);
  f.ctx.postLayoutGroup(1, 0);
  EXPECT_EQ(f.drain(), (std::vector<Post>{{1, 0}, {10, 0}, {10, 0}, {7, 0}, {9, 0}, {7, 0}, {9, 0}}));
  EXPECT_TRUE(f.shown("IO1GroupBox"));
  EXPECT_FALSE(f.shown("IO2GroupBox"));
  EXPECT_TRUE(f.shown("IO3GroupBox"));
  EXPECT_FALSE(f.inUse("DIO2 workmode"));
  EXPECT_TRUE(f.inUse("I/O selection"));
  EXPECT_TRUE(f.shown("IOTab"));
  EXPECT_TRUE(f.tabs[3].shown);
}

TEST(IoSelectionRule, OffScreenShowsAllBoxesAndLeavesTheTab) {
  for (bool otherPage : {false, true}) {
    LayoutForm f;
    ASSERT_TRUE(f.loadEnglishSkin());
    f.setShown({"ActivateGroupBox"}, true);
    f.setShown({"ActivateHorizontalLayout5"}, otherPage);  // a hidden row, or another page
    if (otherPage) f.selectPage(3);
    f.setShown({"IOTab", "IO2GroupBox"}, false);
    f.tabs[3].shown = false;
    f.select("I/O selection", 1);
    f.run(10);
    EXPECT_TRUE(f.shown("IO2GroupBox"));
    EXPECT_EQ(f.takePosts(), (std::vector<Post>{{7, 0}, {8, 0}, {9, 0}}));
    EXPECT_FALSE(f.shown("IOTab"));
    EXPECT_FALSE(f.tabs[3].shown);
  }
}

TEST(IoControlRule, CentreIndexTakesTheChannelOffThePage) {
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.select("ActivateMethod", 5);       // "DIO"
  f.select("IOactivationmethods", 1);  // shows the three control rows
  f.select("I/O1 control", 0);
  f.select("I/O2 control", 3);
  f.select("I/O3 control", 5);
  f.ctx.postLayoutGroup(1, 0);
  EXPECT_EQ(f.drain(), (std::vector<Post>{{1, 0}, {11, 0}, {12, 0}, {13, 0}}));
  f.takePosts();
  for (const char* box : {"IO1GroupBox", "IO2GroupBox", "IO3GroupBox"}) EXPECT_FALSE(f.shown(box)) << box;
  EXPECT_FALSE(f.inUse("DIO2 protocol"));
  EXPECT_FALSE(f.inUse("DIO2 output control result"));
  EXPECT_FALSE(f.shown("IOTab"));  // all three lines mapped
  EXPECT_FALSE(f.tabs[3].shown);

  f.selectText("I/O2 control", "None");
  f.run(12);
  EXPECT_TRUE(f.shown("IO2GroupBox"));
  EXPECT_EQ(f.takePosts(), (std::vector<Post>{{8, 0}}));
  EXPECT_TRUE(f.shown("IOTab"));
  EXPECT_TRUE(f.tabs[3].shown);

  f.select("I/O2 control", -1);  // nothing selected leaves the line free
  f.setShown({"IO2GroupBox"}, false);
  f.run(12);
  EXPECT_TRUE(f.shown("IO2GroupBox"));
}

TEST(IoControlRule, OffScreenShowsTheBoxWithoutTouchingTheTab) {
  LayoutForm f;
  f.buildStandardTree();
  f.selectPage(1);
  for (const char* n : {"I/O1 control", "I/O2 control", "I/O3 control"}) f.select(n, 0);
  f.find("IO3GroupBox")->setVisible(false);
  f.find("IOTab")->setVisible(false);
  f.tabs[3].shown = false;
  f.run(13);
  EXPECT_TRUE(f.shown("IO3GroupBox"));
  EXPECT_FALSE(f.shown("IOTab"));
  EXPECT_FALSE(f.tabs[3].shown);
}

TEST(UpdateIoPage, NeedsAllThreeSelectors) {
  LayoutForm f;
  f.add("", ui::ControlKind::Button, "IOTab");
  f.addCombo("", "I/O1 control", {"C1", "None"});
  f.addCombo("", "I/O2 control", {"C1", "None"});
  f.select("I/O1 control", 0);
  f.select("I/O2 control", 0);
  layout::UpdateIoPage(f.ctx);
  EXPECT_TRUE(f.shown("IOTab"));
  f.addCombo("", "I/O3 control", {"C1", "None"});
  f.select("I/O3 control", 1);
  layout::UpdateIoPage(f.ctx);
  EXPECT_TRUE(f.shown("IOTab"));  // two mapped, one free
  f.select("I/O3 control", 0);
  layout::UpdateIoPage(f.ctx);
  EXPECT_FALSE(f.shown("IOTab"));
  EXPECT_FALSE(f.tabs[3].shown);
}

TEST(IoModeRule, ModeTwoThenModeOne) {
  LayoutForm f;
  ASSERT_TRUE(f.loadEnglishSkin());
  f.select("ActivateMethod", 4);  // "MIXD" shows the mode row and posts 18
  f.select("I/O2 Mode", 2);
  f.select("I/O1 Mode", 0);
  f.setShown({"IO1GroupBox"}, false);
  f.ctx.postLayoutGroup(1, 0);
  EXPECT_EQ(f.drain(), (std::vector<Post>{{1, 0}, {9, 0}, {17, 0}, {18, 0}, {7, 0}}));
  EXPECT_FALSE(f.shown("IO2GroupBox"));
  EXPECT_TRUE(f.shown("IO1GroupBox"));
  EXPECT_TRUE(f.shown("IO3GroupBox"));

  f.select("I/O1 Mode", 1);
  f.run(19);
  EXPECT_FALSE(f.shown("IO1GroupBox"));
}

TEST(IoModeRule, OffScreenShowsTheBox) {
  LayoutForm f;
  f.buildStandardTree();
  f.selectPage(3);
  f.select("I/O2 Mode", 2);
  f.select("I/O1 Mode", 2);
  f.find("IO1GroupBox")->setVisible(false);
  f.find("IO2GroupBox")->setVisible(false);
  f.run(18);
  EXPECT_TRUE(f.shown("IO2GroupBox"));
  EXPECT_FALSE(f.shown("IO1GroupBox"));  // group 18 stops before channel 1
  f.run(19);
  EXPECT_TRUE(f.shown("IO1GroupBox"));
}

// ---- Data format ----------------------------------------------------------------------------

constexpr const char* kFields[] = {"DIO2 query command", "DIO2 output control result",
                                   "DIO2 high level information", "DIO2 low level information"};

void FillChannel2(LayoutForm& f, const char* reportedFormat) {
  ASSERT_TRUE(f.loadEnglishSkin());
  f.registry.setValue("1The DIO2 data format", reportedFormat);
  for (const char* n : kFields) {
    f.registry.setValue(n, std::string("reported ") + n);
    f.find(n)->setText("typed");
  }
}

TEST(ApplyDataFormat, OtherFormatEmptiesTheFieldsAndTheReportedOneRestoresThem) {
  LayoutForm f;
  FillChannel2(f, "1");
  f.select("1The DIO2 data format", 0);
  f.run(16, 2);
  for (const char* n : kFields) EXPECT_EQ(f.find(n)->text(), "") << n;
  f.find(kFields[0])->setText("typed again");
  f.select("1The DIO2 data format", 1);
  f.run(15, 2);  // 15 behaves as 16
  for (const char* n : kFields) EXPECT_EQ(f.find(n)->text(), std::string("reported ") + n) << n;
}

TEST(ApplyDataFormat, NonNumericReportReadsAsZero) {
  LayoutForm f;
  FillChannel2(f, "hex");
  f.select("1The DIO2 data format", 0);
  f.run(16, 2);
  EXPECT_EQ(f.find(kFields[2])->text(), std::string("reported ") + kFields[2]);
}

TEST(ApplyDataFormat, ChannelWithoutSelectorsOrOutsideOneToThreeChangesNothingElse) {
  LayoutForm f;
  FillChannel2(f, "1");
  for (int channel : {0, 4, -1}) f.run(16, channel);
  for (const char* n : kFields) EXPECT_EQ(f.find(n)->text(), "typed");
}

}  // namespace
