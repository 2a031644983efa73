#include "params/param_registry.h"

#include "params/param_table.h"

namespace params {

const std::array<const char*, kTabSlotCount> kTabButtonNames = {
    "WorkModeTab", "ServerTab", "SerialTab",  "IOTab",     "WirelessTab", "GlobalTab",
    "EquimentTab", "LoraTab",   "ZigbeeTab", "GPSTab",    "OperationTab"};

TabSlots MakeTabSlots() {
  TabSlots slots;
  for (int i = 0; i < kTabSlotCount; ++i) slots[i] = TabSlot{kTabButtonNames[i], true};
  return slots;
}

void ParamRegistry::AddParam(ParamGroup group, std::string_view controlType, std::string_view name,
                             std::string_view reportLabel, std::string_view atCommand) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (entries_.find(name) != entries_.end()) return;
  ParamEntry e;
  e.atCommand = atCommand;
  e.reportLabel = reportLabel;
  e.inUse = true;
  e.controlType = controlType;
  e.group = group;
  entries_.emplace(std::string(name), std::move(e));
}

const ParamEntry* ParamRegistry::find(std::string_view name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : &it->second;
}

std::optional<std::string> ParamRegistry::value(std::string_view name) const {
  const ParamEntry* e = find(name);
  if (!e) return std::nullopt;
  std::lock_guard<std::mutex> lock(mutex_);
  return e->value;
}

bool ParamRegistry::setValue(std::string_view name, std::string_view v) {
  auto it = entries_.find(name);
  if (it == entries_.end()) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  it->second.value = v;
  return true;
}

std::optional<bool> ParamRegistry::inUse(std::string_view name) const {
  const ParamEntry* e = find(name);
  if (!e) return std::nullopt;
  std::lock_guard<std::mutex> lock(mutex_);
  return e->inUse;
}

bool ParamRegistry::setInUse(std::string_view name, bool on) {
  auto it = entries_.find(name);
  if (it == entries_.end()) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  it->second.inUse = on;
  return true;
}

void ParamRegistry::clearValues() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& [name, e] : entries_) e.value.clear();
}

std::vector<std::string> ParamRegistry::names() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const auto& [name, e] : entries_) out.push_back(name);
  return out;
}

void BuildRegistry(ParamRegistry& registry) {
  for (const ParamRow& r : ParamTable())
    registry.AddParam(r.group, r.controlType, r.name, r.reportLabel, r.atCommand);
  // Read-only: shown through the LoRa version text, never saved.
  registry.setInUse("LORA ver", false);
}

}  // namespace params
