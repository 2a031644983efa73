#include "params/control_binding.h"

#include "params/direction_switch.h"
#include "ui/paint_manager.h"

namespace params {
namespace {

constexpr int kLoraSlot = 7, kZigbeeSlot = 8, kGpsSlot = 9;

// At most one radio tab: the first marker found decides.
void ShowDeviceTypeTabs(FormContext& ctx) {
  TabSlots& tabs = *ctx.tabs;
  tabs[kLoraSlot].shown = tabs[kZigbeeSlot].shown = tabs[kGpsSlot].shown = false;
  const std::string type = ctx.registry->value("Device Type").value_or("");
  if (type.find("-L") != std::string::npos)
    tabs[kLoraSlot].shown = true;
  else if (type.find("-Z") != std::string::npos)
    tabs[kZigbeeSlot].shown = true;
  else if (type.find("K4x70") != std::string::npos)
    tabs[kGpsSlot].shown = true;
}

void ShowChoice(FormContext& ctx, ui::Combo& combo, std::string_view name,
                const std::string& value) {
  const ChoiceEncoding& enc = EncodingFor(name);
  if (enc.show == ShowRule::ProtocolModel) {
    // Two selections, as the terminal tool always made them: by item text,
    // then by work-mode keyword.
    combo.selectItem(ItemTextIndex(combo.items(), value));
    if (auto k = KeywordIndex(enc, value)) combo.selectItem(*k);
    return;
  }
  ShowInput in{.items = combo.items()};
  std::string workmodes[3];
  if (enc.show == ShowRule::IoSelection) {
    for (int c = 0; c < 3; ++c) {
      workmodes[c] = ctx.registry->value("DIO" + std::to_string(c + 1) + " workmode").value_or("");
      in.channelWorkmodes[c] = workmodes[c];
    }
  }
  if (auto index = ShowIndex(enc, value, in)) combo.selectItem(*index);
}

void ShowSwitches(FormContext& ctx, const DirectionSwitchSet& set, const std::string& value) {
  const int n = ReadNumber(value);
  for (int bit = 0; bit < 6; ++bit)
    if (!set.switches[bit].empty()) SetDirection(*ctx.pm, set.switches[bit], n & (1 << bit));
}

}  // namespace

void ApplyReport(FormContext& ctx) {
  ShowDeviceTypeTabs(ctx);
  if (ctx.refreshTabHeader) ctx.refreshTabHeader();
  if (ctx.loraVersion) *ctx.loraVersion = ctx.registry->value("LORA ver").value_or("");

  ctx.registry->forEach([&](const std::string& name, const ParamEntry& e) { ShowValue(ctx, name, e, e.value); });

  if (ctx.postLayoutGroup) {
    ctx.postLayoutGroup(1, 0);   // activation rules
    ctx.postLayoutGroup(17, 0);  // LoRa rules
  }
}

bool ShowValue(FormContext& ctx, std::string_view name, const ParamEntry& entry, const std::string& value) {
  if (entry.controlType == "Combobox") {
    auto* combo = ctx.pm->find<ui::Combo>(name);
    if (combo) ShowChoice(ctx, *combo, name, value);
    return combo != nullptr;
  }
  if (entry.controlType == "Edit") {
    auto* field = ctx.pm->findControl(name);
    if (field) field->setText(value);
    return field != nullptr;
  }
  if (entry.controlType == "Line") {
    const auto* set = SwitchSetFor(name);
    if (set) ShowSwitches(ctx, *set, value);
    return set != nullptr;
  }
  return false;
}

void RestoreFieldFromRegistry(FormContext& ctx, std::string_view name, bool clear) {
  const auto value = ctx.registry->value(name);
  ui::Control* field = ctx.pm->findControl(name);
  if (!value || !field) return;
  field->setText(clear ? std::string() : *value);
}

std::optional<std::string> ReadControlValue(const FormContext& ctx, std::string_view name,
                                            const ParamEntry& entry, const ChoiceTexts& texts) {
  if (entry.controlType == "Combobox") {
    const auto* combo = ctx.pm->find<ui::Combo>(name);
    if (!combo) return std::nullopt;
    return ReadChoice(EncodingFor(name), combo->currentSelection(), combo->selectedText(), texts);
  }
  if (entry.controlType == "Edit") {
    const ui::Control* field = ctx.pm->findControl(name);
    if (!field) return std::nullopt;
    return field->text();
  }
  if (entry.controlType == "Line") {
    const auto* set = SwitchSetFor(name);
    if (!set) return std::nullopt;
    std::array<bool, 6> on{};
    for (int bit = 0; bit < 6; ++bit)
      on[bit] = !set->switches[bit].empty() && DirectionIsOn(*ctx.pm, set->switches[bit]);
    return std::to_string(ReadSwitches(*set, on, entry.value));
  }
  return std::nullopt;
}

}  // namespace params
