#include "app/form_state.h"

#include <gtest/gtest.h>

#include "app/notify_tables.h"
#include "ui/skin_builder.h"

using namespace app;
using devlink::ButtonMode;

namespace {

// The strip with 11 header items of width 50, five of which fit, the page
// layout "switch" with 11 pages, and a few command buttons.
const char* kForm = R"(<Window><VerticalLayout>
  <HorizontalLayout name="HorizontalLayoutUI6" width="250">
    <Button name="WorkModeTab" width="50"/><Button name="ServerTab" width="50"/>
    <Button name="SerialTab" width="50"/><Button name="IOTab" width="50"/>
    <Button name="WirelessTab" width="50"/><Button name="GlobalTab" width="50"/>
    <Button name="EquimentTab" width="50"/><Button name="LoraTab" width="50"/>
    <Button name="ZigbeeTab" width="50"/><Button name="GPSTab" width="50"/>
    <Button name="OperationTab" width="50"/>
  </HorizontalLayout>
  <Option name="WorkMode" group="tabs"/><Option name="Server" group="tabs"/>
  <TabLayout name="switch"><Container/><Container/><Container/><Container/><Container/>
    <Container/><Container/><Container/><Container/><Container/><Container/></TabLayout>
  <Button name="Load"/><Button name="Login"/><Combo name="SerialPort"/><Button name="Open"/>
</VerticalLayout></Window>)";

struct Form {
  ui::PaintManager pm;
  params::TabSlots slots = params::MakeTabSlots();
  Form() {
    auto doc = ui::BuildSkinFromText(kForm);
    EXPECT_TRUE(doc.root) << doc.error;
    pm.setRoot(std::move(doc.root));
  }
  std::string shownItems() {
    std::string s;
    for (auto& slot : slots) s += pm.findControl(slot.name)->visible() ? '1' : '0';
    return s;
  }
};

TEST(ButtonStates, TableByMode) {
  Form f;
  auto state = [&] {
    return std::string{f.pm.findControl("Load")->enabled() ? 'L' : '-',
                       f.pm.findControl("Login")->enabled() ? 'G' : '-',
                       f.pm.findControl("SerialPort")->enabled() ? 'P' : '-',
                       f.pm.findControl("Open")->enabled() ? 'O' : '-'};
  };
  ApplyButtonStates(f.pm, false, devlink::ModePort);  // closed
  EXPECT_EQ(state(), "--PO");
  ApplyButtonStates(f.pm, true, devlink::ModeLogin);  // port open
  EXPECT_EQ(state(), "-G-O");
  ApplyButtonStates(f.pm, true, devlink::ModeConfig);  // configuration mode
  EXPECT_EQ(state(), "L--O");
  ApplyButtonStates(f.pm, false, devlink::ModeBusy);  // job in flight: Login left alone
  EXPECT_EQ(state(), "---O");
  ApplyButtonStates(f.pm, false, devlink::ModeConfig);  // left configuration mode
  EXPECT_EQ(state(), "-G-O");
  ApplyButtonStates(f.pm, true, static_cast<ButtonMode>(7));  // unknown mode: nothing
  EXPECT_EQ(state(), "-G-O");
}

TEST(TabStrip, ScrollRightHidesFirstThenLeftRevealsIt) {
  Form f;
  TabStrip(f.pm, f.slots, TabStripRefresh);
  EXPECT_EQ(f.shownItems(), "11111111111");
  TabStrip(f.pm, f.slots, TabStripRight);
  EXPECT_EQ(f.shownItems(), "01111111111");
  TabStrip(f.pm, f.slots, TabStripRight);
  EXPECT_EQ(f.shownItems(), "00111111111");
  TabStrip(f.pm, f.slots, TabStripLeft);
  EXPECT_EQ(f.shownItems(), "01111111111");
  TabStrip(f.pm, f.slots, TabStripLeft);
  TabStrip(f.pm, f.slots, TabStripLeft);  // nothing more to reveal
  EXPECT_EQ(f.shownItems(), "11111111111");
}

TEST(TabStrip, RefreshFollowsSlotsAndSelectsFirstShownPage) {
  Form f;
  f.slots[0].shown = false;
  f.slots[7].shown = false;
  TabStrip(f.pm, f.slots, TabStripRefresh);
  EXPECT_EQ(f.shownItems(), "01111110111");
  EXPECT_EQ(f.pm.find<ui::TabLayout>("switch")->currentIndex(), 1);
  EXPECT_TRUE(f.pm.find<ui::Option>("Server")->selected());
}

TEST(TabStrip, PageForOptionBySubstring) {
  auto slots = params::MakeTabSlots();
  EXPECT_EQ(PageForOption(slots, "Lora"), 7);
  EXPECT_EQ(PageForOption(slots, ""), 0);
  EXPECT_EQ(PageForOption(slots, "Nothing"), -1);
}

}  // namespace
