#pragma once
// The main window's own messages and timers. Values keep the terminal tool's
// historic numbering (user base 0x400) so logs and traces read the same.

#include <cstdint>

namespace devlink {

inline constexpr std::uint32_t kUserBase = 0x400;

enum WindowMessage : std::uint32_t {
  UM_SERIAL_DATA = kUserBase + 10,        // payload: received bytes; synchronous
  UM_LAYOUT_GROUP = kUserBase + 1100,     // wParam: group 0..19, lParam: argument; posted
  UM_LOG_TEXT = kUserBase + 1101,         // payload: text; posted
  UM_REPORT_READY = kUserBase + 1102,     // synchronous
  UM_SAVE_SNAPSHOT = kUserBase + 1104,    // posted
  UM_LOAD_SNAPSHOT = kUserBase + 1105,    // posted
  UM_BUTTON_STATE = kUserBase + 1107,     // wParam: 1 enable, else disable; lParam: ButtonMode
  UM_SWITCH_LANGUAGE = kUserBase + 1108,  // posted
  // Not in the historic table: the monitor saw the device go away.
  UM_LINE_LOST = kUserBase + 1200,        // posted
};

enum ButtonMode : std::int32_t { ModeConfig = 0, ModePort = 1, ModeBusy = 2, ModeLogin = 3 };

enum TimerId : int { KEY_TIMER = 101, TITLE_TIMER = 102 };

}  // namespace devlink
