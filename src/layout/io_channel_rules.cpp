#include "layout/io_channel_rules.h"

#include "layout/set_layout_visible.h"
#include "params/choice_encodings.h"
#include "params/control_binding.h"

namespace layout {
namespace {

using C = ChannelCell;
constexpr C S = C::Show, H = C::Hide, I3 = C::IfInterface3, R1 = C::IfReport1,
            R0 = C::IfReport0, P = C::Protocol;

// Columns: Text1, Text2, Text3, Text4, Text5. Applied top to bottom.
constexpr ChannelRowRule kRows[] = {
    {".1",   {H, S, S, H, H}},
    {".2",   {H, S, S, H, H}},
    {".2.1", {H, I3, I3, H, H}},
    {".3",   {H, S, H, H, H}},
    {".3.1", {H, R1, H, H, H}},
    {".3.2", {H, R0, H, H, H}},
    {".4",   {H, P, P, H, H}},
    {".4.1", {H, P, P, H, H}},
    {".4.2", {H, P, P, H, H}},
    {".5",   {H, P, P, H, H}},
    {".6",   {H, H, H, S, H}},
    {".7",   {H, H, H, H, S}},
};
constexpr Channel3Difference kChannel3[] = {{".2", 4, S}};
constexpr ChannelHeight kHeights[kChannelModes] = {{60, 60}, {-1, -1}, {-1, -1}, {85, 85}, {85, 135}};

constexpr std::string_view kProtocolSuffixes[kProtocolRows] = {".4", ".4.1", ".4.2", ".5"};
constexpr ProtocolColumn kProtocol[] = {
    {1, true, {true, true, false, true}, 160, 160},
    {1, false, {false, false, false, false}, 110, 110},
    {2, true, {true, true, true, true}, 135, 135},
    {2, false, {true, false, true, false}, 110, 85},
};
constexpr int kProtocolOneIndex = 1;
constexpr int kSmsInterfaceIndex = 3;

constexpr std::string_view kWorkModeKeys[kChannelModes] = {"Text1", "Text2", "Text3", "Text4",
                                                          "Text5"};

constexpr std::string_view kBoxes[] = {"IO1GroupBox", "IO2GroupBox", "IO3GroupBox"};
constexpr std::string_view kControls[] = {"I/O1 control", "I/O2 control", "I/O3 control"};
constexpr std::string_view kModes[] = {"I/O1 Mode", "I/O2 Mode"};
constexpr int kIoSlot = 3;
constexpr int kLastCentreIndex = 5;  // "I/O<n> control" 0..5 maps the channel to a centre

std::string ChannelName(std::string_view pattern, int channel) {
  std::string s(pattern);
  auto at = s.find('#');
  if (at != std::string::npos) s.replace(at, 1, std::to_string(channel));
  return s;
}

bool ValidChannel(int channel) { return channel >= 1 && channel <= 3; }

ChannelCell CellFor(const ChannelRowRule& row, int mode, int channel) {
  if (channel == 3)
    for (const Channel3Difference& d : kChannel3)
      if (d.suffix == row.suffix && d.mode == mode) return d.cell;
  return row.byMode[mode];
}

const ProtocolColumn* ProtocolFor(int mode, const ui::Combo* protocol) {
  if (!protocol) return nullptr;
  const bool one = SelectedIndex(*protocol) == kProtocolOneIndex;
  for (const ProtocolColumn& c : kProtocol)
    if (c.mode == mode && c.protocolOne == one) return &c;
  return nullptr;
}

int ProtocolRowOf(std::string_view suffix) {
  for (int i = 0; i < kProtocolRows; ++i)
    if (kProtocolSuffixes[i] == suffix) return i;
  return -1;
}

}  // namespace

std::span<const ChannelRowRule> ChannelRows() { return kRows; }
std::span<const ProtocolColumn> ProtocolColumns() { return kProtocol; }

void RunChannelRule(params::FormContext& ctx, int channel) {
  if (!ValidChannel(channel)) return;
  ui::Combo* workmode = FindCombo(ctx, ChannelName("DIO# workmode", channel));
  if (!workmode) return;
  const std::string w = workmode->selectedText();
  int mode = -1;
  for (int i = 0; i < kChannelModes && mode < 0; ++i)
    if (w == Text(ctx, "DIO workmode", kWorkModeKeys[i])) mode = i;

  int height = 60;
  if (mode >= 0) {
    ui::Combo* iface = FindCombo(ctx, ChannelName("DIO# interface", channel));
    ui::Combo* report = FindCombo(ctx, ChannelName("DIO# reported methods", channel));
    ui::Combo* protocolSel = FindCombo(ctx, ChannelName("DIO# protocol", channel));
    const ProtocolColumn* protocol = ProtocolFor(mode, protocolSel);
    const std::string rowBase = ChannelName("IOLayout#", channel);
    for (const ChannelRowRule& row : kRows) {
      const std::string name = rowBase + std::string(row.suffix);
      switch (CellFor(row, mode, channel)) {
        case C::Show: SetLayoutVisible(ctx, name, true); break;
        case C::Hide: SetLayoutVisible(ctx, name, false); break;
        case C::IfInterface3:
          if (iface) SetLayoutVisible(ctx, name, SelectedIndex(*iface) == kSmsInterfaceIndex);
          break;
        case C::IfReport1:
          if (report) SetLayoutVisible(ctx, name, SelectedIndex(*report) == 1);
          break;
        case C::IfReport0:
          if (report) SetLayoutVisible(ctx, name, SelectedIndex(*report) == 0);
          break;
        case C::Protocol:
          if (protocol) SetLayoutVisible(ctx, name, protocol->rows[ProtocolRowOf(row.suffix)]);
          break;
      }
    }
    const ChannelHeight& h = kHeights[mode];
    if (h.height >= 0)
      height = channel == 3 ? h.channel3 : h.height;
    else if (protocol)
      height = channel == 3 ? protocol->channel3Height : protocol->height;
  }
  SetHeight(ctx, kBoxes[channel - 1], height);
}

void RunIoSelectionRule(params::FormContext& ctx) {
  ui::Combo* selection = FindCombo(ctx, "I/O selection");
  if (!selection) return;
  const int s = SelectedIndex(*selection);
  const bool onScreen = selection->effectivelyVisible();
  for (int i = 0; i < 3; ++i) SetLayoutVisible(ctx, kBoxes[i], !(onScreen && s == i));
  if (!onScreen) return;
  SetTabShown(ctx, kIoSlot, true);
  SetLayoutVisible(ctx, "IOTab", true);
}

void RunIoControlRule(params::FormContext& ctx, int channel) {
  if (!ValidChannel(channel)) return;
  ui::Combo* control = FindCombo(ctx, kControls[channel - 1]);
  if (!control) return;
  if (!control->effectivelyVisible()) {
    SetLayoutVisible(ctx, kBoxes[channel - 1], true);
    return;
  }
  const int c = SelectedIndex(*control);
  SetLayoutVisible(ctx, kBoxes[channel - 1], !(c >= 0 && c <= kLastCentreIndex));
  UpdateIoPage(ctx);
}

void RunIoModeRule(params::FormContext& ctx, int channel) {
  if (channel != 1 && channel != 2) return;
  ui::Combo* mode = FindCombo(ctx, kModes[channel - 1]);
  if (!mode) return;
  if (!mode->effectivelyVisible()) {
    SetLayoutVisible(ctx, kBoxes[channel - 1], true);
    return;
  }
  SetLayoutVisible(ctx, kBoxes[channel - 1], SelectedIndex(*mode) < 1);
  // Channel 2's rule goes on with channel 1's.
  if (channel == 2) RunIoModeRule(ctx, 1);
}

void UpdateIoPage(params::FormContext& ctx) {
  int assigned = 0;
  for (std::string_view name : kControls) {
    ui::Control* c = FindControl(ctx, name);
    if (!c) return;
    if (DisplayedText(*c) != "None") ++assigned;
  }
  const bool offered = assigned != 3;
  SetTabShown(ctx, kIoSlot, offered);  // before the header follows
  SetLayoutVisible(ctx, "IOTab", offered);
}

void ApplyDataFormat(params::FormContext& ctx, int channel) {
  const std::string formatName = "1The DIO" + std::to_string(channel) + " data format";
  ui::Combo* format = FindCombo(ctx, formatName);
  const params::ParamEntry* entry = ctx.registry ? ctx.registry->find(formatName) : nullptr;
  bool changed = false;
  if (format && entry)
    changed = SelectedIndex(*format) != params::ReadNumber(ctx.registry->value(formatName).value_or(""));
  static constexpr std::string_view kFields[] = {
      "DIO# query command", "DIO# output control result", "DIO# high level information",
      "DIO# low level information"};
  for (std::string_view pattern : kFields)
    params::RestoreFieldFromRegistry(ctx, ChannelName(pattern, channel), changed);
}

}  // namespace layout
