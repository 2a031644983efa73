#pragma once
// The unit of work of the worker, and the reply kinds the receive side waits for.

#include <cstdint>
#include <string>
#include <string_view>

#include "link/timing.h"

namespace devlink {

// Also the type of expectedReply, which additionally takes None, Handshake and
// Escape (never queued). 14 is not assigned.
enum JobType : std::int32_t {
  None = -1,
  Handshake = 0,
  ReadSettings = 1,
  WriteSetting = 2,
  Escape = 3,
  FactoryReset = 4,
  ReadSettingsToFile = 5,
  ReadSettingsForFile = 6,
  QuitConfig = 7,
  FindNetMode = 8,
  QueryVersion = 9,
  QuerySim = 10,
  QuerySignal = 11,
  QuerySignalRetry = 12,
  ReadFileLog = 13,
  CustomCommand = 15,
};

struct Job {
  JobType type = None;
  std::string command;    // exact bytes for the line, framing included
  std::string paramName;  // registry key of a parameter write; empty otherwise
  std::string value;      // value being written; empty otherwise
};

// Command texts, letter case and leading line ends as the terminal expects them.
inline constexpr std::string_view kCmdShow = "\r\nAT+SHOW\r\n";
inline constexpr std::string_view kCmdFactory = "\r\nAT+FACTORY\r\n";
inline constexpr std::string_view kCmdQuit = "\r\nat+quit\r\n";
inline constexpr std::string_view kCmdFindNetMode = "AT+FINDNETMODE\r\n";
inline constexpr std::string_view kCmdVersion = "At+VER\r\n";
inline constexpr std::string_view kCmdSim = "\r\nAt+CPIN?\r\n";
inline constexpr std::string_view kCmdSignal = "At+CSQ\r\n";
inline constexpr std::string_view kCmdFileLog = "at+READFILELOG\r\n";
inline constexpr std::string_view kKey = "s";
inline constexpr std::string_view kEscape = "+++";

inline Job MakeJob(JobType type, std::string_view command) {
  return Job{type, std::string(command), {}, {}};
}

// Reads of the whole report and of the terminal's log file get the long
// time-out; everything else the short one. Not yet multiplied by timeoutFactor.
int TimeoutBaseMs(JobType type, const Timing& timing);

}  // namespace devlink
