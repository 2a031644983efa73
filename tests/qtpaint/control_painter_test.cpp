#include "qtpaint/control_painter.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "qt_fixture.h"
#include "qtpaint/skin_widgets.h"

namespace {

struct Recorder : ui::Notifier {
  std::vector<std::string> seen;  // "type name"
  void Notify(const ui::Notification& n) override {
    seen.push_back(n.type + " " + (n.sender ? n.sender->name() : std::string()));
  }
};

template <class T>
T* Add(ui::Control& parent, const std::string& name) {
  auto c = std::make_unique<T>();
  c->setName(name);
  return static_cast<T*>(parent.add(std::move(c)));
}

// A small window with one control of each kind.
struct AppFirst {
  AppFirst() { qtfix::App(); }
};

struct Form : AppFirst {
  ui::PaintManager pm;
  Recorder rec;
  QWidget host;
  std::unique_ptr<qtpaint::ControlPainter> painter;

  Form() {
    auto root = std::make_unique<ui::VerticalLayout>();
    root->setName("root");
    Add<ui::Label>(*root, "lbl")->setText("Port");
    Add<ui::Button>(*root, "btn")->setText("Open");
    for (const char* n : {"opt1", "opt2"}) Add<ui::Option>(*root, n)->setAttribute("group", "g");
    Add<ui::Edit>(*root, "edit");
    auto* combo = Add<ui::Combo>(*root, "combo");
    for (const char* item : {"1200", "9600", "115200"}) combo->addItem(item);
    auto* tabs = Add<ui::TabLayout>(*root, "tabs");
    Add<ui::Label>(*Add<ui::VerticalLayout>(*tabs, "page0"), "p0");
    Add<ui::Label>(*Add<ui::VerticalLayout>(*tabs, "page1"), "p1");
    auto* group = Add<ui::GroupBox>(*root, "grp");
    group->setText("Connection");
    auto* row = Add<ui::HorizontalLayout>(*group, "row");
    Add<ui::Label>(*row, "a");
    Add<ui::Label>(*row, "b");
    Add<ui::RichEdit>(*root, "log");
    Add<ui::Button>(*root, "Lora2COM")->setBkImage("switch_disable.png");
    pm.setNotifier(&rec);
    pm.setRoot(std::move(root));
    painter = std::make_unique<qtpaint::ControlPainter>(pm, K9X40_SOURCE_DIR "/tests/qtpaint/images", &host);
    host.resize(400, 600);
    host.show();
  }
  ui::Control& c(const char* name) { return *pm.findControl(name); }
  template <class W>
  W* w(const char* name) { return qobject_cast<W*>(painter->widgetFor(pm.findControl(name))); }
};

TEST(ControlPainter, EveryKindGetsItsWidget) {
  Form f;
  EXPECT_NE(f.w<QLabel>("lbl"), nullptr);
  EXPECT_NE(f.w<QPushButton>("btn"), nullptr);
  EXPECT_TRUE(f.w<QPushButton>("opt1")->isCheckable());
  EXPECT_NE(f.w<QLineEdit>("edit"), nullptr);
  EXPECT_EQ(f.w<QComboBox>("combo")->count(), 3);
  EXPECT_EQ(f.w<QStackedWidget>("tabs")->count(), 2);
  EXPECT_EQ(f.w<QGroupBox>("grp")->title(), "Connection");
  EXPECT_NE(f.w<QPlainTextEdit>("log"), nullptr);
  EXPECT_EQ(f.painter->controlAt(f.w<QLabel>("p1")), &f.c("p1"));
}

// Model change -> widget state, with no notification of the painter's own.
TEST(ControlPainter, ModelChangesReachTheWidgets) {
  struct Case {
    const char* what;
    std::function<void(Form&)> change;
    std::function<bool(Form&)> shows;
  };
  const std::vector<Case> cases = {
      {"label text", [](Form& f) { f.c("lbl").setText("Baud & rate"); },
       [](Form& f) { return f.w<QLabel>("lbl")->text() == "Baud & rate"; }},
      {"button text keeps &", [](Form& f) { f.c("btn").setText("R&D"); },
       [](Form& f) { return f.w<QPushButton>("btn")->text() == "R&&D"; }},
      {"edit text", [](Form& f) { f.c("edit").setText("10.0.0.1"); },
       [](Form& f) { return f.w<QLineEdit>("edit")->text() == "10.0.0.1"; }},
      {"group title", [](Form& f) { f.c("grp").setText("Servers"); },
       [](Form& f) { return f.w<QGroupBox>("grp")->title() == "Servers"; }},
      {"hidden", [](Form& f) { f.c("btn").setVisible(false); },
       [](Form& f) { return f.w<QPushButton>("btn")->isHidden(); }},
      {"disabled", [](Form& f) { f.c("edit").setEnabled(false); },
       [](Form& f) { return !f.w<QLineEdit>("edit")->isEnabled(); }},
      {"fixed height", [](Form& f) { f.c("edit").setAttribute("height", "60"); },
       [](Form& f) { return f.w<QLineEdit>("edit")->maximumHeight() == 60; }},
      {"height cleared", [](Form& f) { f.c("edit").setAttribute("height", "60"); f.c("edit").setAttribute("height", "0"); },
       [](Form& f) { return f.w<QLineEdit>("edit")->maximumHeight() == QWIDGETSIZE_MAX; }},
      {"tooltip", [](Form& f) { f.c("btn").setAttribute("tooltip", "Opens the port"); },
       [](Form& f) { return f.w<QPushButton>("btn")->toolTip() == "Opens the port"; }},
      {"password", [](Form& f) { f.c("edit").setAttribute("password", "true"); },
       [](Form& f) { return f.w<QLineEdit>("edit")->echoMode() == QLineEdit::Password; }},
      {"option selection", [](Form& f) { static_cast<ui::Option&>(f.c("opt2")).setSelected(true); },
       [](Form& f) { return f.w<QPushButton>("opt2")->isChecked() && !f.w<QPushButton>("opt1")->isChecked(); }},
      {"tab page", [](Form& f) { static_cast<ui::TabLayout&>(f.c("tabs")).selectItem(1); },
       [](Form& f) { return f.w<QStackedWidget>("tabs")->currentIndex() == 1; }},
      {"combo items", [](Form& f) { auto& c = static_cast<ui::Combo&>(f.c("combo")); c.removeAll(); c.addItem("/dev/ttyUSB0"); },
       [](Form& f) { auto* b = f.w<QComboBox>("combo"); return b->count() == 1 && b->itemText(0) == "/dev/ttyUSB0"; }},
      {"image", [](Form& f) { f.c("Lora2COM").setBkImage("switch_enable.png"); },
       [](Form& f) { return f.w<qtpaint::SkinButton>("Lora2COM")->image().width() == 4; }},
      {"children rebuilt", [](Form& f) { f.c("row").removeAll(); Add<ui::Edit>(f.c("row"), "newEdit"); },
       [](Form& f) { return f.w<QLineEdit>("newEdit") != nullptr && f.painter->widgetFor(f.pm.findControl("a")) == nullptr; }},
  };
  for (const auto& tc : cases) {
    Form f;
    tc.change(f);
    EXPECT_TRUE(tc.shows(f)) << tc.what;
  }
}

TEST(ControlPainter, ImagesComeFromTheSkinFolder) {
  Form f;
  // switch_disable.png of the fixture folder is 2 x 1 pixels.
  EXPECT_EQ(f.w<qtpaint::SkinButton>("Lora2COM")->image().size(), QSize(2, 1));
}

TEST(ControlPainter, AContainerWithAllChildrenHiddenTakesNoRoom) {
  Form f;
  f.c("a").setVisible(false);
  EXPECT_FALSE(f.painter->widgetFor(&f.c("row"))->isHidden());
  f.c("b").setVisible(false);
  EXPECT_TRUE(f.painter->widgetFor(&f.c("row"))->isHidden());
  EXPECT_TRUE(f.w<QGroupBox>("grp")->isHidden());  // its only row went
  f.c("b").setVisible(true);
  EXPECT_FALSE(f.w<QGroupBox>("grp")->isHidden());
}

// Widget action -> the model changes once and exactly one notification of
// each kind is raised; the widget then shows the model's state.
TEST(ControlPainter, UserActionsRaiseOneNotificationEach) {
  struct Case {
    const char* what;
    std::function<void(Form&)> act;
    std::vector<std::string> expected;
    std::function<bool(Form&)> after;
  };
  auto focus = [](QWidget* w, QEvent::Type t) {
    QFocusEvent e(t, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
  };
  const std::vector<Case> cases = {
      {"button click", [](Form& f) { f.w<QPushButton>("btn")->click(); }, {"click btn"},
       [](Form&) { return true; }},
      {"option click", [](Form& f) { f.w<QPushButton>("opt2")->click(); }, {"click opt2", "selectchanged opt2"},
       [](Form& f) {
         return static_cast<ui::Option&>(f.c("opt2")).selected() && f.w<QPushButton>("opt2")->isChecked() &&
                !f.w<QPushButton>("opt1")->isChecked();
       }},
      {"selected option clicked again stays selected",
       [](Form& f) { f.w<QPushButton>("opt2")->click(); f.rec.seen.clear(); f.w<QPushButton>("opt2")->click(); },
       {"click opt2"}, [](Form& f) { return f.w<QPushButton>("opt2")->isChecked(); }},
      {"disabled button", [](Form& f) { f.c("btn").setEnabled(false); f.w<QPushButton>("btn")->click(); }, {},
       [](Form&) { return true; }},
      {"combo pick", [](Form& f) { f.w<QComboBox>("combo")->activated(2); }, {"itemselect combo"},
       [](Form& f) { return static_cast<ui::Combo&>(f.c("combo")).currentSelection() == 2; }},
      {"combo keyboard", [](Form& f) { QTest::keyClick(f.w<QComboBox>("combo"), Qt::Key_Down); },
       {"itemselect combo"}, [](Form& f) { return static_cast<ui::Combo&>(f.c("combo")).currentSelection() == 0; }},
      {"program selection is not echoed", [](Form& f) { static_cast<ui::Combo&>(f.c("combo")).selectItem(1); },
       {"itemselect combo"}, [](Form& f) { return f.w<QComboBox>("combo")->currentIndex() == 1; }},
      {"typing", [](Form& f) { QTest::keyClicks(f.w<QLineEdit>("edit"), "10.1"); }, {},
       [](Form& f) { return f.c("edit").text() == "10.1" && f.w<QLineEdit>("edit")->text() == "10.1"; }},
      {"dropdown", [](Form& f) { f.w<QComboBox>("combo")->showPopup(); f.w<QComboBox>("combo")->hidePopup(); },
       {"dropdown combo"}, [](Form&) { return true; }},
      {"focus moves", [focus](Form& f) {
         focus(f.w<QLineEdit>("edit"), QEvent::FocusIn);
         focus(f.w<QLineEdit>("edit"), QEvent::FocusOut);
         focus(f.w<QComboBox>("combo"), QEvent::FocusIn);
         qtfix::Pump(10);
       }, {"setfocus edit", "killfocus edit", "setfocus combo"}, [](Form& f) { return f.pm.focused() == &f.c("combo"); }},
  };
  for (const auto& tc : cases) {
    Form f;
    tc.act(f);
    qtfix::Pump(5);
    EXPECT_EQ(f.rec.seen, tc.expected) << tc.what;
    EXPECT_TRUE(tc.after(f)) << tc.what;
  }
}

TEST(ControlPainter, ADeactivatedWindowKeepsTheFocus) {
  Form f;
  QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(f.w<QLineEdit>("edit"), &in);
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(f.w<QLineEdit>("edit"), &away);
  qtfix::Pump(10);
  EXPECT_EQ(f.rec.seen, (std::vector<std::string>{"setfocus edit"}));
}

TEST(ControlPainter, LogPaneShowsTerminalTextLiterally) {
  Form f;
  auto& log = static_cast<ui::RichEdit&>(f.c("log"));
  auto* pane = f.w<QPlainTextEdit>("log");
  log.appendText("<b>x</b>\r\n");
  // A character split over two chunks shows once it is whole, never as U+FFFD.
  const std::string zhong = "\xE4\xB8\xAD";
  log.appendText("&amp; " + zhong.substr(0, 1));
  EXPECT_EQ(pane->toPlainText(), "<b>x</b>\n&amp; ");
  log.appendText(zhong.substr(1) + "\r\n");
  EXPECT_EQ(pane->toPlainText(), QString::fromUtf8("<b>x</b>\n&amp; \xE4\xB8\xAD\n"));
  log.setText("");
  EXPECT_EQ(pane->toPlainText(), "");
  log.appendText("OK\r\n");
  EXPECT_EQ(pane->toPlainText(), "OK\n");
}

TEST(ControlPainter, ANewRootIsDrawnInPlaceOfTheOld) {
  Form f;
  auto root = std::make_unique<ui::HorizontalLayout>();
  Add<ui::Button>(*root, "other");
  f.pm.setRoot(std::move(root));
  EXPECT_NE(f.w<QPushButton>("other"), nullptr);
  EXPECT_EQ(f.host.findChildren<QPlainTextEdit*>().size(), 0);
}

}  // namespace
