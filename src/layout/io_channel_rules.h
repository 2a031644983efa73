#pragma once
// The digital I/O layout: the per-channel rows (groups 7, 8, 9), the
// activation selectors that take channels off the I/O page (10 to 13, 18,
// 19), the I/O page rule and the data-format rule (15, 16).

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "layout/rule_support.h"
#include "params/form_context.h"

namespace layout {

// Channel rule table: one column per "DIO workmode" text key "Text1".."Text5".
inline constexpr int kChannelModes = 5;
enum class ChannelCell : unsigned char {
  Show, Hide,
  IfInterface3,  // shown when the interface selector is at 3
  IfReport1,     // shown when the reporting selector is at 1
  IfReport0,     // shown when the reporting selector is at 0
  Protocol,      // decided by the protocol part
};
struct ChannelRowRule {
  std::string_view suffix;  // "IOLayout<n>" + suffix
  std::array<ChannelCell, kChannelModes> byMode;
};
// Where channel 3 differs from channels 1 and 2.
struct Channel3Difference {
  std::string_view suffix;
  int mode;  // column 0..4
  ChannelCell cell;
};
struct ChannelHeight {
  int height;   // -1: decided by the protocol part
  int channel3;
};
// Protocol part: rows ".4", ".4.1", ".4.2", ".5" and the height.
inline constexpr int kProtocolRows = 4;
struct ProtocolColumn {
  int mode;           // column "Text2" (1) or "Text3" (2)
  bool protocolOne;   // protocol index 1, or any other index
  std::array<bool, kProtocolRows> rows;
  int height, channel3Height;
};

std::span<const ChannelRowRule> ChannelRows();
std::span<const ProtocolColumn> ProtocolColumns();

void RunChannelRule(params::FormContext& ctx, int channel);       // 1..3
void RunIoSelectionRule(params::FormContext& ctx);                // group 10
void RunIoControlRule(params::FormContext& ctx, int channel);     // groups 11..13
void RunIoModeRule(params::FormContext& ctx, int channel);        // 19 for 1, 18 for 2
void UpdateIoPage(params::FormContext& ctx);
void ApplyDataFormat(params::FormContext& ctx, int channel);

}  // namespace layout
