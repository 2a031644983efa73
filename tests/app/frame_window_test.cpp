// The main window on the small test form, without a terminal.

#include "app/frame_window.h"

#include <gtest/gtest.h>

#include "shell_fixture.h"

using namespace apptest;
using app::CK9X40FrameWnd;
using app::HeadlessShell;

namespace {

std::vector<devlink::Job> Drain(CK9X40FrameWnd& f) {
  std::vector<devlink::Job> jobs;
  devlink::Job j;
  while (f.queue().pop(j)) jobs.push_back(j);
  return jobs;
}

struct Frame : ::testing::Test {
  TempDir dir;
  std::unique_ptr<HeadlessShell> shell;
  void SetUp() override {
    auto o = TestOptions(dir);
    o.startWorker = false;  // jobs stay queued, so the tests can read them
    shell = std::make_unique<HeadlessShell>(o);
    ASSERT_TRUE(shell->skinLoaded());
    ASSERT_TRUE(shell->settle());  // the initial port-closed state is in
  }
};

TEST_F(Frame, StartsClosedAndFillsTitleHelpAndFooter) {
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return !f.pm().findControl("Ver")->text().empty(); }, 2000));
  EXPECT_EQ(shell->text("Ver"), "K9x40ConfigureToolV V1.7.2");
  EXPECT_EQ(shell->text("VerDown"), "Vantoria 2019/06/19 V1.7.2");
  EXPECT_EQ(shell->text("HelpRichEdit"), "No help here.\r\n");
  EXPECT_EQ(shell->enabled("Load"), false);
  EXPECT_EQ(shell->enabled("Login"), false);
  EXPECT_EQ(shell->enabled("SerialPort"), true);
  EXPECT_EQ(shell->text("DeviceState"), "Logged out");
}

TEST(FrameTitle, HelpFileAndCustomVersion) {
  TempDir dir;
  dir.write("Help.txt", std::string(12000, 'h'));
  dir.write("config.ini", "[CustomVer]\r\nCustomVer=-B7\r\n");
  auto o = TestOptions(dir);
  o.language = 1;
  HeadlessShell shell(o);
  ASSERT_TRUE(shell.waitFor([](CK9X40FrameWnd& f) { return !f.pm().findControl("Ver")->text().empty(); }, 2000));
  EXPECT_EQ(shell.text("HelpRichEdit")->size(), 9999u);
  EXPECT_EQ(shell.text("Ver"), "K9x40配置工具 V1.7.2-B7");
  EXPECT_EQ(shell.text("VerDown"), "Vantoria 2019年06月19日 V1.7.2");
}

TEST_F(Frame, ClicksQueueTheirCommands) {
  for (const char* name : {"Load", "RestoreFactory", "READFILELOG", "CPIN", "CSQ", "GetVer", "AT+ABC", "SetTime"}) {
    shell->ui([&](CK9X40FrameWnd& f) { f.pm().findControl(name)->setEnabled(true); });
    shell->click(name);
  }
  auto jobs = shell->ui([](CK9X40FrameWnd& f) { return Drain(f); });
  ASSERT_EQ(jobs.size(), 8u);
  const std::pair<devlink::JobType, std::string> expected[] = {
      {devlink::ReadSettings, "\r\nAT+SHOW\r\n"}, {devlink::FactoryReset, "\r\nAT+FACTORY\r\n"},
      {devlink::ReadFileLog, "at+READFILELOG\r\n"}, {devlink::QuerySim, "\r\nAt+CPIN?\r\n"},
      {devlink::QuerySignal, "At+CSQ\r\n"}, {devlink::QueryVersion, "At+VER\r\n"},
      {devlink::CustomCommand, "AT+ABC\r\n"}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(jobs[i].type, expected[i].first);
    EXPECT_EQ(jobs[i].command, expected[i].second);
  }
  EXPECT_EQ(jobs[7].type, devlink::WriteSetting);
  EXPECT_EQ(jobs[7].command.rfind("AT+EXCCLK=\"", 0), 0u);
}

TEST_F(Frame, QuitShowsLoggedOutBeforeAnyAnswer) {
  shell->ui([](CK9X40FrameWnd& f) { f.HandleMessage({devlink::UM_BUTTON_STATE, 1, devlink::ModeConfig, {}}); });
  EXPECT_TRUE(shell->configMode());
  EXPECT_EQ(shell->text("DeviceState"), "Logged in");
  shell->click("quit");
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return !f.link().configMode; }, 1000));
  EXPECT_EQ(shell->enabled("Load"), false);
  EXPECT_EQ(shell->enabled("Login"), true);
  auto jobs = shell->ui([](CK9X40FrameWnd& f) { return Drain(f); });
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].command, "\r\nat+quit\r\n");
  EXPECT_EQ(shell->visible("helpGroupBox"), false);  // hidden for good once logged in
}

TEST_F(Frame, NetworkModeFocusQueriesOnlyInConfigMode) {
  shell->focus("FINDNETMODE");
  shell->focus("FINDNETMODE", false);
  EXPECT_TRUE(shell->ui([](CK9X40FrameWnd& f) { return Drain(f); }).empty());
  shell->ui([](CK9X40FrameWnd& f) { f.SetDeviceState(true); });
  shell->focus("FINDNETMODE");
  shell->focus("FINDNETMODE", false);
  shell->focus("FINDNETMODE");
  auto jobs = shell->ui([](CK9X40FrameWnd& f) { return Drain(f); });
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[0].command, "AT+FINDNETMODE\r\n");
}

TEST_F(Frame, BlankInServerAddressWarnsOnceAndKeepsText) {
  shell->setText("Server's Ip", "1.2.3.4 ");
  shell->focus("Server's Ip");
  shell->focus("Server's Ip", false);
  auto shown = shell->dialogs().shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "No blanks in addresses.");
  EXPECT_EQ(shown[0].caption, "K9x40");
  EXPECT_EQ(shell->text("Server's Ip"), "1.2.3.4 ");
}

TEST_F(Frame, PageOptionsAndTabStrip) {
  shell->click("Lora");
  EXPECT_EQ(shell->ui([](CK9X40FrameWnd& f) { return f.pm().find<ui::TabLayout>("switch")->currentIndex(); }), 7);
  shell->click("WorkMode");
  EXPECT_EQ(shell->ui([](CK9X40FrameWnd& f) { return f.pm().find<ui::TabLayout>("switch")->currentIndex(); }), 0);
}

TEST_F(Frame, MaximiseAndRestoreSwapTheirButtons) {
  shell->click("maxbtn");
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return f.pm().findControl("restorebtn")->visible(); }, 1000));
  EXPECT_EQ(shell->visible("maxbtn"), false);
  EXPECT_TRUE(shell->window().isZoomed());
  shell->click("restorebtn");
  ASSERT_TRUE(shell->waitFor([](CK9X40FrameWnd& f) { return f.pm().findControl("maxbtn")->visible(); }, 1000));
  EXPECT_EQ(shell->visible("restorebtn"), false);
}

TEST_F(Frame, LogMessageWithoutTextChangesNothing) {
  shell->ui([](CK9X40FrameWnd& f) {
    f.HandleMessage({devlink::UM_LOG_TEXT, 0, 5, "ghost"});
    f.HandleMessage({devlink::UM_LOG_TEXT, 1, 5, "real\n"});
  });
  EXPECT_EQ(shell->logText(), "real\n");
  shell->click("Clear");
  EXPECT_EQ(shell->logText(), "");
}

TEST(FrameLayout, ItemSelectPostsLayoutGroupsInOrder) {
  TempDir d2;
  auto o = TestOptions(d2);
  std::vector<std::pair<int, int>> groups;
  o.hooks.layoutGroup = [&groups](params::FormContext&, int g, int a) {
    groups.emplace_back(g, a);
    return 0;
  };
  HeadlessShell s(o);
  s.ui([](CK9X40FrameWnd& f) {
    auto c = std::make_unique<ui::Combo>();
    c->setName("IOactivationmethods");
    c->addItem("a");
    c->addItem("b");
    f.pm().root()->add(std::move(c));
  });
  s.selectItem("IOactivationmethods", 1);
  ASSERT_TRUE(s.waitFor([&](CK9X40FrameWnd&) { return groups.size() == 4; }, 1000));
  EXPECT_EQ(groups, (std::vector<std::pair<int, int>>{{1, 0}, {11, 0}, {12, 0}, {13, 0}}));
}

TEST_F(Frame, RefusedLineSettingsLogAndOpenNothing) {
  struct Case {
    const char *port, *baud, *format, *reason;
  } cases[] = {
      {"", "9600", "8N1", "Not a device."},
      {"/dev/ttyS0", "0", "8N1", "Bad baud rate."},
      {"/dev/ttyS0", "9600", "", "No line format."},
      {"/nonexistent/ttyUSB9", "9600", "8N1", "No such port."},
  };
  for (const auto& c : cases) {
    shell->click("Clear");
    shell->ui([&](CK9X40FrameWnd& f) {
      f.pm().findControl("SerialPort")->setText(c.port);
      f.pm().findControl("BaudRate1")->setText(c.baud);
      f.pm().findControl("Checkcode")->setText(c.format);
    });
    shell->click("Open");
    EXPECT_FALSE(shell->portOpen()) << c.reason;
    EXPECT_EQ(shell->logText(), std::string("Open failed.\r\n") + c.reason + "\r\n");
    EXPECT_EQ(shell->text("Open"), "Open");
  }
}

TEST(FrameLanguage, SameChoiceStaysOtherRestarts) {
  TempDir dir;
  dir.write("config.ini", "[Set]\r\nLanguage=0\r\n");
  HeadlessShell shell(TestOptions(dir));
  shell.selectItem("Language", 0);
  shell.ui([](CK9X40FrameWnd&) {});  // let the posted switch run
  EXPECT_TRUE(shell.running());
  EXPECT_EQ(dir.read("config.ini"), "[Set]\r\nLanguage=0\r\n");

  shell.selectItem("Language", 1);
  for (int i = 0; i < 200 && shell.running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(shell.running());
  EXPECT_TRUE(shell.restartRequested());
  EXPECT_TRUE(shell.window().hidden());
  EXPECT_EQ(dir.read("config.ini"), "[Set]\r\nLanguage=1\r\n");
}

}  // namespace
