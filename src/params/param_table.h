#pragma once
// The terminal's fixed table of settings, as plain rows. BuildRegistry() reads
// it; the simulated terminal prints its report from the same rows.

#include <span>
#include <string_view>

#include "params/param_registry.h"

namespace params {

struct ParamRow {
  ParamGroup group;
  std::string_view controlType;
  std::string_view name;
  std::string_view reportLabel;  // "\r\n" here is the two bytes CR LF
  std::string_view atCommand;
};

// All 179 rows, grouped by tab in the terminal's table order (not name order).
std::span<const ParamRow> ParamTable();

}  // namespace params
