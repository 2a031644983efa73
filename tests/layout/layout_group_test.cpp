#include "layout/layout_group.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"

namespace {

using layout_test::LayoutForm;
using layout_test::Post;

TEST(OnLayoutGroup, GroupsOutsideTheTableDoNothing) {
  LayoutForm f;
  f.buildStandardTree();
  f.find("ModeGroupBox")->setAttribute("height", "999");
  for (int g : {20, 21, -1, 1100}) EXPECT_EQ(f.run(g), 0) << g;
  EXPECT_TRUE(f.takePosts().empty());
  EXPECT_EQ(f.height("ModeGroupBox"), 999);
}

TEST(OnLayoutGroup, EveryGroupRunsOnAnEmptyForm) {
  LayoutForm f;  // nothing to find: every rule must skip quietly
  for (int g = 0; g < layout::kLayoutGroupCount; ++g) EXPECT_EQ(f.run(g, 2), 0) << g;
  EXPECT_TRUE(f.takePosts().empty());
}

// After a report the window posts the groups of changed selections, then 1 and 17.
TEST(ReportCascade, WithoutChangedSelectionsActivationRunsBeforeLora) {
  LayoutForm f;
  f.buildStandardTree();
  f.select("ActivateMethod", 0);
  f.ctx.postLayoutGroup(1, 0);
  f.ctx.postLayoutGroup(17, 0);
  EXPECT_EQ(f.drain(), (std::vector<Post>{{1, 0}, {17, 0}, {7, 0}, {8, 0}, {9, 0}}));
}

TEST(ReportCascade, TransparentModeFromAReportKeepsTheIoTab) {
  LayoutForm f;
  f.buildStandardTree();
  f.select("ActivateMethod", 2);
  f.select("ThePPPauthentication", 2);
  f.select("Protocolmodel", 3);
  f.ctx.postLayoutGroup(0, 0);  // "Protocolmodel" changed
  f.ctx.postLayoutGroup(1, 0);
  f.ctx.postLayoutGroup(17, 0);
  EXPECT_EQ(f.drain(), (std::vector<Post>{{0, 0}, {1, 0}, {17, 0}, {3, 0}, {7, 0}, {8, 0}, {9, 0}}));
  EXPECT_TRUE(f.shown("IOTab"));
  EXPECT_TRUE(f.tabs[3].shown);
  EXPECT_FALSE(f.tabs[1].shown);
  EXPECT_EQ(f.height("ServiceGroupBox"), 110);  // two servers
}

TEST(ReportCascade, TransparentModeChosenByTheUserHidesTheIoTab) {
  LayoutForm f;
  f.buildStandardTree();
  f.select("Protocolmodel", 3);
  f.ctx.postLayoutGroup(0, 0);
  f.drain();
  EXPECT_FALSE(f.shown("IOTab"));
  EXPECT_FALSE(f.tabs[3].shown);
}

}  // namespace
