#include "app/form_state.h"

#include <algorithm>
#include <string>

#include "app/notify_tables.h"

namespace app {

namespace {
constexpr std::string_view kStrip = "HorizontalLayoutUI6";
constexpr std::string_view kPages = "switch";
constexpr int kLastSlot = params::kTabSlotCount - 1;

ui::Control* Item(ui::PaintManager& pm, const params::TabSlots& slots, int i) {
  return pm.findControl(slots[i].name);
}
}  // namespace

void ApplyButtonStates(ui::PaintManager& pm, bool on, devlink::ButtonMode mode) {
  if (mode < devlink::ModeConfig || mode > devlink::ModeLogin) return;
  for (const ButtonStateRow& row : kButtonStateRows) {
    Cell cell = row.byMode[mode];
    if (cell == Cell::Leave) continue;
    if (ui::Control* c = pm.findControl(row.name)) c->setEnabled(cell == Cell::FollowOn ? on : !on);
  }
}

void ShowDeviceState(ui::PaintManager& pm, const ui::LanguageFile& lang, bool on) {
  if (ui::Control* c = pm.findControl("DeviceState"))
    c->setText(lang.LangText("SetDeviceState", on ? "szLoginOn" : "szLoginOff"));
  if (on) {
    if (ui::Control* help = pm.findControl("helpGroupBox")) help->setVisible(false);
  }
}

int PageForOption(const params::TabSlots& slots, std::string_view optionName) {
  for (int i = 0; i < params::kTabSlotCount; ++i)
    if (slots[i].name.find(optionName) != std::string::npos) return i;
  return -1;
}

static void Refresh(ui::PaintManager& pm, const params::TabSlots& slots) {
  bool selected = false;
  for (int i = 0; i <= kLastSlot; ++i) {
    ui::Control* item = Item(pm, slots, i);
    if (!item) continue;
    item->setVisible(slots[i].shown);
    if (slots[i].shown && !selected) {
      selected = true;
      if (auto* pages = pm.find<ui::TabLayout>(kPages)) pages->selectItem(i);
      const std::string& n = slots[i].name;
      std::string optionName = n.size() > 3 ? n.substr(0, n.size() - 3) : std::string();
      if (auto* option = pm.find<ui::Option>(optionName)) option->setSelected(true);
    }
  }
}

static void ScrollLeft(ui::PaintManager& pm, const params::TabSlots& slots) {
  int f = kLastSlot;
  for (int i = 0; i <= kLastSlot; ++i) {
    ui::Control* item = Item(pm, slots, i);
    if (slots[i].shown && item && item->visible()) {
      f = i;
      break;
    }
  }
  for (int i = f - 1; i >= 0; --i) {
    if (!slots[i].shown) continue;
    if (ui::Control* item = Item(pm, slots, i)) item->setVisible(true);
    return;
  }
  if (ui::Control* item = Item(pm, slots, f)) item->setVisible(true);
}

static void ScrollRight(ui::PaintManager& pm, const params::TabSlots& slots) {
  ui::Control* strip = pm.findControl(kStrip);
  if (!strip) return;
  const int width = strip->fixedWidth();
  int target = kLastSlot;
  int sum = 0;
  for (int i = 0; i <= kLastSlot; ++i) {
    ui::Control* item = Item(pm, slots, i);
    if (!slots[i].shown || !item || !item->visible()) continue;
    sum += item->fixedWidth();
    if (sum >= width) {
      target = std::min(i + 1, kLastSlot);
      break;
    }
  }
  sum = 0;
  bool hiding = false;
  for (int i = target; i >= 0; --i) {
    ui::Control* item = Item(pm, slots, i);
    if (!slots[i].shown || !item) continue;
    if (!hiding) {
      sum += item->fixedWidth();
      hiding = sum > width;
    }
    if (hiding) item->setVisible(false);
  }
}

void TabStrip(ui::PaintManager& pm, const params::TabSlots& slots, int mode) {
  switch (mode) {
    case TabStripRefresh: Refresh(pm, slots); break;
    case TabStripLeft: ScrollLeft(pm, slots); break;
    case TabStripRight: ScrollRight(pm, slots); break;
    default: break;
  }
}

}  // namespace app
