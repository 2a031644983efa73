// The layout rules on the real English skin, driven by reports from a
// simulated terminal: what the form shows, and what a Save then writes.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless_shell.h"
#include "app/shell_fixture.h"
#include "layout/layout_group.h"
#include "sim/simulator.h"

namespace {

sim::SimOptions FastTerminal() {
  sim::SimOptions o;
  o.powerOn = sim::PowerOn::EveryOpen;
  o.timeScale = 0.02;
  o.pace = false;
  return o;
}

app::ShellOptions EnglishTool(const apptest::TempDir& dir) {
  app::ShellOptions o;
  o.programDir = dir.path;
  o.skinDir = std::filesystem::path(K9X40_SOURCE_DIR) / "skin/ConifgENRes";
  o.helpFile = dir.path / "Help.txt";
  o.timing = apptest::FastTiming();
  o.hooks.layoutGroup = [](params::FormContext& c, int g, int a) { return layout::OnLayoutGroup(c, g, a); };
  return o;
}

std::vector<std::string> Writes(const sim::Simulator& t, std::size_t from) {
  std::vector<std::string> w;
  const auto cmds = t.commands();
  for (std::size_t i = from; i < cmds.size(); ++i)
    if (cmds[i].find('=') != std::string::npos) w.push_back(cmds[i]);
  return w;
}

struct Layout {
  std::array<bool, 11> tabs{};
  int modeHeight = 0, serialHeight = 0;
  bool ioTabButton = false;
  std::vector<bool> rows;  // visibility of kRows
};

const char* const kRows[] = {"ModeHorizontalLayout1", "ModeHorizontalLayout1.1", "ModeHorizontalLayout2",
                             "ModeHorizontalLayout8", "ModeLayout1.1", "ModeLayout1.2", "HttpLayout",
                             "MQTTLayout", "ActivateGroupBox", "ServiceGroupBox", "DtumanageGroupBox",
                             "bindingCenterGroupBox"};

class LayoutEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tool.skinLoaded());
    ASSERT_TRUE(terminal.start());
    ASSERT_TRUE(tool.openPort(terminal.devicePath()));
    ASSERT_TRUE(tool.waitForConfigMode(5000)) << tool.logText();
    ASSERT_TRUE(ready());
  }
  // Rules post further rules; each settle drains one more round of them.
  bool ready() {
    if (!tool.waitIdle(10000)) return false;
    for (int i = 0; i < 8; ++i)
      if (!tool.settle()) return false;
    return tool.waitIdle(10000);
  }
  void load() {
    ASSERT_TRUE(tool.click("Load"));
    ASSERT_TRUE(ready());
  }
  Layout layout() {
    return tool.ui([](app::CK9X40FrameWnd& f) {
      Layout l;
      for (int i = 0; i < 11; ++i) l.tabs[i] = f.tabs()[i].shown;
      auto height = [&](const char* n) {
        ui::Control* c = f.pm().findControl(n);
        return c ? std::atoi(c->attribute("height").c_str()) : -1;
      };
      l.modeHeight = height("ModeGroupBox");
      l.serialHeight = height("serial2Groupbox");
      ui::Control* io = f.pm().findControl("IOTab");
      l.ioTabButton = io && io->visible();
      for (const char* r : kRows) {
        ui::Control* c = f.pm().findControl(r);
        l.rows.push_back(c && c->visible());
      }
      return l;
    });
  }

  apptest::TempDir dir;
  sim::Simulator terminal{FastTerminal()};
  app::HeadlessShell tool{EnglishTool(dir)};
};

struct ModeColumn {
  const char* value;
  bool serverIoWireless, globalEquipment;
  int modeHeight, serialHeight;
  std::vector<bool> rows;  // kRows
};

// The simulated terminal reports "DeviceModel" CLI and registration on.
const ModeColumn kColumns[] = {
    {"PROT", true, true, 110, 110, {1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
    {"DCUDP", true, true, 85, 110, {1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
    {"DCTCP", true, true, 85, 110, {1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
    {"TRNS", false, false, 60, 110, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}},
    {"SMSCLI", false, true, 235, 85, {0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0}},
    {"SMSSER", false, true, 110, 110, {0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1}},
    {"HTTP", true, true, 85, 110, {0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1}},
    {"MTCP/MRTU", true, true, 110, 110, {1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
    {"MQTT", true, true, 210, 110, {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}},
    {"CUST", true, true, 185, 110, {0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1}},
};

TEST_F(LayoutEndToEnd, EveryWorkModeReportGivesItsColumn) {
  ASSERT_EQ(terminal.value("DeviceModel"), "CLI");
  ASSERT_EQ(terminal.value("RegistrationAndHeart"), "1");
  for (const ModeColumn& c : kColumns) {
    SCOPED_TRACE(c.value);
    ASSERT_TRUE(terminal.setValue("Protocolmodel", c.value));
    load();
    const Layout l = layout();
    EXPECT_EQ(l.tabs[1], c.serverIoWireless);
    EXPECT_EQ(l.tabs[4], c.serverIoWireless);
    EXPECT_EQ(l.tabs[5], c.globalEquipment);
    EXPECT_EQ(l.tabs[6], c.globalEquipment);
    // The activation rule runs after every report and offers the I/O page.
    EXPECT_TRUE(l.tabs[3]);
    EXPECT_TRUE(l.ioTabButton);
    EXPECT_EQ(l.modeHeight, c.modeHeight);
    EXPECT_EQ(l.serialHeight, c.serialHeight);
    EXPECT_EQ(l.rows, c.rows);
  }
}

TEST_F(LayoutEndToEnd, TransparentReportLeavesTheIoTabShown) {
  ASSERT_EQ(terminal.value("Protocolmodel"), "TRNS");
  load();
  EXPECT_EQ(tool.visible("IOTab"), true);
  EXPECT_EQ(tool.visible("ServerTab"), false);
  EXPECT_TRUE(tool.ui([](app::CK9X40FrameWnd& f) { return f.tabs()[3].shown && !f.tabs()[1].shown; }));
}

TEST_F(LayoutEndToEnd, SaveAfterSwitchingToSmsClientWritesNoHiddenRow) {
  load();
  ASSERT_TRUE(tool.selectItem("Protocolmodel", 4));  // SMSCLI, as the user picks it
  ASSERT_TRUE(ready());
  ASSERT_EQ(tool.visible("ModeLayout1.1"), true);
  // Edited fields in rows the mode hides ...
  ASSERT_TRUE(tool.setText("PhoneNO.", "13700000000"));
  ASSERT_TRUE(tool.setText("ListenPort", "6100"));
  ASSERT_TRUE(tool.setText("RegisterInfo", "NEW-REGISTER"));
  ASSERT_TRUE(tool.setText("Dtu manage id", "00000099"));
  ASSERT_TRUE(tool.setText("Server2's Ip", "198.51.100.2"));
  // ... and one in a row it shows.
  ASSERT_TRUE(tool.setText("sms Phone2 No", "13600000000"));
  const std::size_t mark = terminal.commands().size();
  ASSERT_TRUE(tool.click("Save"));
  ASSERT_TRUE(ready());
  EXPECT_EQ(Writes(terminal, mark),
            (std::vector<std::string>{"At+PROMODE=SMSCLI", "AT+PHONE2=13600000000"}));
  EXPECT_EQ(terminal.value("ListenPort"), "5000");
}

}  // namespace
