#include "app/notify_tables.h"

#include <algorithm>

namespace app {

namespace {

struct NamedClick {
  std::string_view name;  // empty: the "AT+" row
  ClickAction action;
};

// In the order the names are tested.
constexpr NamedClick kClickTable[] = {
    {"Open", ClickAction::Open},
    {"Clear", ClickAction::Clear},
    {"Load", ClickAction::Load},
    {"Save", ClickAction::Save},
    {"RestoreFactory", ClickAction::RestoreFactory},
    {"Login", ClickAction::Login},
    {"SaveToFile", ClickAction::SaveToFile},
    {"LoadFromFile", ClickAction::LoadFromFile},
    {"SetTime", ClickAction::SetTime},
    {"READFILELOG", ClickAction::ReadFileLog},
    {"CPIN", ClickAction::QuerySim},
    {"CSQ", ClickAction::QuerySignal},
    {"GetVer", ClickAction::QueryVersion},
    {{}, ClickAction::CustomCommand},
    {"quit", ClickAction::Quit},
    {"TabLeft", ClickAction::TabLeft},
    {"TabRight", ClickAction::TabRight},
};

struct ItemSelectRow {
  std::string_view name;
  int group;
  int arg;
};

constexpr ItemSelectRow kItemSelectTable[] = {
    {"Protocolmodel", 0, 0},
    {"DeviceModel", 0, 0},
    {"RegistrationAndHeart", 0, 0},
    {"Transferprotocol", 0, 0},
    {"ActivateMethod", 1, 0},
    {"Debug Level", 2, 0},
    {"ThePPPauthentication", 3, 0},
    {"LCP ECHO", 4, 0},
    {"EXFUN", 5, 0},
    {"dtu is connect to dtu manage platform", 6, 0},
    {"DIO1 workmode", 7, 0},
    {"DIO1 reported methods", 7, 0},
    {"DIO1 interface", 7, 0},
    {"DIO1 protocol", 7, 0},
    {"DIO2 workmode", 8, 0},
    {"DIO2 reported methods", 8, 0},
    {"DIO2 interface", 8, 0},
    {"DIO2 protocol", 8, 0},
    {"DIO3 workmode", 9, 0},
    {"DIO3 reported methods", 9, 0},
    {"DIO3 interface", 9, 0},
    {"DIO3 protocol", 9, 0},
    {"I/O selection", 10, 0},
    {"I/O1 control", 11, 0},
    {"I/O2 control", 12, 0},
    {"I/O3 control", 13, 0},
    {"DTU SMS configure fun", 14, 0},
    {"1The DIO1 data format", 16, 1},
    {"1The DIO2 data format", 16, 2},
    {"1The DIO3 data format", 16, 3},
    {"LORA Mode", 17, 0},
    {"I/O2 Mode", 18, 0},
    {"I/O1 Mode", 19, 0},
};

constexpr std::string_view kActivationSelector = "IOactivationmethods";
constexpr std::string_view kLanguageChoice = "Language";

constexpr Cell O = Cell::FollowOn, X = Cell::AgainstOn, _ = Cell::Leave;

}  // namespace

const std::array<std::string_view, 14> kDirectionToggles = {
    "Lora2COM",   "COM2Lora",   "Lora2GPRS", "GPRS2Lora", "Zigbee2COM", "COM2Zigbee", "Zigbee2GPRS",
    "GPRS2Zigbee", "GPS2COM",   "COM2GPS",   "GPS2GPRS",  "GPRS2GPS",   "GPRS2COM",   "COM2GPRS",
};

const std::array<std::string_view, 6> kServerAddressFields = {
    "Server's Ip", "Secondary Server's Ip", "Server2's Ip", "Server3's Ip", "Server4's Ip", "Server5's Ip",
};

// Columns: ModeConfig, ModePort, ModeBusy, ModeLogin.
const std::vector<ButtonStateRow> kButtonStateRows = {
    {"Save", {O, O, O, _}},         {"Load", {O, O, O, _}},       {"RestoreFactory", {O, O, O, _}},
    {"LoadFromFile", {O, O, O, _}}, {"SaveToFile", {O, O, O, _}}, {"SetTime", {O, O, O, _}},
    {"GetVer", {O, O, O, _}},       {"READFILELOG", {O, O, O, _}}, {"CPIN", {O, O, O, _}},
    {"CSQ", {O, O, O, _}},          {"quit", {O, O, O, _}},       {"Login", {X, O, _, O}},
    {"Checkcode", {_, X, _, X}},    {"BaudRate1", {_, X, _, X}},  {"SerialPort", {_, X, _, X}},
};

bool ModeSetsDeviceState(devlink::ButtonMode mode) {
  return mode == devlink::ModeConfig || mode == devlink::ModePort;
}

bool IsDirectionToggle(std::string_view name) {
  return std::find(kDirectionToggles.begin(), kDirectionToggles.end(), name) != kDirectionToggles.end();
}

ClickAction ClassifyClick(std::string_view name) {
  for (const NamedClick& row : kClickTable) {
    if (row.name.empty() ? name.find("AT+") != std::string_view::npos : name == row.name) return row.action;
  }
  return IsDirectionToggle(name) ? ClickAction::DirectionToggle : ClickAction::None;
}

ItemSelectResult ItemSelectPosts(std::string_view name, int selectedIndex) {
  ItemSelectResult r;
  if (name == kLanguageChoice) {
    r.switchLanguage = true;
    return r;
  }
  if (name == kActivationSelector) {
    r.posts.push_back({1, 0});
    if (selectedIndex == 0) {
      r.posts.push_back({10, 0});
    } else if (selectedIndex == 1) {
      for (int g : {11, 12, 13}) r.posts.push_back({g, 0});
    }
    return r;
  }
  for (const ItemSelectRow& row : kItemSelectTable) {
    if (row.name == name) {
      r.posts.push_back({row.group, row.arg});
      break;
    }
  }
  return r;
}

}  // namespace app
