#pragma once
// The main window's notification tables as data: what a click does by the
// sender's name, which layout groups a changed choice posts, and which
// controls each button-state message enables or disables.

#include <array>
#include <string_view>
#include <vector>

#include "link/window_messages.h"

namespace app {

enum class ClickAction {
  None, Open, Clear, Load, Save, RestoreFactory, Login, SaveToFile, LoadFromFile, SetTime,
  ReadFileLog, QuerySim, QuerySignal, QueryVersion, CustomCommand, Quit, TabLeft, TabRight,
  DirectionToggle,
};

// By name, first match in the table's order: a name containing "AT+" is a
// custom command unless an earlier exact name matched.
ClickAction ClassifyClick(std::string_view name);

// The 14 transfer-direction switches.
extern const std::array<std::string_view, 14> kDirectionToggles;
bool IsDirectionToggle(std::string_view name);

// The six server address fields checked for blanks when left.
extern const std::array<std::string_view, 6> kServerAddressFields;

struct LayoutPost {
  int group;
  int arg;
  bool operator==(const LayoutPost&) const = default;
};

struct ItemSelectResult {
  std::vector<LayoutPost> posts;  // in posting order
  bool switchLanguage = false;
};

// What a changed selection of the named choice posts; `selectedIndex` only
// matters for "IOactivationmethods".
ItemSelectResult ItemSelectPosts(std::string_view name, int selectedIndex);

// One control's response to a button-state message in one mode.
enum class Cell { Leave, FollowOn, AgainstOn };

struct ButtonStateRow {
  std::string_view name;
  std::array<Cell, 4> byMode;  // indexed by ButtonMode
};

extern const std::vector<ButtonStateRow> kButtonStateRows;
// Whether the mode also shows the device state (configuration mode on/off).
bool ModeSetsDeviceState(devlink::ButtonMode mode);

}  // namespace app
