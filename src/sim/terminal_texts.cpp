#include "sim/terminal_texts.h"

#include <cmath>

namespace sim {

std::string BootBanner(std::string_view deviceType) {
  std::string s = "\r\n\r\nBootloader V1.06\r\nChecking flash ... done\r\nStarting ";
  s += deviceType;
  s += " firmware ";
  s += kFirmwareVersion;
  s += " (";
  s += kFirmwareBuild;
  s += ")\r\n";
  return s;
}

std::string BootPrompt(double windowSeconds) {
  long shown = std::lround(std::ceil(windowSeconds));
  return "Press 's' key within " + std::to_string(shown < 1 ? 1 : shown) +
         " seconds to enter setting mode\r\n";
}

std::string CommandList() {
  return "\r\nAT+LIST         list the commands\r\n"
         "AT+SHOW         show every setting\r\n"
         "AT+<CMD>=<VAL>  change a setting\r\n"
         "AT+FACTORY      restore factory settings\r\n"
         "AT+VER          firmware version\r\n"
         "AT+CPIN?        SIM card state\r\n"
         "AT+CSQ          signal quality\r\n"
         "AT+FINDNETMODE  network in use\r\n"
         "AT+READFILELOG  read the event log\r\n"
         "AT+EXCCLK=\"yyyy/mm/dd,hh:mm:ss\",5  set the clock\r\n"
         "AT+QUIT         leave setting mode\r\n";
}

std::string DataModeStart(std::string_view server, std::string_view port) {
  std::string s = "\r\nDialing *99***1# ...\r\nPPP up, local address 10.64.12.7\r\nConnecting to ";
  s += server;
  s += ":";
  s += port;
  s += " ...\r\n";
  return s;
}

std::string ReportBanner(std::string_view deviceType) {
  std::string s = "\r\n==================== Settings ====================\r\n";
  s += "Model: ";
  s += deviceType;
  s += "   Firmware: ";
  s += kFirmwareVersion;
  s += " build ";
  s += kFirmwareBuild;
  s += "\r\n==================================================\r\n";
  return s;
}

}  // namespace sim
