#include "params/choice_encodings.h"

#include <algorithm>
#include <climits>
#include <cstdint>


namespace params {

int ReadNumber(std::string_view text) {
  std::size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > std::int64_t{INT_MAX} + 1) n = std::int64_t{INT_MAX} + 1;  // saturate
  }
  if (negative) return static_cast<int>(-n);
  return static_cast<int>(std::min<std::int64_t>(n, INT_MAX));
}

namespace {

// ---- parameters of the encodings -------------------------------------------

constexpr std::string_view kWorkModes[] = {"PROT", "DCUDP", "DCTCP",     "TRNS", "SMSCLI",
                                           "SMSSER", "HTTP", "MTCP/MRTU", "MQTT", "CUST"};
constexpr std::string_view kDeviceModels[] = {"CLI", "SVR"};
constexpr std::string_view kActivateMethods[] = {"AUTO", "SMSD", "CTRL", "DATA", "MIXD", "DIO"};

constexpr NumberToIndex kExfunShow[] = {{0, 0}, {3, 1}};
constexpr IndexToText kExfunRead[] = {{1, "3"}};
constexpr IndexToText kNetModeRead[] = {{0, "0"}};
// A binding centre is one bit: centre c is 2^(c-1), 0 none, 255 all.
constexpr NumberToIndex kBindingShow[] = {{0, 0}, {1, 1}, {2, 2}, {4, 3}, {8, 4}, {16, 5}, {255, 6}};
constexpr IndexToText kBindingRead[] = {{0, "0"}, {1, "1"}, {2, "2"},  {3, "4"},
                                        {4, "8"}, {5, "16"}, {6, "255"}};
// 4 and 5 are set through the activation selectors and have no item here.
constexpr NumberToIndex kDio12Show[] = {{4, 0}, {5, 0}, {6, 4}};
constexpr NumberToIndex kDio3Show[] = {{6, 1}};
constexpr NumberToIndex kIoModeShow[] = {{4, 1}, {5, 2}};

// ---- the encodings -----------------------------------------------------------

constexpr ChoiceEncoding kIndexList{};

constexpr ChoiceEncoding kProtocolModel{.show = ShowRule::ProtocolModel,
                                        .read = ReadRule::ProtocolModel,
                                        .keywords = kWorkModes};
constexpr ChoiceEncoding kExfun{.show = ShowRule::NumberMap,
                                .showMap = kExfunShow,
                                .read = ReadRule::IndexMap,
                                .readMap = kExfunRead};
constexpr ChoiceEncoding kNetMode{.show = ShowRule::NetMode,
                                  .read = ReadRule::IndexMap,
                                  .readOffset = 3,
                                  .readMap = kNetModeRead};
constexpr ChoiceEncoding kDeviceModel{.show = ShowRule::Keywords,
                                      .read = ReadRule::Keywords,
                                      .fallbackText = "-1",
                                      .keywords = kDeviceModels};
constexpr ChoiceEncoding kItemText{.show = ShowRule::ItemText, .read = ReadRule::ItemText};
constexpr ChoiceEncoding kLoraMode{.show = ShowRule::ItemText, .read = ReadRule::ItemTextNonEmpty};
constexpr ChoiceEncoding kLoraRate{.show = ShowRule::Number,
                                   .showOffset = 1,
                                   .keepIfEmpty = false,
                                   .read = ReadRule::ItemTextNonEmpty};
constexpr ChoiceEncoding kZigbeeChannel{.show = ShowRule::Number,
                                        .showOffset = 11,
                                        .keepIfEmpty = false,
                                        .read = ReadRule::ItemTextNonEmpty};
constexpr ChoiceEncoding kLoraType{
    .show = ShowRule::Number, .showOffset = 1, .readOffset = 1, .minIndex = INT_MIN};
constexpr ChoiceEncoding kFromOne{
    .show = ShowRule::Number, .showOffset = 1, .keepIfEmpty = false, .readOffset = 1};
constexpr ChoiceEncoding kActivateMethod{
    .show = ShowRule::Keywords, .read = ReadRule::Keywords, .keywords = kActivateMethods};
constexpr ChoiceEncoding kBindingCentre{.show = ShowRule::NumberMap,
                                        .showMap = kBindingShow,
                                        .read = ReadRule::IndexMap,
                                        .readMap = kBindingRead,
                                        .unmappedReadsNothing = true};
constexpr ChoiceEncoding kDioWorkmode12{.show = ShowRule::NumberMap,
                                        .showMap = kDio12Show,
                                        .fallback = ShowFallback::Same,
                                        .read = ReadRule::DioWorkmode};
constexpr ChoiceEncoding kDioWorkmode3{.show = ShowRule::NumberMap,
                                       .showMap = kDio3Show,
                                       .fallback = ShowFallback::Fixed,
                                       .fallbackIndex = 0,
                                       .read = ReadRule::DioWorkmode};
constexpr ChoiceEncoding kIoSelection{.show = ShowRule::IoSelection, .read = ReadRule::NotRead};
constexpr ChoiceEncoding kIoMode{.show = ShowRule::NumberMap,
                                 .showMap = kIoModeShow,
                                 .fallback = ShowFallback::Fixed,
                                 .fallbackIndex = 0,
                                 .readOffset = 3,
                                 .minIndex = 1};

struct NamedEncoding {
  std::string_view name;
  const ChoiceEncoding* encoding;
};

constexpr NamedEncoding kEncodings[] = {
    {"Protocolmodel", &kProtocolModel},
    {"EXFUN", &kExfun},
    {"net mode", &kNetMode},
    {"DeviceModel", &kDeviceModel},
    {"The PPP authentication", &kItemText},
    {"DIO1 interface", &kItemText},
    {"DIO2 interface", &kItemText},
    {"DIO3 interface", &kItemText},
    {"Transferprotocol", &kItemText},
    {"Dtumanagetransferprotocol", &kItemText},
    {"Serial Baudrate", &kItemText},
    {"Serial 2 Baudrate", &kItemText},
    {"RS485 Baudrate", &kItemText},
    {"Serial port commu mode", &kItemText},
    {"Serial 2 port commu mode", &kItemText},
    {"RS485 port commu mode", &kItemText},
    {"LORA Mode", &kLoraMode},
    {"LORA Rate", &kLoraRate},
    {"ZigBee_RFchannel", &kZigbeeChannel},
    {"LORA typ", &kLoraType},
    {"ActivationInterface", &kFromOne},
    {"Debugging  port", &kFromOne},
    {"ActivateMethod", &kActivateMethod},
    {"A serial port binding center", &kBindingCentre},
    {"A serial 2 port binding center", &kBindingCentre},
    {"RS485 port binding center", &kBindingCentre},
    {"DIO1 workmode", &kDioWorkmode12},
    {"DIO2 workmode", &kDioWorkmode12},
    {"DIO3 workmode", &kDioWorkmode3},
    {"I/O selection", &kIoSelection},
    {"I/O1 Mode", &kIoMode},
    {"I/O2 Mode", &kIoMode},
    // Index lists: the value is the item index.
    {"ZigBee_WorkMode", &kIndexList},
    {"ZigBee_Type", &kIndexList},
    {"GPS work mode", &kIndexList},
    {"GPS Protocol", &kIndexList},
    {"GPS GPRMC", &kIndexList},
    {"GPS GPVTG", &kIndexList},
    {"GPS GPGGA", &kIndexList},
    {"GPS GPGSA", &kIndexList},
    {"GPS GPGSV", &kIndexList},
    {"GPS GPGLL", &kIndexList},
    {"DIO1 and mapping center", &kIndexList},
    {"DIO1 reported methods", &kIndexList},
    {"1The DIO1 data format", &kIndexList},
    {"DIO1 protocol", &kIndexList},
    {"DIO2 and mapping center", &kIndexList},
    {"DIO2 reported methods", &kIndexList},
    {"1The DIO2 data format", &kIndexList},
    {"DIO2 protocol", &kIndexList},
    {"DIO3 and mapping center", &kIndexList},
    {"DIO3 reported methods", &kIndexList},
    {"1The DIO3 data format", &kIndexList},
    {"DIO3 protocol", &kIndexList},
    {"DIO3 ADCType", &kIndexList},
    {"dtu is connect to dtu manage platform", &kIndexList},
    {"DTU SMS configure fun", &kIndexList},
    {"RegistrationAndHeart", &kIndexList},
    {"RegisterbHex", &kIndexList},
    {"Show Phone NO", &kIndexList},
    {"Encode Hex SMS", &kIndexList},
    {"Send Hex SMS", &kIndexList},
    {"Deliver Recved Tcp Data Directly", &kIndexList},
    {"HTTP Request Mode", &kIndexList},
    {"DataFormat", &kIndexList},
    {"IOactivationmethods", &kIndexList},
    {"I/O1 control", &kIndexList},
    {"I/O2 control", &kIndexList},
    {"I/O3 control", &kIndexList},
    {"Debug Level", &kIndexList},
    {"Clear Serial Buffer", &kIndexList},
    {"ThePPPauthentication", &kIndexList},
    {"Should Return To Main Server", &kIndexList},
    {"LCP ECHO", &kIndexList},
    {"After a failed action", &kIndexList},
};

constexpr DirectionSwitchSet kSwitchSets[] = {
    {"EL transmit channel", {"Lora2COM", "COM2Lora", "", "", "Lora2GPRS", "GPRS2Lora"}, 0xCC},
    {"EL transmit channel_Z",
     {"Zigbee2COM", "COM2Zigbee", "", "", "Zigbee2GPRS", "GPRS2Zigbee"},
     0xCC},
    {"EL transmit channel_G",
     {"GPS2COM", "COM2GPS", "GPRS2COM", "COM2GPRS", "GPS2GPRS", "GPRS2GPS"},
     0},
};

const NamedEncoding* FindEncoding(std::string_view name) {
  for (const auto& e : kEncodings)
    if (e.name == name) return &e;
  return nullptr;
}

int ClampIndex(std::int64_t i) {
  return static_cast<int>(std::clamp<std::int64_t>(i, INT_MIN, INT_MAX));
}

}  // namespace

int ItemTextIndex(std::span<const std::string> items, std::string_view value) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == value) return static_cast<int>(i);
  return -1;
}

std::optional<int> KeywordIndex(const ChoiceEncoding& enc, std::string_view value) {
  if (value == "-1") return -1;
  for (std::size_t i = 0; i < enc.keywords.size(); ++i)
    if (enc.keywords[i] == value) return static_cast<int>(i);
  return std::nullopt;
}

const ChoiceEncoding& EncodingFor(std::string_view entryName) {
  const NamedEncoding* e = FindEncoding(entryName);
  return e ? *e->encoding : kIndexList;
}

bool HasOwnEncoding(std::string_view entryName) { return FindEncoding(entryName) != nullptr; }

std::optional<int> ShowIndex(const ChoiceEncoding& enc, std::string_view value,
                             const ShowInput& in) {
  switch (enc.show) {
    case ShowRule::Number:
      if (value.empty() && enc.keepIfEmpty) return std::nullopt;
      return ClampIndex(std::int64_t{ReadNumber(value)} - enc.showOffset);
    case ShowRule::NumberMap: {
      const int n = ReadNumber(value);
      for (const auto& p : enc.showMap)
        if (p.number == n) return p.index;
      switch (enc.fallback) {
        case ShowFallback::Keep: return std::nullopt;
        case ShowFallback::Same: return n;
        case ShowFallback::Fixed: return enc.fallbackIndex;
      }
      return std::nullopt;
    }
    case ShowRule::NetMode: {
      const int n = ReadNumber(value);
      if (n == 0) return 0;
      if (n > 3) return n - 3;
      return std::nullopt;
    }
    case ShowRule::Keywords:
      return KeywordIndex(enc, value);
    case ShowRule::ItemText:
      return ItemTextIndex(in.items, value);
    case ShowRule::ProtocolModel:
      // The work-mode keyword wins over an item text, so a skin whose items
      // are display texts still shows the right mode.
      return KeywordIndex(enc, value).value_or(ItemTextIndex(in.items, value));
    case ShowRule::IoSelection:
      for (int c = 0; c < 3; ++c)
        if (in.channelWorkmodes[c] == "4") return c;
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string> ReadChoice(const ChoiceEncoding& enc, int index,
                                      std::string_view selectedText, const ChoiceTexts& texts) {
  switch (enc.read) {
    case ReadRule::Index:
      if (index < enc.minIndex) return std::nullopt;
      return std::to_string(std::int64_t{index} + enc.readOffset);
    case ReadRule::IndexMap:
      if (index < 0) return std::nullopt;
      for (const auto& m : enc.readMap)
        if (m.index == index) return std::string(m.text);
      if (enc.unmappedReadsNothing) return std::nullopt;
      return std::to_string(std::int64_t{index} + enc.readOffset);
    case ReadRule::Keywords:
      if (index >= 0 && static_cast<std::size_t>(index) < enc.keywords.size())
        return std::string(enc.keywords[index]);
      return std::string(enc.fallbackText);
    case ReadRule::ItemText:
      return std::string(selectedText);
    case ReadRule::ItemTextNonEmpty:
      if (selectedText.empty()) return std::nullopt;
      return std::string(selectedText);
    case ReadRule::ProtocolModel:
      if (selectedText == texts.customProtocol) return std::string("CUST");
      return std::string(selectedText);
    case ReadRule::DioWorkmode: {
      static constexpr std::string_view kValues[5] = {"0", "1", "2", "3", "6"};
      if (selectedText.empty()) return std::string("0");
      for (int i = 0; i < 5; ++i)
        if (selectedText == texts.dioWorkmode[i]) return std::string(kValues[i]);
      return std::string("0");
    }
    case ReadRule::NotRead:
      return std::nullopt;
  }
  return std::nullopt;
}

const DirectionSwitchSet* SwitchSetFor(std::string_view entryName) {
  for (const auto& s : kSwitchSets)
    if (s.entry == entryName) return &s;
  return nullptr;
}

int ReadSwitches(const DirectionSwitchSet& set, const std::array<bool, 6>& on,
                 std::string_view currentValue) {
  int n = ReadNumber(currentValue) & set.carryMask;
  for (int bit = 0; bit < 6; ++bit)
    if (on[bit] && !set.switches[bit].empty()) n |= 1 << bit;
  return n;
}

}  // namespace params
