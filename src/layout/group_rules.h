#pragma once
// Layout groups 1 to 6, 14 and 17: activation method, debug output, server
// count, the four switch-and-row groups, and the LoRa rows.

#include <array>
#include <span>
#include <string_view>

#include "layout/rule_support.h"
#include "params/form_context.h"

namespace layout {

// Activation table: columns 0..4 are "ActivateMethod" 0..4; column 5 is
// "DIO" with "IOactivationmethods" at 0, column 6 "DIO" with any other index.
inline constexpr int kActivationColumns = 7;
struct ActivationRow {
  std::string_view container;
  std::array<Cell, kActivationColumns> byColumn;
  bool afterIoMethod;  // for "DIO", applied only once "IOactivationmethods" is read
};
struct ActivationColumn {
  std::span<const int> posts;  // explicit posts, after the rows
  bool showIoTab;              // show "IOTab" and mark slot 3 shown
  int height;                  // of "ActivateGroupBox"
};
std::span<const ActivationRow> ActivationRows();
const ActivationColumn& ActivationColumnOf(int column);

void RunActivationRule(params::FormContext& ctx);
void RunDebugOutputRule(params::FormContext& ctx);
// Returns 1 when zero servers were refused, else 0.
int RunServerCountRule(params::FormContext& ctx);
// Groups 4, 5, 6 and 14; other groups do nothing.
void RunSwitchRowRule(params::FormContext& ctx, int group);
void RunLoraRule(params::FormContext& ctx);

// Server-count table, one column per item text.
inline constexpr int kServerRows = 7;  // "ServiceHorizontalLayout0" .. "6"
struct ServerCountColumn {
  std::string_view text;              // empty: any other text
  std::string_view requiredDevice;    // must occur in "Device Type", else refused
  std::array<Cell, kServerRows> rows;
  std::string_view titleKey, labelKey;  // in "ModeTabItemChange"; empty: untouched
  int boxHeight, box2Height;
};
std::span<const ServerCountColumn> ServerCountColumns();  // last one: any other text

struct LoraLayoutRow {
  bool trns, v1, k6r20;
  bool layoutShown, pidShown, powerShown;
  int height;
};
std::span<const LoraLayoutRow> LoraLayoutRows();

}  // namespace layout
