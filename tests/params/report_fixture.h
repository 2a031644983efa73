#pragma once
// A full settings report made from the registry's own labels, one line per
// terminal setting (entries sharing a command word share a line), each value
// naming its command word so a test can tell every setting apart.

#include <set>
#include <string>

#include "params/param_registry.h"

namespace params::testing {

inline std::string ValueFor(const ParamEntry& e, const std::string& name) {
  return "v " + (e.atCommand.empty() ? name : e.atCommand);
}

inline std::string FullReport(const ParamRegistry& reg) {
  std::string report = "\r\nAT+SHOW\r\n";
  std::set<std::string> printed;
  auto line = [&](const std::string& label, const std::string& value) {
    if (label.rfind("\r\n", 0) != 0) report += "\r\n";
    report += label + " " + value + "\r\n";
  };
  const ParamEntry* apn = reg.find("Access Point Name");
  line(apn->reportLabel, ValueFor(*apn, "Access Point Name"));
  printed.insert(apn->atCommand);
  reg.forEach([&](const std::string& name, const ParamEntry& e) {
    if (e.reportLabel.empty()) return;
    std::string key = e.atCommand.empty() ? name : e.atCommand;
    if (!printed.insert(key).second) return;
    line(e.reportLabel, ValueFor(e, name));
  });
  return report + "\r\nOK\r\n";
}

}  // namespace params::testing
