#include "layout/container_membership.h"

#include <algorithm>
#include <initializer_list>
#include <map>

namespace layout {
namespace {

using Names = std::initializer_list<const char*>;

struct FixedRow {
  const char* container;
  Names params;
  Names inUseWhenShown = {};
  int postWhenShown = -1;
  Names outOfUseWhenHidden = {};
};

const FixedRow kFixedRows[] = {
    {"ModeHorizontalLayout1", {"Modem'sID number", "PhoneNO."}},
    {"ModeHorizontalLayout1.1", {"Modem'sID number"}},
    {"ModeHorizontalLayout1.2", {"Deliver Recved Tcp Data Directly"}},
    {"ModeHorizontalLayout2", {"DeviceModel", "Transferprotocol"}},
    {"ModeHorizontalLayout4", {"RegistrationAndHeart"}},
    {"ModeHorizontalLayout5", {"ListenPort"}},
    {"ModeHorizontalLayout7", {"RegisterbHex"}},
    {"ModeHorizontalLayout8",
     {"RegisterInfo", "RegistrationReplyInfo", "HeartbeatPacket", "HeartbeatPacketReplyInfo"}},
    {"ModeLayout1.1",
     {"sms Phone1 No", "sms Phone2 No", "sms Phone3 No", "sms Phone4 No", "sms Phone5 No"}},
    {"ModeLayout1.2", {"Show Phone NO", "Encode Hex SMS", "Send Hex SMS"}},
    {"HttpLayout", {"HTTP Request Mode"}},
    {"MQTTLayout",
     {"MQTT Client ID", "MQTT User Name", "MQTT Password", "MQTT Receive Topic",
      "MQTT Send Topic", "MQTT KEY"}},
    {"ActivateGroupBox", {}, {"SMSActivationNO."}, 1,
     {"SMSActivationNO.", "ActivationPhoneNO.", "I/O1 control", "I/O2 control", "I/O3 control",
      "I/O selection", "IOactivationmethods", "RegisterInfo", "RegistrationReplyInfo",
      "HeartbeatPacket", "HeartbeatPacketReplyInfo", "ActivationInterface", "DataFormat",
      "On-line data", "Offline data"}},
    {"ActivateHorizontalLayout2", {"On-line data", "Offline data"}},
    {"ActivateHorizontalLayout3", {"ActivationInterface", "DataFormat"}},
    {"ActivateHorizontalLayout4", {"IOactivationmethods"}},
    {"ActivateHorizontalLayout5", {"I/O selection"}, {}, 10},
    {"ActivateHorizontalLayout6", {"I/O1 control", "I/O2 control"}},
    {"ActivateHorizontalLayout6.1.1", {"I/O3 control"}},
    {"ActivateHorizontalLayout6.1.2", {"Sms Daemon Password"}},
    {"ActivateHorizontalLayout7", {"ActivationPhoneNO."}},
    {"ActivateHorizontalLayout8", {"SMSActivationNO."}},
    {"ActivateHorizontalLayout9", {"I/O1 Mode", "I/O2 Mode"}},
    {"DebugHorizontalLayout1", {"Debugging  port"}},
    // The main server's two parameters keep their flags when the box is hidden.
    {"ServiceGroupBox", {}, {"Server's Ip", "Server's Port"}, 3,
     {"Secondary Server's Ip", "Secondary Server's Port", "Server2's Ip", "Server2's Port",
      "Server3's Ip", "Server3's Port", "Server4's Ip", "Server4's Port", "Server5's Ip",
      "Server5's Port"}},
    {"ServiceHorizontalLayout0", {"Server's Ip", "Server's Port"}},
    {"ServiceHorizontalLayout1", {"Secondary Server's Ip", "Secondary Server's Port"}},
    {"ServiceHorizontalLayout2", {"Server2's Ip", "Server2's Port"}},
    {"ServiceHorizontalLayout3", {"Server3's Ip", "Server3's Port"}},
    {"ServiceHorizontalLayout4", {"Server4's Ip", "Server4's Port"}},
    {"ServiceHorizontalLayout5", {"Server5's Ip", "Server5's Port"}},
    {"bindingCenterGroupBox", {"A serial port binding center"}},
    {"bindingCenterGroupBox2", {"A serial 2 port binding center"}},
    {"bindingCenterGroupBox3", {"RS485 port binding center"}},
    {"GlobalHorizontalLayout1", {"Lcp echo interval", "Lcp echo testing number"}},
    {"GlobalHorizontalLayout2", {"ICMP Ip", "ICMP interval", "ICMP testing number"}},
    {"DtumanageGroupBox",
     {"dtu is connect to dtu manage platform", "Dtu manage id", "dtu manage server's Ip",
      "Dtumanagetransferprotocol", "dtu manage server's Port"}},
    {"EquimentLayout1",
     {"Dtu manage id", "dtu manage server's Ip", "Dtumanagetransferprotocol",
      "dtu manage server's Port"}},
    {"EquimentLayout2", {"DTU SMS configure password", "DTU SMS administrator number"}},
    {"LoraLayout", {"LORA TAddr"}},
    {"LoraPID", {"LORA pid"}},
    {"LoraType", {"LORA typ"}},
    {"LoraPower", {"LORA Power"}},
};

// The three I/O channels share their rows; '#' stands for the channel digit.
// A name with `onlyChannel` set exists on that channel alone.
struct ChannelName {
  const char* pattern;
  int onlyChannel = 0;
};
using ChannelNames = std::initializer_list<ChannelName>;

struct ChannelRow {
  const char* container;
  ChannelNames params;
  ChannelNames inUseWhenShown = {};
  int firstPost = -1;  // group of channel 1; channels 2 and 3 follow it
  ChannelNames outOfUseWhenHidden = {};
};

const ChannelRow kChannelRows[] = {
    {"IO#GroupBox", {}, {{"DIO# workmode"}}, 7,
     {{"DIO# workmode"}, {"DIO# protocol"}, {"DIO# interface"}, {"DIO# SMS number"},
      {"DIO# reported methods"}, {"DIO# reported times"}, {"DIO# query command"},
      {"1The DIO# data format"}, {"DIO# high level information"}, {"DIO# low level information"},
      {"DIO# and mapping center"}, {"DIO# upper threshold"}, {"DIO# lower threshold"},
      {"DIO# output control result"}, {"DIO# ADCType", 3}}},
    {"IOLayout#.1", {{"DIO# protocol"}}},
    {"IOLayout#.2", {{"DIO# interface"}}},
    {"IOLayout#.2.1", {{"DIO# SMS number"}}},
    {"IOLayout#.3", {{"DIO# reported methods"}}},
    {"IOLayout#.3.1", {{"DIO# reported times"}}},
    {"IOLayout#.3.2", {{"DIO# query command"}}},
    {"IOLayout#.4.1", {{"1The DIO# data format"}}},
    {"IOLayout#.4.2", {{"DIO# output control result"}}},
    {"IOLayout#.5", {{"DIO# high level information"}, {"DIO# low level information"}}},
    {"IOLayout#.6", {{"DIO# and mapping center"}}},
    {"IOLayout#.7", {{"DIO# ADCType", 3}, {"DIO# upper threshold"}, {"DIO# lower threshold"}}},
};

std::vector<std::string> Copy(Names names) { return {names.begin(), names.end()}; }

std::string ForChannel(const char* pattern, int channel) {
  std::string s = pattern;
  std::replace(s.begin(), s.end(), '#', static_cast<char>('0' + channel));
  return s;
}

std::vector<std::string> ForChannel(ChannelNames names, int channel) {
  std::vector<std::string> out;
  for (const ChannelName& n : names)
    if (n.onlyChannel == 0 || n.onlyChannel == channel) out.push_back(ForChannel(n.pattern, channel));
  return out;
}

std::vector<Membership> BuildTable() {
  std::vector<Membership> table;
  for (const FixedRow& r : kFixedRows)
    table.push_back({r.container, Copy(r.params), Copy(r.inUseWhenShown), r.postWhenShown,
                     Copy(r.outOfUseWhenHidden)});
  for (int channel = 1; channel <= 3; ++channel)
    for (const ChannelRow& r : kChannelRows)
      table.push_back({ForChannel(r.container, channel), ForChannel(r.params, channel),
                       ForChannel(r.inUseWhenShown, channel),
                       r.firstPost < 0 ? -1 : r.firstPost + channel - 1,
                       ForChannel(r.outOfUseWhenHidden, channel)});
  return table;
}

using Index = std::map<std::string, const Membership*, std::less<>>;

Index BuildIndex(const std::vector<Membership>& table) {
  Index index;
  for (const Membership& m : table) index.emplace(m.container, &m);
  return index;
}

}  // namespace

const std::vector<Membership>& MembershipTable() {
  static const std::vector<Membership> table = BuildTable();
  return table;
}

const Membership* FindMembership(std::string_view container) {
  static const Index index = BuildIndex(MembershipTable());
  auto it = index.find(container);
  return it == index.end() ? nullptr : it->second;
}

}  // namespace layout
