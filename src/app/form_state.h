#pragma once
// What the user sees of the link's state, as functions of the control tree:
// enabled command buttons, the device-state label, the tab strip. A control
// the skin lacks is skipped.

#include "link/window_messages.h"
#include "params/param_registry.h"
#include "ui/lang_text.h"
#include "ui/paint_manager.h"

namespace app {

// Enables or disables the controls of the button-state table for `mode`.
// Does not touch the device state; see ModeSetsDeviceState().
void ApplyButtonStates(ui::PaintManager& pm, bool on, devlink::ButtonMode mode);

// The device-state label; entering configuration mode also hides the help box.
void ShowDeviceState(ui::PaintManager& pm, const ui::LanguageFile& lang, bool on);

enum TabStripMode { TabStripRefresh = 0, TabStripLeft = 1, TabStripRight = 2 };

// Mode 0 shows the header items of the shown slots and brings the first
// shown page forward (selecting its option button); 1 reveals one hidden
// item to the left; 2 hides items at the left so later ones come into view.
// Other modes do nothing.
void TabStrip(ui::PaintManager& pm, const params::TabSlots& slots, int mode);

// The page whose slot name contains `optionName`; -1 when none.
int PageForOption(const params::TabSlots& slots, std::string_view optionName);

}  // namespace app
