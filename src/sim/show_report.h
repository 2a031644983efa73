#pragma once
// The terminal's answer to AT+SHOW: a few banner lines, then "Access Point
// Name:" and every other setting on a line of its own, then "OK".

#include <string>

#include "sim/terminal_settings.h"

namespace sim {

struct ReportStyle {
  // Puts NUL bytes into the banner and behind some values (before the line
  // end), as a terminal with a sloppy printf does.
  bool nulBytes = false;
};

std::string BuildShowReport(const TerminalSettings& settings, const ReportStyle& style = {});

}  // namespace sim
