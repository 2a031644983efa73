#pragma once
// The port, baud rate and line format as the user chose them, checked before
// anything is opened.

#include <optional>
#include <string>
#include <string_view>

namespace app {

struct LineSettings {
  std::string port;  // device path
  int baud = 0;
  int dataBits = 8;
  char parity = 'N';
  int stopBits = 1;
};

// Why the choice cannot be opened: the key of the log line in [Linux].
struct LineSettingsError {
  std::string_view key;
};

// The baud rate is read like atoi; the line format is data bits, parity
// letter, stop bits ("8N1"), of which the first three characters count.
// A port text that is empty, a baud rate below 1 and a format shorter than
// three characters are refused.
std::optional<LineSettings> ParseLineSettings(std::string_view port, std::string_view baud,
                                              std::string_view format, LineSettingsError* error);

// atoi: optional blanks and sign, then the leading digits; 0 without digits.
int ParseLeadingInt(std::string_view text);

}  // namespace app
