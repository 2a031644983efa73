#include "layout/group_rules.h"

#include "layout/set_layout_visible.h"

namespace layout {
namespace {

constexpr Cell S = Cell::Show, H = Cell::Hide, K = Cell::Keep;

// ---- Group 1: activation method --------------------------------------------

constexpr ActivationRow kActivationRows[] = {
    //                                    0  1  2  3  4  5  6
    {"ActivateHorizontalLayout1",       {H, S, S, H, S, H, H}, false},
    {"ActivateHorizontalLayout1.2",     {K, K, K, K, K, H, H}, false},
    {"ActivateHorizontalLayout2",       {H, H, H, S, S, H, H}, false},
    {"ActivateHorizontalLayout3",       {H, H, H, S, S, H, H}, false},
    {"ActivateHorizontalLayout4",       {H, H, H, H, H, S, S}, false},
    {"ActivateHorizontalLayout5",       {H, H, H, H, H, S, H}, true},
    {"ActivateHorizontalLayout6",       {H, H, H, H, H, H, S}, true},
    {"ActivateHorizontalLayout6.1",     {H, S, H, H, S, H, S}, true},
    {"ActivateHorizontalLayout6.1.1",   {H, H, H, H, H, H, S}, true},
    {"ActivateHorizontalLayout6.1.2",   {H, S, H, H, S, H, H}, true},
    {"ActivateHorizontalLayout7",       {H, H, S, H, S, H, H}, false},
    {"ActivateHorizontalLayout8",       {H, S, H, H, S, H, H}, false},
    {"ActivateHorizontalLayout9",       {H, H, H, H, S, H, H}, false},
    {"IO1GroupBox",                     {S, S, S, S, K, K, K}, true},
    {"IO2GroupBox",                     {S, S, S, S, K, K, K}, true},
    {"IO3GroupBox",                     {S, S, S, S, S, K, K}, true},
};

constexpr int kMixedPosts[] = {17, 18};
constexpr int kDioSelectionPosts[] = {10};
constexpr int kDioControlPosts[] = {11, 12, 13};

constexpr ActivationColumn kActivationColumnTable[kActivationColumns] = {
    {{}, true, 60},                  // 0 AUTO
    {{}, true, 110},                 // 1 SMSD
    {{}, true, 85},                  // 2 CTRL
    {{}, true, 110},                 // 3 DATA
    {kMixedPosts, true, 185},        // 4 MIXD
    {kDioSelectionPosts, false, 110},  // 5 DIO, I/O selection
    {kDioControlPosts, false, 135},  // 5 DIO, I/O control
};

constexpr int kDioMethod = 5;
constexpr int kIoSlot = 3;

void ApplyActivationRows(params::FormContext& ctx, int column, bool afterIoMethod) {
  for (const ActivationRow& r : kActivationRows)
    if (r.afterIoMethod == afterIoMethod) ApplyCell(ctx, r.container, r.byColumn[column]);
}

// ---- Groups 3 and 17 -----------------------------------------------------------

constexpr ServerCountColumn kServerCount[] = {
    {"0", "K4x70", {H, H, H, H, H, H, S}, "ServerTitle1", "Server's Label1", 60, 110},
    {"1", {}, {S, S, H, H, H, H, S}, "ServerTitle1", "Server's Label1", 110, 110},
    {"2", {}, {S, H, S, H, H, H, H}, "ServerTitle2", "Server's Label2", 110, 85},
    {"3", {}, {S, H, S, S, H, H, H}, "ServerTitle2", "Server's Label2", 135, 85},
    {"4", {}, {S, H, S, S, S, H, H}, "ServerTitle2", "Server's Label2", 160, 85},
    {"5", {}, {S, H, S, S, S, S, H}, "ServerTitle2", "Server's Label2", 185, 85},
    {{}, {}, {K, K, K, K, K, K, K}, {}, {}, 60, 110},  // any other text
};
constexpr std::string_view kServerRowNames[kServerRows] = {
    "ServiceHorizontalLayout0", "ServiceHorizontalLayout1", "ServiceHorizontalLayout2",
    "ServiceHorizontalLayout3", "ServiceHorizontalLayout4", "ServiceHorizontalLayout5",
    "ServiceHorizontalLayout6",
};
constexpr int kServerFallbackIndex = 1;

const ServerCountColumn& ServerColumnFor(std::string_view text) {
  for (const ServerCountColumn& c : kServerCount)
    if (!c.text.empty() && c.text == text) return c;
  return kServerCount[std::size(kServerCount) - 1];
}

constexpr LoraLayoutRow kLoraRows[] = {
    // TRNS   v1     K6R20T-W  layout pid    power  height
    {true, false, false, true, true, true, 260},   {true, false, true, true, true, false, 235},
    {true, true, false, true, false, true, 235},   {true, true, true, true, false, false, 210},
    {false, false, false, false, true, true, 235}, {false, false, true, false, true, false, 210},
    {false, true, false, false, false, true, 210}, {false, true, true, false, false, false, 185},
};

// ---- Groups 4, 5, 6, 14 ----------------------------------------------------------

enum class ShowWhen { NotZero, ExactlyOne };
struct SwitchRowRule {
  int group;
  std::string_view switchName, row;
  ShowWhen when;
  std::string_view box;
  int shownHeight, hiddenHeight;
};
constexpr SwitchRowRule kSwitchRows[] = {
    {4, "LCP ECHO", "GlobalHorizontalLayout1", ShowWhen::NotZero, "PPPGroupBox", 85, 60},
    {5, "EXFUN", "GlobalHorizontalLayout2", ShowWhen::NotZero, "ICMPGroupBox", 110, 60},
    {6, "dtu is connect to dtu manage platform", "EquimentLayout1", ShowWhen::NotZero,
     "DtumanageGroupBox", 110, 60},
    {14, "DTU SMS configure fun", "EquimentLayout2", ShowWhen::ExactlyOne, "DtumanageGroupBox1",
     110, 60},
};

}  // namespace

std::span<const ActivationRow> ActivationRows() { return kActivationRows; }
const ActivationColumn& ActivationColumnOf(int column) { return kActivationColumnTable[column]; }
std::span<const ServerCountColumn> ServerCountColumns() { return kServerCount; }
std::span<const LoraLayoutRow> LoraLayoutRows() { return kLoraRows; }

void RunActivationRule(params::FormContext& ctx) {
  ui::Combo* method = FindCombo(ctx, "ActivateMethod");
  if (!method) return;
  int column = SelectedIndex(*method);
  if (column < 0 || column > kDioMethod) {
    SetHeight(ctx, "ActivateGroupBox", 60);
    return;
  }
  ApplyActivationRows(ctx, column, false);
  if (column == kDioMethod) {
    ui::Combo* ioMethod = FindCombo(ctx, "IOactivationmethods");
    if (!ioMethod) return;
    column = SelectedIndex(*ioMethod) == 0 ? kDioMethod : kDioMethod + 1;
  }
  ApplyActivationRows(ctx, column, true);
  const ActivationColumn& col = kActivationColumnTable[column];
  for (int g : col.posts) PostGroup(ctx, g);
  if (col.showIoTab) {
    SetTabShown(ctx, kIoSlot, true);
    SetLayoutVisible(ctx, "IOTab", true);
  }
  SetHeight(ctx, "ActivateGroupBox", col.height);
}

void RunDebugOutputRule(params::FormContext& ctx) {
  ui::Combo* level = FindCombo(ctx, "Debug Level");
  if (!level) return;
  SetLayoutVisible(ctx, "DebugHorizontalLayout1", SelectedIndex(*level) != 0);
}

int RunServerCountRule(params::FormContext& ctx) {
  ui::Combo* count = FindCombo(ctx, "ThePPPauthentication");
  ui::Control* title = FindControl(ctx, "ServerTitle");
  ui::Control* label = FindControl(ctx, "Server's Label");
  if (!count || !title || !label) return 0;
  const ServerCountColumn& col = ServerColumnFor(count->selectedText());
  if (!col.requiredDevice.empty()) {
    std::string device = ctx.registry ? ctx.registry->value("Device Type").value_or("") : "";
    if (device.find(col.requiredDevice) == std::string::npos) {
      if (ctx.messageBox) ctx.messageBox(Text(ctx, "Notify", "ServerCount"));
      // The box may have dispatched other messages; look the choice up again.
      if (ui::Combo* again = FindCombo(ctx, "ThePPPauthentication"))
        again->selectItem(kServerFallbackIndex);
      return 1;
    }
  }
  for (int i = 0; i < kServerRows; ++i) ApplyCell(ctx, kServerRowNames[i], col.rows[i]);
  if (!col.titleKey.empty()) title->setText(Text(ctx, "ModeTabItemChange", col.titleKey));
  if (!col.labelKey.empty()) label->setText(Text(ctx, "ModeTabItemChange", col.labelKey));
  if (!FindControl(ctx, "ServiceGroupBox")) return 0;
  SetHeight(ctx, "ServiceGroupBox", col.boxHeight);
  SetHeight(ctx, "ServiceGroupBox2", col.box2Height);
  return 0;
}

void RunSwitchRowRule(params::FormContext& ctx, int group) {
  for (const SwitchRowRule& r : kSwitchRows) {
    if (r.group != group) continue;
    ui::Combo* sw = FindCombo(ctx, r.switchName);
    if (!sw) return;
    const int i = SelectedIndex(*sw);
    const bool shown = r.when == ShowWhen::NotZero ? i != 0 : i == 1;
    SetLayoutVisible(ctx, r.row, shown);
    SetHeight(ctx, r.box, shown ? r.shownHeight : r.hiddenHeight);
    return;
  }
}

void RunLoraRule(params::FormContext& ctx) {
  ui::Combo* mode = FindCombo(ctx, "LORA Mode");
  if (!mode) return;
  const std::string version = ctx.loraVersion ? *ctx.loraVersion : std::string();
  const bool trns = mode->selectedText() == "TRNS";
  const bool v1 = version.find("v1") != std::string::npos;
  const bool k6 = version.find("K6R20T-W") != std::string::npos;
  for (const LoraLayoutRow& r : kLoraRows) {
    if (r.trns != trns || r.v1 != v1 || r.k6r20 != k6) continue;
    SetLayoutVisible(ctx, "LoraLayout", r.layoutShown);
    SetLayoutVisible(ctx, "LoraPID", r.pidShown);
    SetLayoutVisible(ctx, "LoraType", false);
    SetLayoutVisible(ctx, "LoraPower", r.powerShown);
    SetHeight(ctx, "LoraGroupBox", r.height);
    return;
  }
}

}  // namespace layout
