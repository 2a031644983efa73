#pragma once
// Configuration-mode commands: one line in (without its line end), one reply
// out. Command words are matched in any case; values keep their case.

#include <chrono>
#include <ctime>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "sim/show_report.h"
#include "sim/terminal_settings.h"

namespace sim {

struct CommandReply {
  std::string text;
  bool leaveConfig = false;  // at+quit: back to data mode after the reply
  bool isReport = false;
};

// The command word of a line: upper case, up to "=" (blanks not trimmed).
std::string CommandWord(std::string_view line);

// Parses "yyyy/mm/dd,hh:mm:ss" (19 characters, fields in range).
std::optional<std::tm> ParseClockText(std::string_view text);

class CommandInterpreter {
 public:
  using SystemClock = std::chrono::system_clock;

  explicit CommandInterpreter(TerminalSettings& settings) : settings_(settings) {}

  CommandReply execute(std::string_view line);

  // The terminal's event log, read out by AT+READFILELOG.
  void logEvent(std::string_view what);
  // Terminal clock, "yyyy/mm/dd,hh:mm:ss": the PC's local time until set.
  std::string clockText() const;
  std::string report() const { return BuildShowReport(settings_, style_); }
  void setReportStyle(ReportStyle style) { style_ = style; }

 private:
  CommandReply write(std::string_view word, std::string_view value);
  CommandReply setClock(std::string_view args);
  std::string readLog() const;

  TerminalSettings& settings_;
  ReportStyle style_;
  SystemClock::duration clockOffset_{};
  std::deque<std::string> log_;
};

}  // namespace sim
