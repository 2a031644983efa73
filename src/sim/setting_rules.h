#pragma once
// What the simulated terminal accepts for each of its settings, and the value
// each one has after a factory reset. One row per command word: the command
// words that several form entries share are one setting here.

#include <span>
#include <string>
#include <string_view>

namespace sim {

enum class ValueKind {
  Number,    // decimal integer in [min, max]
  Keyword,   // exactly one of `keywords` ('|'-separated), case included
  Ipv4,      // dotted quad, each part 0..255
  Host,      // dotted quad or a DNS name
  Port,      // decimal 0..65535
  Phone,     // '+' then digits, '*' and '#'; up to `max` characters
  Hex,       // hexadecimal digits, `min`..`max` of them
  Text,      // printable ASCII, `min`..`max` bytes
  ReadOnly,  // never written (firmware facts such as the radio version)
};

struct SettingRule {
  const char* command;  // upper-case command word
  const char* defaultValue;
  ValueKind kind;
  int min = 0;
  int max = 0;
  const char* keywords = "";
};

// The terminal's whole table, in the order its report lists the settings
// (after "Access Point Name:", which always comes first).
std::span<const SettingRule> SettingRules();

// Null when the command word (any case) names no setting.
const SettingRule* FindSettingRule(std::string_view command);

// True when `value` is acceptable for the setting. Empty is accepted only where
// the setting's minimum length is 0 (Text, Phone) or the kind allows it.
bool ValueAccepted(const SettingRule& rule, std::string_view value);

std::string UpperAscii(std::string_view s);

}  // namespace sim
