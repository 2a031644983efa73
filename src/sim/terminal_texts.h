#pragma once
// The fixed texts the terminal prints. None contains "OK", "ERROR", "'s' key",
// "AT+LIST", "enter setting!" or "Seting Timeout and quit" except where that
// text is meant: the tool finds them by plain substring search.

#include <string>
#include <string_view>

namespace sim {

inline constexpr std::string_view kFirmwareVersion = "V3.2.7";
inline constexpr std::string_view kFirmwareBuild = "2023-08-15";

std::string BootBanner(std::string_view deviceType);
std::string BootPrompt(double windowSeconds);
std::string CommandList();  // begins with the line naming AT+LIST
std::string DataModeStart(std::string_view server, std::string_view port);
std::string ReportBanner(std::string_view deviceType);

inline constexpr std::string_view kEnterSetting = "\r\nenter setting!\r\n";
inline constexpr std::string_view kSettingTimeout = "\r\nSeting Timeout and quit\r\n";
inline constexpr std::string_view kOk = "OK\r\n";
inline constexpr std::string_view kError = "ERROR\r\n";

}  // namespace sim
