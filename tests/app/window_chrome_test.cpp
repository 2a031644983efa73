#include "app/window_chrome.h"

#include <gtest/gtest.h>

#include "app/line_settings.h"

using namespace app;

TEST(CaptionHitTest, OnlyEmptyCaptionDrags) {
  CaptionRect caption{0, 0, 0, 36};
  ui::Label label;
  ui::Button button;
  ui::HorizontalLayout bar;
  EXPECT_EQ(CaptionHitTest(10, 10, 1400, caption, &bar), HTCAPTION);
  EXPECT_EQ(CaptionHitTest(10, 10, 1400, caption, &label), HTCLIENT);
  EXPECT_EQ(CaptionHitTest(10, 10, 1400, caption, &button), HTCLIENT);
  EXPECT_EQ(CaptionHitTest(10, 36, 1400, caption, &bar), HTCLIENT);  // below the band
  EXPECT_EQ(CaptionHitTest(10, 10, 1400, caption, nullptr), HTCLIENT);
  EXPECT_EQ(CaptionHitTest(1395, 10, 1400, CaptionRect{0, 0, 10, 36}, &bar), HTCLIENT);
}

TEST(LogPane, ClearsBeforeReachingLimit) {
  ui::RichEdit pane;
  pane.setLimitText(kLogTextLimit);
  AppendToLogPane(pane, std::string(299990, 'a'));
  AppendToLogPane(pane, "12345678");  // 299998: still below 299999
  EXPECT_EQ(pane.textLength(), 299998);
  AppendToLogPane(pane, "x");  // would reach 299999
  EXPECT_EQ(pane.text(), "x");
}

TEST(LineSettings, RefusesWhatCannotBeOpened) {
  struct Case {
    const char *port, *baud, *format;
    const char* errorKey;  // null: accepted
  } cases[] = {
      {"/dev/ttyUSB0", "115200", "8N1", nullptr},
      {"/dev/ttyUSB0", "4800", "7E2", nullptr},
      {"", "9600", "8N1", "NotADevice"},
      {"/dev/ttyUSB0", "0", "8N1", "BadBaudRate"},
      {"/dev/ttyUSB0", "fast", "8N1", "BadBaudRate"},
      {"/dev/ttyUSB0", "-9600", "8N1", "BadBaudRate"},
      {"/dev/ttyUSB0", "9600", "", "NoLineFormat"},
      {"/dev/ttyUSB0", "9600", "8N", "NoLineFormat"},
  };
  for (const auto& c : cases) {
    LineSettingsError e;
    auto s = ParseLineSettings(c.port, c.baud, c.format, &e);
    if (!c.errorKey) {
      ASSERT_TRUE(s) << c.format;
      EXPECT_EQ(s->port, c.port);
    } else {
      EXPECT_FALSE(s) << c.baud << c.format;
      EXPECT_EQ(e.key, c.errorKey);
    }
  }
  auto s = ParseLineSettings("/dev/x", " 4800baud", "7E2", nullptr);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->baud, 4800);
  EXPECT_EQ(s->dataBits, 7);
  EXPECT_EQ(s->parity, 'E');
  EXPECT_EQ(s->stopBits, 2);
}
