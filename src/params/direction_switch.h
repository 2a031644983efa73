#pragma once
// Transfer-direction switches: image buttons whose background image name
// carries their state ("...enable..." on, "...disable..." off).

#include <string_view>

namespace ui {
class PaintManager;
}

namespace params {

// Turns the named switch on or off; a missing switch is left alone.
void SetDirection(ui::PaintManager& pm, std::string_view name, bool on);
// True when the named switch exists and its image name contains "enable".
bool DirectionIsOn(const ui::PaintManager& pm, std::string_view name);
// What a click does: "disable" becomes "enable", otherwise "enable" becomes
// "disable".
void ToggleDirection(ui::PaintManager& pm, std::string_view name);

}  // namespace params
