#pragma once
// Layout group 0: the work mode decides the work-mode rows, five tab
// buttons with their slots, the activation, server, management and serial
// binding boxes, and the heights of the work-mode and serial boxes.

#include <array>
#include <span>
#include <string_view>

#include "layout/rule_support.h"
#include "params/form_context.h"

namespace layout {

inline constexpr int kWorkModeCount = 10;  // "Protocolmodel" indices 0..9
inline constexpr int kCustWorkMode = 9;

// One row of the work-mode table; SubRule rows are left to the "CUST" sub-rule.
enum class ModeCell : unsigned char { Show, Hide, SubRule };
struct WorkModeRow {
  std::string_view container;
  std::array<ModeCell, kWorkModeCount> byMode;
};

struct WorkModeColumn {
  bool serverIoWirelessShown;    // tab slots 1, 3, 4
  bool globalEquipmentShown;     // tab slots 5, 6
  int modeHeight, serialHeight;  // "CUST" takes its heights from the sub-rule
};

std::span<const WorkModeRow> WorkModeRows();
const WorkModeColumn& WorkModeColumnOf(int mode);  // mode in 0..9

void RunWorkModeRule(params::FormContext& ctx);

}  // namespace layout
