#include "layout/work_mode_rules.h"

#include "layout/set_layout_visible.h"

namespace layout {
namespace {

constexpr ModeCell S = ModeCell::Show, H = ModeCell::Hide, U = ModeCell::SubRule;

// Columns: 0 PROT, 1 DCUDP, 2 DCTCP, 3 TRNS, 4 SMSCLI, 5 SMSSER, 6 HTTP,
// 7 MTCP/MRTU, 8 MQTT, 9 CUST. Applied top to bottom.
constexpr WorkModeRow kRows[] = {
    //                                 0  1  2  3  4  5  6  7  8  9
    {"ModeHorizontalLayout1",        {S, S, S, H, H, H, H, S, H, H}},
    {"ModeHorizontalLayout1.1",      {S, H, H, H, H, H, H, S, H, H}},
    {"ModeHorizontalLayout1.2",      {S, H, H, H, H, H, H, S, H, H}},
    {"ModeHorizontalLayout2",        {H, H, H, H, H, H, H, H, H, S}},
    {"ModeHorizontalLayout3",        {H, H, H, H, H, H, H, H, H, S}},
    {"ModeHorizontalLayout4",        {H, H, H, H, H, H, H, H, H, U}},
    {"ModeHorizontalLayout5",        {H, H, H, H, H, H, H, H, H, U}},
    {"ModeHorizontalLayout6",        {H, H, H, H, H, H, H, H, H, U}},
    {"ModeHorizontalLayout7",        {H, H, H, H, H, H, H, H, H, U}},
    {"ModeHorizontalLayout8",        {H, H, H, H, H, H, H, H, H, U}},
    {"ModeLayout1.1",                {H, H, H, H, S, H, H, H, H, H}},
    {"ModeLayout1.2",                {H, H, H, H, S, S, H, H, H, H}},
    {"ServerTab",                    {S, S, S, H, H, H, S, S, S, S}},
    {"IOTab",                        {S, S, S, H, H, H, S, S, S, S}},
    {"WirelessTab",                  {S, S, S, H, H, H, S, S, S, S}},
    {"GlobalTab",                    {S, S, S, H, S, S, S, S, S, S}},
    {"EquimentTab",                  {S, S, S, H, S, S, S, S, S, S}},
    {"DtumanageGroupBox",            {S, S, S, S, H, H, S, S, S, S}},
    {"bindingCenterGroupBox",        {S, S, S, S, H, S, S, S, S, U}},
    {"bindingCenterGroupBox2",       {S, S, S, S, H, S, S, S, S, U}},
    {"bindingCenterGroupBox3",       {S, S, S, S, H, S, S, S, S, U}},
    {"ActivateGroupBox",             {S, S, S, H, H, H, S, S, S, S}},
    {"ServiceGroupBox",              {S, S, S, S, S, S, S, S, S, U}},
    {"HttpLayout",                   {H, H, H, H, H, H, S, H, H, H}},
    {"MQTTLayout",                   {H, H, H, H, H, H, H, H, S, H}},
};

constexpr std::array<WorkModeColumn, kWorkModeCount> kColumns = {{
    {true, true, 110, 110},    // 0 PROT
    {true, true, 85, 110},     // 1 DCUDP
    {true, true, 85, 110},     // 2 DCTCP
    {false, false, 60, 110},   // 3 TRNS
    {false, true, 235, 85},    // 4 SMSCLI
    {false, true, 110, 110},   // 5 SMSSER
    {true, true, 85, 110},     // 6 HTTP
    {true, true, 110, 110},    // 7 MTCP/MRTU
    {true, true, 210, 110},    // 8 MQTT
    {true, true, 110, 110},    // 9 CUST: heights replaced by the sub-rule
}};

constexpr int kServerIoWirelessSlots[] = {1, 3, 4};
constexpr int kGlobalEquipmentSlots[] = {5, 6};

// The "CUST" sub-rule, by "DeviceModel" and "RegistrationAndHeart".
struct RowSetting {
  std::string_view container;
  bool visible;
};
struct SubRuleBranch {
  std::span<const RowSetting> rows;
  int modeHeight;  // -1: decided by the registration branch
  int serialHeight;
};

constexpr RowSetting kClientRows[] = {
    {"ModeHorizontalLayout4", true},  {"ModeHorizontalLayout5", false},
    {"ServiceGroupBox", true},        {"bindingCenterGroupBox", true},
    {"bindingCenterGroupBox2", true}, {"bindingCenterGroupBox3", true},
};
constexpr RowSetting kRegistrationOnRows[] = {
    {"ModeHorizontalLayout6", false}, {"ModeHorizontalLayout7", true},
    {"ModeHorizontalLayout8", true},
};
constexpr RowSetting kRegistrationOffRows[] = {
    {"ModeHorizontalLayout6", false}, {"ModeHorizontalLayout7", false},
    {"ModeHorizontalLayout8", false},
};
constexpr RowSetting kServerRows[] = {
    {"ModeHorizontalLayout4", false},  {"ModeHorizontalLayout5", true},
    {"ModeHorizontalLayout6", false},  {"ModeHorizontalLayout7", false},
    {"ModeHorizontalLayout8", false},  {"bindingCenterGroupBox", false},
    {"bindingCenterGroupBox2", false}, {"bindingCenterGroupBox3", false},
    {"ServiceGroupBox", false},
};
constexpr SubRuleBranch kClient = {kClientRows, -1, 110};
constexpr SubRuleBranch kRegistrationOn = {kRegistrationOnRows, 185, 110};
constexpr SubRuleBranch kRegistrationOff = {kRegistrationOffRows, 110, 110};
constexpr SubRuleBranch kServer = {kServerRows, 110, 85};
constexpr int kClientModel = 0;
constexpr int kRegistrationOnIndex = 1;

void Apply(params::FormContext& ctx, const SubRuleBranch& b, int& mode, int& serial) {
  for (const RowSetting& r : b.rows) SetLayoutVisible(ctx, r.container, r.visible);
  if (b.modeHeight >= 0) mode = b.modeHeight;
  serial = b.serialHeight;
}

// False when "DeviceModel" is missing: the heights are then left alone.
bool RunCustSubRule(params::FormContext& ctx, int& mode, int& serial) {
  ui::Combo* device = FindCombo(ctx, "DeviceModel");
  if (!device) return false;
  if (SelectedIndex(*device) != kClientModel) {
    Apply(ctx, kServer, mode, serial);
    return true;
  }
  Apply(ctx, kClient, mode, serial);
  ui::Combo* heart = FindCombo(ctx, "RegistrationAndHeart");
  bool on = heart && SelectedIndex(*heart) == kRegistrationOnIndex;
  Apply(ctx, on ? kRegistrationOn : kRegistrationOff, mode, serial);
  return true;
}

constexpr std::string_view kSerialBoxes[] = {"serialGroupbox", "serial2Groupbox", "serial3Groupbox"};

}  // namespace

std::span<const WorkModeRow> WorkModeRows() { return kRows; }
const WorkModeColumn& WorkModeColumnOf(int mode) { return kColumns.at(mode); }

void RunWorkModeRule(params::FormContext& ctx) {
  ui::Combo* protocol = FindCombo(ctx, "Protocolmodel");
  if (!protocol) return;
  const int m = SelectedIndex(*protocol);
  int modeHeight = 60, serialHeight = 110;
  if (m >= 0 && m < kWorkModeCount) {
    for (const WorkModeRow& row : kRows)
      if (row.byMode[m] != ModeCell::SubRule)
        SetLayoutVisible(ctx, row.container, row.byMode[m] == ModeCell::Show);
    const WorkModeColumn& col = kColumns[m];
    for (int slot : kServerIoWirelessSlots) SetTabShown(ctx, slot, col.serverIoWirelessShown);
    for (int slot : kGlobalEquipmentSlots) SetTabShown(ctx, slot, col.globalEquipmentShown);
    modeHeight = col.modeHeight;
    serialHeight = col.serialHeight;
    if (m == kCustWorkMode && !RunCustSubRule(ctx, modeHeight, serialHeight)) return;
  }
  SetHeight(ctx, "ModeGroupBox", modeHeight);
  for (std::string_view box : kSerialBoxes) SetHeight(ctx, box, serialHeight);
}

}  // namespace layout
