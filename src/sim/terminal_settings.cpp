#include "sim/terminal_settings.h"

#include <algorithm>
#include <utility>

namespace sim {
namespace {

constexpr std::string_view kDeviceTypeName = "Device Type";
constexpr std::string_view kReportMarker = "Access Point Name:";

bool StartsWithCrLf(std::string_view s) { return s.size() >= 2 && s[0] == '\r' && s[1] == '\n'; }

}  // namespace

std::optional<std::string> FindLabelValue(std::string_view text, std::string_view label) {
  auto at = text.find(label);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = text.substr(at + label.size());
  auto end = rest.find("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view v = rest.substr(0, end);
  while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\r')) v.remove_suffix(1);
  return std::string(v);
}

TerminalSettings::TerminalSettings(std::string deviceType, std::string loraVersion,
                                   std::vector<std::string>* missing)
    : deviceType_(std::move(deviceType)),
      loraVersion_(std::move(loraVersion)) {
  params::BuildRegistry(registry_);
  for (const SettingRule& rule : SettingRules()) {
    Setting s{&rule, {}, rule.kind == ValueKind::ReadOnly ? loraVersion_ : rule.defaultValue};
    settings_.push_back(std::move(s));
  }
  registry_.forEach([&](const std::string& name, const params::ParamEntry& e) {
    if (name == kDeviceTypeName) {
      deviceTypeLabel_ = e.reportLabel;
      return;
    }
    if (e.atCommand.empty()) return;
    Setting* s = findSetting(e.atCommand);
    if (!s) {
      if (missing) missing->push_back(e.atCommand);
      return;
    }
    // Entries sharing a command word: print the label with the leading CR LF,
    // which the label without it also finds.
    if (s->label.empty() || (!StartsWithCrLf(s->label) && StartsWithCrLf(e.reportLabel)))
      s->label = e.reportLabel;
  });
  if (missing)
    for (const Setting& s : settings_)
      if (s.label.empty()) missing->push_back(s.rule->command);
  settings_.erase(std::remove_if(settings_.begin(), settings_.end(),
                                 [](const Setting& s) { return s.label.empty(); }),
                  settings_.end());
}

TerminalSettings::Setting* TerminalSettings::findSetting(std::string_view nameOrCommand) {
  return const_cast<Setting*>(std::as_const(*this).findSetting(nameOrCommand));
}

const TerminalSettings::Setting* TerminalSettings::findSetting(std::string_view nameOrCommand) const {
  std::string command;
  if (const params::ParamEntry* e = registry_.find(nameOrCommand)) {
    if (e->atCommand.empty()) return nullptr;
    command = UpperAscii(e->atCommand);
  } else {
    command = UpperAscii(nameOrCommand);
  }
  for (const Setting& s : settings_)
    if (command == s.rule->command) return &s;
  return nullptr;
}

WriteResult TerminalSettings::write(std::string_view command, std::string_view value) {
  if (registry_.find(command)) return WriteResult::UnknownCommand;  // control names are not commands
  Setting* s = findSetting(command);
  if (!s) return WriteResult::UnknownCommand;
  if (!ValueAccepted(*s->rule, value)) return WriteResult::BadValue;
  s->value = value;
  return WriteResult::Stored;
}

void TerminalSettings::factoryReset() {
  for (Setting& s : settings_)
    if (s.rule->kind != ValueKind::ReadOnly) s.value = s.rule->defaultValue;
}

std::optional<std::string> TerminalSettings::value(std::string_view nameOrCommand) const {
  if (nameOrCommand == kDeviceTypeName) return deviceType_;
  if (const Setting* s = findSetting(nameOrCommand)) return s->value;
  return std::nullopt;
}

bool TerminalSettings::setValue(std::string_view nameOrCommand, std::string_view v) {
  if (nameOrCommand == kDeviceTypeName) {
    deviceType_ = v;
    return true;
  }
  Setting* s = findSetting(nameOrCommand);
  if (!s) return false;
  s->value = v;
  if (s->rule->kind == ValueKind::ReadOnly) loraVersion_ = v;
  return true;
}

int TerminalSettings::loadReport(std::string_view text) {
  auto marker = text.find(kReportMarker);
  if (marker == std::string_view::npos) return 0;
  text.remove_prefix(marker);
  int taken = 0;
  for (Setting& s : settings_) {
    if (auto v = FindLabelValue(text, s.label)) {
      s.value = *v;
      if (s.rule->kind == ValueKind::ReadOnly) loraVersion_ = *v;
      ++taken;
    }
  }
  if (auto v = FindLabelValue(text, deviceTypeLabel_)) {
    deviceType_ = *v;
    ++taken;
  }
  return taken;
}

}  // namespace sim
