// The whole window: both shipped skins drawn, the skin title bar, and the
// road a user takes against a simulated terminal, through the real widgets.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <string>
#include <vector>

#include "app/frame_hooks.h"
#include "app/frame_window.h"
#include "app/headless_dialogs.h"
#include "params/param_registry.h"
#include "qt_fixture.h"
#include "qtpaint/control_painter.h"
#include "qtpaint/desktop_session.h"
#include "qtpaint/main_window.h"
#include "qtpaint/qt_message_loop.h"
#include "qtpaint/skin_widgets.h"
#include "sim/simulator.h"

namespace {

struct Session {
  app::HeadlessDialogs dialogs{false};
  std::unique_ptr<qtpaint::DesktopSession> s;
  explicit Session(int language, bool worker = false) {
    qtfix::App();
    qtpaint::SessionOptions o;
    o.programDir = K9X40_BINARY_DIR "/bin";
    o.language = language;
    o.dialogs = &dialogs;
    o.startWorker = worker;
    s = std::make_unique<qtpaint::DesktopSession>(o);
  }
  template <class W>
  W* w(std::string_view name) { return qobject_cast<W*>(s->widget(name)); }
};

template <class W>
void ExpectKind(Session& x, const std::vector<std::string>& names, const char* kind, int language) {
  for (const auto& n : names) EXPECT_NE(x.w<W>(n), nullptr) << n << " as " << kind << ", language " << language;
}

TEST(DesktopWindow, BothSkinsDrawEveryContractControl) {
  for (int language : {0, 1}) {
    Session x(language);
    ASSERT_TRUE(x.s->skinLoaded()) << language;
    ExpectKind<QPushButton>(x, {"closebtn", "minbtn", "maxbtn", "restorebtn", "Open", "Login", "Load", "Save",
                                "RestoreFactory", "SaveToFile", "LoadFromFile", "Clear", "SetTime", "READFILELOG",
                                "CPIN", "CSQ", "GetVer", "quit", "TabLeft", "TabRight"},
                            "button", language);
    ExpectKind<QPlainTextEdit>(x, {"richedit", "HelpRichEdit"}, "rich edit", language);
    ExpectKind<QLabel>(x, {"Ver", "VerDown", "DeviceState"}, "label", language);
    ExpectKind<QComboBox>(x, {"SerialPort", "BaudRate1", "Checkcode", "Language"}, "combo", language);
    ExpectKind<QLineEdit>(x, {"FINDNETMODE"}, "edit", language);
    ExpectKind<QWidget>(x, {"helpGroupBox", "HorizontalLayoutUI6", "Logo_Container"}, "layout", language);

    auto* pages = x.w<QStackedWidget>("switch");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->count(), 11);
    for (const char* o : {"WorkMode", "Server", "Serial", "IO", "Wireless", "Global", "Equiment", "Lora", "Zigbee",
                          "GPS", "Operation"}) {
      auto* b = x.w<QPushButton>(o);
      ASSERT_NE(b, nullptr) << o;
      EXPECT_TRUE(b->isCheckable()) << o;
    }
    for (const char* t : {"Lora2COM", "COM2Lora", "Lora2GPRS", "GPRS2Lora", "Zigbee2COM", "COM2Zigbee",
                          "Zigbee2GPRS", "GPRS2Zigbee", "GPS2COM", "COM2GPS", "GPS2GPRS", "GPRS2GPS", "GPRS2COM",
                          "COM2GPRS"}) {
      auto* b = x.w<qtpaint::SkinButton>(t);
      ASSERT_NE(b, nullptr) << t;
      EXPECT_FALSE(b->image().isNull()) << t << ": its switch image is drawn";
    }
    // Every setting the registry names by an edit or a drop-down has its widget.
    x.s->frame().registry().forEach([&](const std::string& name, const params::ParamEntry& e) {
      if (e.controlType == "Edit") { EXPECT_NE(x.w<QLineEdit>(name), nullptr) << name; }
      if (e.controlType == "Combobox") { EXPECT_NE(x.w<QComboBox>(name), nullptr) << name; }
    });
  }
}

TEST(DesktopWindow, TheCaptionBandDragsOnlyOffButtonsOptionsAndLabels) {
  Session x(0);
  auto& win = x.s->window();
  win.show();
  x.s->waitFor([] { return false; }, 50);
  const int band = x.s->frame().pm().captionHeight;
  ASSERT_GT(band, 0);
  auto centre = [&](const char* name) { return x.s->widget(name)->mapTo(&win, x.s->widget(name)->rect().center()); };
  EXPECT_EQ(win.hitTest(centre("Logo_Container")), app::HTCAPTION);
  EXPECT_EQ(win.hitTest(centre("Ver")), app::HTCLIENT);
  EXPECT_EQ(win.hitTest(centre("closebtn")), app::HTCLIENT);
  EXPECT_EQ(win.hitTest(QPoint(centre("Logo_Container").x(), band + 2)), app::HTCLIENT);
}

TEST(DesktopWindow, MaximiseSwapsTheButtonsAndRestoreSwapsBack) {
  Session x(0);
  auto& win = x.s->window();
  win.show();
  ASSERT_TRUE(x.s->click("maxbtn"));
  EXPECT_TRUE(x.s->waitFor([&] { return win.isMaximized(); }, 2000));
  EXPECT_TRUE(x.w<QPushButton>("maxbtn")->isHidden());
  EXPECT_FALSE(x.w<QPushButton>("restorebtn")->isHidden());
  ASSERT_TRUE(x.s->click("restorebtn"));
  EXPECT_TRUE(x.s->waitFor([&] { return !win.isMaximized(); }, 2000));
  EXPECT_FALSE(x.w<QPushButton>("maxbtn")->isHidden());
  EXPECT_TRUE(x.w<QPushButton>("restorebtn")->isHidden());
}

TEST(DesktopWindow, CloseButtonAndWindowCloseEndTheLoop) {
  {
    Session x(0);
    x.s->window().show();
    ASSERT_TRUE(x.s->click("closebtn"));
    EXPECT_TRUE(x.s->waitFor([&] { return x.s->loop().closing(); }, 1000));
  }
  {
    Session x(0);
    x.s->window().show();
    EXPECT_FALSE(x.s->window().close());  // the window stays until shutdown
    EXPECT_TRUE(x.s->loop().closing());
  }
}

TEST(DesktopWindow, OpenAndLoadAgainstASimulatedTerminal) {
  sim::SimOptions so;
  so.pace = false;
  sim::Simulator terminal(so);
  ASSERT_TRUE(terminal.start());
  // Terminal text that looks like markup must show as those characters.
  ASSERT_TRUE(terminal.setValue("AT+APN", "<b>x</b>"));
  Session x(0, true);
  x.s->window().show();
  ASSERT_TRUE(x.s->choose("SerialPort", terminal.devicePath()));
  ASSERT_TRUE(x.s->choose("BaudRate1", "115200"));
  ASSERT_TRUE(x.s->click("Open"));
  ASSERT_TRUE(x.s->waitFor([&] { return x.s->frame().link().configMode.load(); }, 15000))
      << x.w<QPlainTextEdit>("richedit")->toPlainText().toStdString();
  EXPECT_TRUE(x.w<QPushButton>("Load")->isEnabled());
  EXPECT_TRUE(x.w<QGroupBox>("helpGroupBox") == nullptr || x.s->widget("helpGroupBox")->isHidden());

  ASSERT_TRUE(x.s->click("Load"));
  ASSERT_TRUE(x.s->waitFor([&] {
    return x.s->frame().workerIdle() && x.s->frame().registry().value("Server's Ip").value_or("") != "";
  }, 30000));
  x.s->waitFor([] { return false; }, 200);
  EXPECT_TRUE(x.w<QPlainTextEdit>("richedit")->toPlainText().contains("<b>x</b>"));
  if (!app::StandardHooks().applyReport) GTEST_SKIP() << "the form binding is not part of the program yet";
  EXPECT_EQ(x.w<QLineEdit>("Server's Ip")->text().toStdString(), *terminal.value("Server's Ip"));
}

}  // namespace
