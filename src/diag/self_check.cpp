#include "diag/self_check.h"

#include <cstdio>

namespace diag {

std::string FormatClockTime(const std::tm& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d,%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

std::string FormatLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FormatClockTime(local);
}

devlink::Job ClockJob(std::string_view timeText) {
  std::string cmd = "AT+EXCCLK=\"";
  cmd += timeText;
  cmd += "\",5\r\n";
  return devlink::MakeJob(devlink::WriteSetting, cmd);
}

void SetTerminalClock(devlink::JobQueue& queue) { queue.push(ClockJob(FormatLocalTime())); }

bool IsCustomCommandName(std::string_view name) { return name.find("AT+") != std::string_view::npos; }

devlink::Job CustomCommandJob(std::string_view controlName) {
  std::string cmd(controlName);
  cmd += "\r\n";
  return devlink::MakeJob(devlink::CustomCommand, cmd);
}

std::optional<std::string> NetModeValue(std::string_view reply, int count) {
  constexpr std::string_view kTag = "+FINDNETMODE:";
  if (count > kNetModeReplyLimit) return std::nullopt;
  auto start = reply.find(kTag);
  if (start == std::string_view::npos) return std::nullopt;
  start += kTag.size();
  auto end = reply.find("\r\n", start);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(reply.substr(start, end - start));
}

void ShowNetMode(ui::PaintManager& pm, std::string_view reply, int count) {
  ui::Control* field = pm.findControl("FINDNETMODE");
  if (!field) return;
  if (auto v = NetModeValue(reply, count)) field->setText(*v);
}

}  // namespace diag
