#include "sim/command_interpreter.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "sim/terminal_texts.h"

namespace sim {
namespace {

constexpr std::size_t kLogLines = 60;

// Lines a freshly flashed terminal already holds in its log.
constexpr std::array<const char*, 6> kFactoryLog{
    "system start, reset cause: power on",
    "SIM ready, IMSI 460001234567890",
    "register network: LTE, CSQ 24",
    "PPP up, local address 10.64.12.7",
    "server 1 connected",
    "heartbeat sent",
};

std::string Reply(std::string_view body) {
  std::string s = "\r\n";
  s += body;
  s += "\r\n\r\nOK\r\n";
  return s;
}

std::string FormatTm(const std::tm& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d,%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

}  // namespace

std::string CommandWord(std::string_view line) {
  return UpperAscii(line.substr(0, line.find('=')));
}

std::optional<std::tm> ParseClockText(std::string_view s) {
  if (s.size() != 19 || s[4] != '/' || s[7] != '/' || s[10] != ',' || s[13] != ':' ||
      s[16] != ':')
    return std::nullopt;
  auto field = [&](std::size_t at, std::size_t len, int& out) {
    out = 0;
    for (std::size_t i = at; i < at + len; ++i) {
      if (s[i] < '0' || s[i] > '9') return false;
      out = out * 10 + (s[i] - '0');
    }
    return true;
  };
  std::tm t{};
  int year, mon, day, hour, min, sec;
  if (!field(0, 4, year) || !field(5, 2, mon) || !field(8, 2, day) || !field(11, 2, hour) ||
      !field(14, 2, min) || !field(17, 2, sec))
    return std::nullopt;
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 2000 || year > 2099 || mon < 1 || mon > 12 || day < 1 || day > kDays[mon - 1] ||
      hour > 23 || min > 59 || sec > 59)
    return std::nullopt;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (mon == 2 && day == 29 && !leap) return std::nullopt;
  t.tm_year = year - 1900;
  t.tm_mon = mon - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = min;
  t.tm_sec = sec;
  t.tm_isdst = -1;
  return t;
}

CommandReply CommandInterpreter::execute(std::string_view line) {
  std::string word = CommandWord(line);
  auto eq = line.find('=');
  if (eq != std::string_view::npos) {
    if (word == "AT+EXCCLK") return setClock(line.substr(eq + 1));
    return write(word, line.substr(eq + 1));
  }
  if (word == "AT+SHOW") return {report(), false, true};
  if (word == "AT") return {std::string(kOk)};
  if (word == "AT+LIST") return {CommandList() + "\r\nOK\r\n"};
  if (word == "AT+FACTORY") {
    settings_.factoryReset();
    logEvent("factory settings restored");
    return {"\r\n" + std::string(kOk)};
  }
  if (word == "AT+QUIT") {
    logEvent("leave setting mode");
    return {"\r\n" + std::string(kOk), true};
  }
  if (word == "AT+VER")
    return {Reply(settings_.deviceType() + " " + std::string(kFirmwareVersion) + " build " +
                  std::string(kFirmwareBuild))};
  if (word == "AT+CPIN?") return {Reply("+CPIN: READY")};
  if (word == "AT+CSQ") return {Reply("+CSQ: 24,99")};
  if (word == "AT+FINDNETMODE") return {Reply("+FINDNETMODE:LTE")};
  if (word == "AT+READFILELOG") return {readLog()};
  if (word == "AT+EXCCLK?") return {Reply("+EXCCLK: \"" + clockText() + "\"")};
  return {std::string(kError)};
}

CommandReply CommandInterpreter::write(std::string_view word, std::string_view value) {
  if (settings_.write(word, value) != WriteResult::Stored) return {std::string(kError)};
  logEvent("setting changed: " + std::string(word));
  return {std::string(kOk)};
}

CommandReply CommandInterpreter::setClock(std::string_view args) {
  // "yyyy/mm/dd,hh:mm:ss",zone
  if (args.size() < 22 || args[0] != '"' || args[20] != '"' || args[21] != ',')
    return {std::string(kError)};
  std::string_view zone = args.substr(22);
  if (zone.empty() || zone.size() > 2) return {std::string(kError)};
  for (char c : zone)
    if (c < '0' || c > '9') return {std::string(kError)};
  auto tm = ParseClockText(args.substr(1, 19));
  if (!tm) return {std::string(kError)};
  std::time_t set = std::mktime(&*tm);
  if (set == static_cast<std::time_t>(-1)) return {std::string(kError)};
  clockOffset_ = SystemClock::from_time_t(set) - SystemClock::now();
  logEvent("clock set");
  return {std::string(kOk)};
}

std::string CommandInterpreter::clockText() const {
  std::time_t now = SystemClock::to_time_t(SystemClock::now() + clockOffset_);
  std::tm t{};
  localtime_r(&now, &t);
  return FormatTm(t);
}

void CommandInterpreter::logEvent(std::string_view what) {
  log_.push_back(clockText() + " " + std::string(what));
  while (log_.size() > kLogLines) log_.pop_front();
}

std::string CommandInterpreter::readLog() const {
  std::string s = "\r\n+READFILELOG: begin\r\n";
  for (const char* line : kFactoryLog) {
    s += "2023/08/15,10:00:00 ";
    s += line;
    s += "\r\n";
  }
  for (const std::string& line : log_) {
    s += line;
    s += "\r\n";
  }
  s += "+READFILELOG: end\r\n\r\nOK\r\n";
  return s;
}

}  // namespace sim
