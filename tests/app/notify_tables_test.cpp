#include "app/notify_tables.h"

#include <gtest/gtest.h>

using namespace app;

TEST(ClickTable, FirstMatchInOrder) {
  const std::pair<const char*, ClickAction> cases[] = {
      {"Open", ClickAction::Open},
      {"Load", ClickAction::Load},
      {"CSQ", ClickAction::QuerySignal},
      {"GetVer", ClickAction::QueryVersion},
      {"AT+ABC", ClickAction::CustomCommand},
      {"xAT+", ClickAction::CustomCommand},
      {"at+abc", ClickAction::None},           // case matters
      {"quit", ClickAction::Quit},
      {"TabRight", ClickAction::TabRight},
      {"GPRS2COM", ClickAction::DirectionToggle},
      {"open", ClickAction::None},
      {"", ClickAction::None},
  };
  for (auto [name, action] : cases) EXPECT_EQ(ClassifyClick(name), action) << name;
}

TEST(ItemSelectTable, PostsGroupsInOrder) {
  using P = std::vector<LayoutPost>;
  EXPECT_EQ(ItemSelectPosts("DeviceModel", 3).posts, (P{{0, 0}}));
  EXPECT_EQ(ItemSelectPosts("DIO2 protocol", 0).posts, (P{{8, 0}}));
  EXPECT_EQ(ItemSelectPosts("1The DIO3 data format", 0).posts, (P{{16, 3}}));
  EXPECT_EQ(ItemSelectPosts("I/O1 Mode", 0).posts, (P{{19, 0}}));
  EXPECT_EQ(ItemSelectPosts("IOactivationmethods", 0).posts, (P{{1, 0}, {10, 0}}));
  EXPECT_EQ(ItemSelectPosts("IOactivationmethods", 1).posts, (P{{1, 0}, {11, 0}, {12, 0}, {13, 0}}));
  EXPECT_EQ(ItemSelectPosts("IOactivationmethods", 2).posts, (P{{1, 0}}));
  EXPECT_TRUE(ItemSelectPosts("SerialPort", 0).posts.empty());
  EXPECT_TRUE(ItemSelectPosts("Language", 1).switchLanguage);
  EXPECT_TRUE(ItemSelectPosts("Language", 1).posts.empty());
}
