#include "app/line_settings.h"

#include <cctype>
#include <climits>

namespace app {

int ParseLeadingInt(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  long long v = 0;
  for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i) {
    v = v * 10 + (t[i] - '0');
    if (v > INT_MAX) return negative ? INT_MIN : INT_MAX;  // clamp instead of overflowing
  }
  return static_cast<int>(negative ? -v : v);
}

std::optional<LineSettings> ParseLineSettings(std::string_view port, std::string_view baud,
                                              std::string_view format, LineSettingsError* error) {
  auto fail = [error](std::string_view key) {
    if (error) error->key = key;
    return std::nullopt;
  };
  if (port.empty()) return fail("NotADevice");
  LineSettings s;
  s.port = std::string(port);
  s.baud = ParseLeadingInt(baud);
  if (s.baud < 1) return fail("BadBaudRate");
  if (format.size() < 3) return fail("NoLineFormat");
  s.dataBits = format[0] - '0';
  s.parity = format[1];
  s.stopBits = format[2] - '0';
  return s;
}

}  // namespace app
