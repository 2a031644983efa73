#include "link/serial_port.h"

#include <system_error>

namespace devlink {

std::string FormatSerialFailure(std::string_view step, std::string_view systemText,
                                std::string_view port) {
  std::string s = "WARNING:  ";
  s.append(step);
  s += " Failed with the following error: \n";
  s.append(systemText);
  s += "\nPort: ";
  s.append(port);
  s += "\n";
  return s;
}

std::string SystemErrorText(int err) { return std::system_category().message(err); }

}  // namespace devlink
