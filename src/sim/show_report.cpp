#include "sim/show_report.h"

#include "sim/terminal_texts.h"

namespace sim {
namespace {

constexpr std::string_view kApnCommand = "AT+APN";
constexpr std::string_view kLoraVersionCommand = "AT+LVER";
constexpr int kNulEvery = 7;  // every 7th value gets a NUL behind it

void AppendLine(std::string& out, std::string_view label, std::string_view value, bool nul) {
  // Labels without a leading CR LF still begin a line of their own.
  if (!(label.size() >= 2 && label[0] == '\r' && label[1] == '\n')) out += "\r\n";
  out += label;
  out += value;
  if (nul) out += '\0';
}

}  // namespace

std::string BuildShowReport(const TerminalSettings& settings, const ReportStyle& style) {
  std::string out = ReportBanner(settings.deviceType());
  if (style.nulBytes) out.insert(out.size() / 2, 1, '\0');

  const TerminalSettings::Setting* apn = nullptr;
  for (const auto& s : settings.settings())
    if (s.rule->command == kApnCommand) apn = &s;
  // The marker opens the settings; no line end before it is needed.
  if (apn) {
    out += apn->label;
    out += apn->value;
  }
  int n = 0;
  for (const auto& s : settings.settings()) {
    if (&s == apn) continue;
    if (s.rule->command == kLoraVersionCommand)
      AppendLine(out, settings.deviceTypeLabel(), settings.deviceType(), false);
    AppendLine(out, s.label, s.value, style.nulBytes && ++n % kNulEvery == 0);
  }
  out += "\r\nOK\r\n";
  return out;
}

}  // namespace sim
