#include "diag/self_check.h"

#include <gtest/gtest.h>

using namespace diag;

TEST(Clock, CommandCarriesQuotedLocalTime) {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 3;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  EXPECT_EQ(FormatClockTime(t), "2024/03/03,09:05:07");
  devlink::Job j = ClockJob(FormatClockTime(t));
  EXPECT_EQ(j.type, devlink::WriteSetting);
  EXPECT_EQ(j.command, "AT+EXCCLK=\"2024/03/03,09:05:07\",5\r\n");
  EXPECT_TRUE(j.paramName.empty());
  EXPECT_EQ(FormatLocalTime().size(), 19u);
}

TEST(CustomCommand, NameIsTheCommand) {
  EXPECT_TRUE(IsCustomCommandName("AT+ABC"));
  EXPECT_FALSE(IsCustomCommandName("at+abc"));
  devlink::Job j = CustomCommandJob("AT+ABC");
  EXPECT_EQ(j.command, "AT+ABC\r\n");
  EXPECT_EQ(j.type, devlink::CustomCommand);
}

TEST(NetMode, ValueBetweenTagAndLineEnd) {
  const std::string ok = "\r\n+FINDNETMODE: ABC\r\n\r\nOK\r\n";
  EXPECT_EQ(NetModeValue(ok, static_cast<int>(ok.size())), " ABC");
  EXPECT_EQ(NetModeValue("+FINDNETMODE:LTE", 16), std::nullopt);         // no line end
  EXPECT_EQ(NetModeValue("\r\nOK\r\n", 6), std::nullopt);                // no tag
  std::string longReply = ok + std::string(120 - ok.size(), ' ');
  EXPECT_EQ(NetModeValue(longReply, 120), std::nullopt);                 // over 100 bytes
  EXPECT_EQ(NetModeValue(longReply.substr(0, 100), 100), " ABC");        // exactly 100
}

TEST(NetMode, FieldKeepsTextWhenReplyUnusable) {
  ui::PaintManager pm;
  auto root = std::make_unique<ui::Container>();
  auto edit = std::make_unique<ui::Edit>();
  edit->setName("FINDNETMODE");
  edit->setText("old");
  ui::Control* field = root->add(std::move(edit));
  pm.setRoot(std::move(root));
  ShowNetMode(pm, "\r\nOK\r\n", 6);
  EXPECT_EQ(field->text(), "old");
  ShowNetMode(pm, "+FINDNETMODE:4G\r\nOK", 19);
  EXPECT_EQ(field->text(), "4G");
}
