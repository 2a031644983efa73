#include "ui/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/paint_manager.h"
#include "ui/tree_dump.h"

namespace ui {
namespace {

// Records notifications as "type:sender".
struct Recorder : Notifier, ControlObserver {
  std::vector<std::string> notes;
  std::vector<std::string> changes;
  void Notify(const Notification& n) override {
    notes.push_back(n.type + ":" + (n.sender ? n.sender->name() : std::string("-")));
  }
  void controlChanged(Control& c, Change what, std::string_view attr) override {
    static const char* const kNames[] = {"Text", "Visible", "Enabled", "BkImage", "Attribute",
                                         "Selection", "Items", "Children", "Focus"};
    changes.push_back(c.name() + " " + kNames[static_cast<int>(what)] + " " + std::string(attr));
  }
};

template <class T>
T* Add(Control& parent, const std::string& name) {
  auto c = std::make_unique<T>();
  c->setName(name);
  return static_cast<T*>(parent.add(std::move(c)));
}

// A window: root > { combo "list" (3 items), tab "switch" > pages, options }.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto root = std::make_unique<VerticalLayout>();
    root->setName("root");
    combo = Add<Combo>(*root, "list");
    for (auto t : {"a", "b", "c"}) combo->addItem(t);
    tab = Add<TabLayout>(*root, "switch");
    page0 = Add<Container>(*tab, "page0");
    page1 = Add<Container>(*tab, "page1");
    deep = Add<Edit>(*Add<HorizontalLayout>(*page1, "row"), "deep");
    auto* strip = Add<HorizontalLayout>(*root, "strip");
    for (auto n : {"WorkMode", "Server", "Serial"}) {
      auto* o = Add<Option>(*strip, n);
      o->setAttribute("group", "tabs");
      options.push_back(o);
    }
    other = Add<Option>(*page0, "other");  // another group, deeper in the tree
    other->setAttribute("group", "misc");
    loose = Add<Option>(*root, "loose");   // no group
    pm.setRoot(std::move(root));
    pm.setNotifier(&rec);
  }
  PaintManager pm;
  Recorder rec;
  Combo* combo = nullptr;
  TabLayout* tab = nullptr;
  Control *page0 = nullptr, *page1 = nullptr, *deep = nullptr;
  std::vector<Option*> options;
  Option *other = nullptr, *loose = nullptr;
};

TEST_F(WindowTest, ComboSelectionRules) {
  struct Case {
    int start, index, selected;
    bool notifies;
  } cases[] = {
      {-1, 1, 1, true},    // a change, from code
      {1, 1, 1, false},    // the same index
      {0, 7, 2, true},     // past the count: the last item
      {2, 7, 2, false},    // past the count while on the last item: no change
      {1, 3, 2, true},     // at the count
      {1, -1, -1, false},  // negative: no selection, and no notification
      {-1, -5, -1, false},
  };
  for (const Case& c : cases) {
    combo->selectItem(c.start);
    rec.notes.clear();
    combo->selectItem(c.index);
    SCOPED_TRACE("start " + std::to_string(c.start) + " index " + std::to_string(c.index));
    EXPECT_EQ(combo->currentSelection(), c.selected);
    EXPECT_EQ(combo->text(), combo->selectedText());
    EXPECT_EQ(rec.notes, c.notifies ? std::vector<std::string>{"itemselect:list"} : std::vector<std::string>{});
  }
}

TEST_F(WindowTest, ComboRemoveAllAndUserSelection) {
  combo->selectItem(1);
  EXPECT_EQ(combo->text(), "b");
  combo->removeAll();
  EXPECT_EQ(combo->count(), 0);
  EXPECT_EQ(combo->currentSelection(), -1);
  EXPECT_EQ(combo->selectedText(), "");
  EXPECT_EQ(combo->text(), "");
  EXPECT_FALSE(combo->selectItem(0));  // nothing to select
  combo->addItem("x");
  combo->addItem("y");
  rec.notes.clear();
  pm.userSelectItem(*combo, 1);  // exactly one notification for a user choice
  pm.userSelectItem(*combo, 1);
  EXPECT_EQ(rec.notes, std::vector<std::string>{"itemselect:list"});
  combo->setEnabled(false);
  pm.userSelectItem(*combo, 0);
  EXPECT_EQ(combo->currentSelection(), 1);
}

TEST_F(WindowTest, OptionGroupIsPerWindowAndNotifiesOnce) {
  other->setSelected(true);
  options[0]->setSelected(true);
  rec.notes.clear();
  options[2]->setSelected(true);
  EXPECT_FALSE(options[0]->selected());
  EXPECT_FALSE(options[1]->selected());
  EXPECT_TRUE(options[2]->selected());
  EXPECT_TRUE(other->selected());  // another group is untouched
  EXPECT_EQ(rec.notes, std::vector<std::string>{"selectchanged:Serial"});

  rec.notes.clear();
  options[2]->setSelected(true);  // already selected
  EXPECT_TRUE(rec.notes.empty());

  // An option added later joins its group.
  auto* late = Add<Option>(*page1, "IO");
  late->setAttribute("group", "tabs");
  late->setSelected(true);
  EXPECT_FALSE(options[2]->selected());
}

TEST_F(WindowTest, ClickingOptions) {
  pm.userClick(*options[1]);
  pm.userClick(*options[1]);  // a grouped option stays selected
  pm.userClick(*loose);
  pm.userClick(*loose);       // an option without a group toggles
  EXPECT_EQ(rec.notes, (std::vector<std::string>{
                           "click:Server", "selectchanged:Server", "click:Server",
                           "click:loose", "selectchanged:loose", "click:loose", "selectchanged:loose"}));
  EXPECT_FALSE(loose->selected());
  rec.notes.clear();
  options[0]->setEnabled(false);
  pm.userClick(*options[0]);
  EXPECT_TRUE(rec.notes.empty());
}

TEST_F(WindowTest, EffectiveVisibilityFollowsParentsAndTabPage) {
  EXPECT_TRUE(page0->effectivelyVisible());
  EXPECT_FALSE(deep->effectivelyVisible());  // page 1 is not selected
  EXPECT_TRUE(deep->visible());

  EXPECT_TRUE(tab->selectItem(1));
  EXPECT_TRUE(deep->effectivelyVisible());
  EXPECT_FALSE(page0->effectivelyVisible());
  EXPECT_FALSE(tab->selectItem(2));  // no such page
  EXPECT_FALSE(tab->selectItem(-1));
  EXPECT_EQ(tab->currentIndex(), 1);

  pm.find<Control>("row")->setVisible(false);
  EXPECT_FALSE(deep->effectivelyVisible());
  EXPECT_TRUE(deep->visible());
  pm.find<Control>("row")->setVisible(true);
  tab->setVisible(false);
  EXPECT_FALSE(deep->effectivelyVisible());
}

TEST_F(WindowTest, FindByNameIsExactAndFollowsTreeChanges) {
  EXPECT_EQ(pm.findControl("deep"), deep);
  EXPECT_EQ(pm.findControl("Deep"), nullptr);
  EXPECT_EQ(pm.findControl(""), nullptr);
  EXPECT_EQ(pm.find<Combo>("list"), combo);
  EXPECT_EQ(pm.find<Combo>("deep"), nullptr);  // wrong kind

  // The first in depth-first order wins, in the index as in the tree walk.
  auto* dup = Add<Label>(*page0, "deep");
  EXPECT_EQ(pm.findControl("deep"), dup);
  EXPECT_EQ(pm.root()->findByName("deep"), dup);

  dup->setName("renamed");
  EXPECT_EQ(pm.findControl("deep"), deep);
  EXPECT_EQ(pm.findControl("renamed"), dup);

  page1->removeAll();
  EXPECT_EQ(pm.findControl("deep"), nullptr);
  EXPECT_EQ(pm.findControl("row"), nullptr);
}

TEST_F(WindowTest, AttributesUpdateTypedStateAndObserverSeesEveryChange) {
  pm.setObserver(&rec);
  Control* row = pm.findControl("row");
  row->setAttribute("height", "110");
  row->setAttribute("width", "abc");
  row->setAttribute("visible", "false");
  row->setAttribute("tooltip", "hint");
  row->setText("t");
  row->setText("t");  // no change, no call
  EXPECT_EQ(row->fixedHeight(), 110);
  EXPECT_EQ(row->fixedWidth(), 0);
  EXPECT_FALSE(row->visible());
  EXPECT_EQ(row->attribute("height"), "110");
  EXPECT_EQ(row->attribute("visible"), "false");
  EXPECT_EQ(row->attribute("tooltip"), "hint");
  EXPECT_EQ(row->attribute("missing"), "");
  row->setVisible(true);
  EXPECT_EQ(row->attribute("visible"), "true");  // reads the state, not the skin text
  EXPECT_EQ(rec.changes, (std::vector<std::string>{"row Attribute height", "row Visible ",
                                                   "row Attribute tooltip", "row Text ",
                                                   "row Visible "}));
}

TEST_F(WindowTest, FocusMovesWithKillBeforeSet) {
  Control* edit = deep;
  pm.userFocus(*edit, true);
  pm.userFocus(*edit, true);  // already focused
  pm.userFocus(*combo, true);
  pm.userFocus(*combo, false);
  pm.userFocus(*edit, true);
  EXPECT_EQ(rec.notes, (std::vector<std::string>{"setfocus:deep", "killfocus:deep", "setfocus:list",
                                                 "killfocus:list", "setfocus:deep"}));
  page1->removeAll();  // the focused control goes away with its page
  EXPECT_EQ(pm.focused(), nullptr);
}

TEST(RichEditTest, LimitCutsSetAndAppendWithoutSplittingCharacters) {
  RichEdit r;
  r.setLimitText(10);
  r.setText("0123456789AB");
  EXPECT_EQ(r.text(), "0123456789");
  r.setText("abcdef");
  r.appendText("ghijkl");
  EXPECT_EQ(r.text(), "abcdefghij");
  EXPECT_EQ(r.appendOffset(), 6u);
  r.appendText("more");  // full: dropped
  EXPECT_EQ(r.textLength(), 10);

  r.setText("abcdefgh");
  r.appendText("\xE4\xB8\xAD");  // a three-byte character with two bytes of room
  EXPECT_EQ(r.text(), "abcdefgh");
  r.setText("abcdefg\xE4\xB8\xAD");
  EXPECT_EQ(r.text(), "abcdefg\xE4\xB8\xAD");
  r.setText("abcdefgh\xE4\xB8\xAD");
  EXPECT_EQ(r.text(), "abcdefgh");

  RichEdit unlimited;
  unlimited.appendText(std::string(400000, 'x'));
  EXPECT_EQ(unlimited.textLength(), 400000);
}

TEST(TreeDumpTest, ShowsStructureAndState) {
  VerticalLayout root;
  root.setName("root");
  auto* combo = Add<Combo>(root, "BaudRate1");
  combo->addItem("9600");
  combo->addItem("115200");
  combo->selectItem(1);
  auto* tab = Add<TabLayout>(root, "switch");
  auto* page = Add<Container>(*tab, "");
  page->setClassName("WorkTab");
  auto* opt = Add<Option>(*page, "WorkMode");
  opt->setAttribute("group", "tabs");
  opt->setText("Work \"mode\"");
  opt->setSelected(true);
  Add<Label>(*page, "DeviceState")->setVisible(false);
  EXPECT_EQ(DumpTree(root),
            "VerticalLayout name=\"root\"\n"
            "  Combo name=\"BaudRate1\" selected=1 items=[9600|115200]\n"
            "  TabLayout name=\"switch\" page=0\n"
            "    WorkTab\n"
            "      Option name=\"WorkMode\" text=\"Work \\\"mode\\\"\" group=\"tabs\" selected\n"
            "      Label name=\"DeviceState\" hidden\n");
}

}  // namespace
}  // namespace ui
