#pragma once
// The simulated terminal's settings store: one value per command word, the
// labels its report prints them under (taken from the tool's registry so that
// the two cannot drift apart), and the identity facts it reports.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/param_registry.h"
#include "sim/setting_rules.h"

namespace sim {

enum class WriteResult { Stored, UnknownCommand, BadValue };

class TerminalSettings {
 public:
  struct Setting {
    const SettingRule* rule;
    std::string label;  // report label; the one with a leading CR LF where a pair differs
    std::string value;
  };

  // Builds the store from the registry. `missing` (optional) receives every
  // registry command word without a rule and every rule without a registry
  // entry; both lists are empty for a consistent build.
  TerminalSettings(std::string deviceType, std::string loraVersion,
                   std::vector<std::string>* missing = nullptr);

  // A `CMD=value` write: checks the command word (any case) and the value.
  WriteResult write(std::string_view command, std::string_view value);
  void factoryReset();

  // By command word (any case) or by registry control name; "Device Type"
  // answers the identity. Empty optional for names the terminal does not know
  // (including "I/O selection", which is no setting of the terminal).
  std::optional<std::string> value(std::string_view nameOrCommand) const;
  // Stores without validation (tests use it to plant odd values). False when
  // the name is unknown.
  bool setValue(std::string_view nameOrCommand, std::string_view v);

  // Takes every setting whose label occurs in a report text (lines ending in
  // CR LF, as the terminal prints them) and returns how many were taken.
  int loadReport(std::string_view text);

  const std::vector<Setting>& settings() const { return settings_; }
  const std::string& deviceType() const { return deviceType_; }
  const std::string& deviceTypeLabel() const { return deviceTypeLabel_; }
  const std::string& loraVersion() const { return loraVersion_; }
  const params::ParamRegistry& registry() const { return registry_; }

 private:
  Setting* findSetting(std::string_view nameOrCommand);
  const Setting* findSetting(std::string_view nameOrCommand) const;

  params::ParamRegistry registry_;
  std::vector<Setting> settings_;
  std::string deviceType_;
  std::string deviceTypeLabel_;
  std::string loraVersion_;
};

// Value of `label` in a report text the way the terminal's own readers see
// it: text after the first occurrence up to CR LF, blanks trimmed. Empty
// optional when the label or the line end is missing.
std::optional<std::string> FindLabelValue(std::string_view text, std::string_view label);

}  // namespace sim
