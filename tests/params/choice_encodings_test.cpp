#include "params/choice_encodings.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace params {
namespace {

constexpr std::optional<int> kKeep = std::nullopt;

TEST(ReadNumber, ReadsLikeAtoi) {
  struct Case {
    const char* text;
    int n;
  } cases[] = {
      {"", 0},         {"abc", 0},      {"42", 42},   {"  \t\n7", 7}, {"-5", -5},
      {"+8", 8},       {"12abc", 12},   {"3 4", 3},   {"- 3", 0},     {"0x1F", 0},
      {"99999999999", INT_MAX},        {"-99999999999", INT_MIN},    {"007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.n) << '"' << c.text << '"';
}

struct ShowCase {
  const char* entry;
  const char* value;
  std::optional<int> index;  // nullopt: selection kept; negative: cleared
};

TEST(ShowIndex, MapsValuesToIndexes) {
  const ShowCase cases[] = {
      // index lists
      {"Debug Level", "2", 2},
      {"Debug Level", "", kKeep},
      {"Debug Level", "x", 0},
      {"GPS GPGLL", "7", 7},  // past the items: the list selects its last item
      {"Some list nobody named", "3", 3},
      // EXFUN
      {"EXFUN", "0", 0},
      {"EXFUN", "3", 1},
      {"EXFUN", "2", kKeep},
      {"EXFUN", "1", kKeep},
      // net mode
      {"net mode", "0", 0},
      {"net mode", "5", 2},
      {"net mode", "4", 1},
      {"net mode", "1", kKeep},
      {"net mode", "2", kKeep},
      {"net mode", "3", kKeep},
      {"net mode", "-2", kKeep},
      // keyword lists
      {"DeviceModel", "CLI", 0},
      {"DeviceModel", "SVR", 1},
      {"DeviceModel", "-1", -1},
      {"DeviceModel", "cli", kKeep},
      {"ActivateMethod", "AUTO", 0},
      {"ActivateMethod", "DIO", 5},
      {"ActivateMethod", "-1", -1},
      {"ActivateMethod", "", kKeep},
      // numbers with an offset
      {"LORA Rate", "1", 0},
      {"LORA Rate", "", -1},
      {"ZigBee_RFchannel", "11", 0},
      {"ZigBee_RFchannel", "26", 15},
      {"ZigBee_RFchannel", "5", -6},
      {"LORA typ", "", kKeep},
      {"LORA typ", "3", 2},
      {"ActivationInterface", "1", 0},
      {"Debugging  port", "2", 1},
      {"Debugging  port", "", -1},
      // binding centre bits
      {"A serial port binding center", "0", 0},
      {"A serial port binding center", "1", 1},
      {"A serial 2 port binding center", "4", 3},
      {"RS485 port binding center", "16", 5},
      {"RS485 port binding center", "255", 6},
      {"RS485 port binding center", "3", kKeep},
      {"A serial port binding center", "32", kKeep},
      // DIO work modes
      {"DIO1 workmode", "4", 0},
      {"DIO1 workmode", "5", 0},
      {"DIO2 workmode", "6", 4},
      {"DIO2 workmode", "3", 3},
      {"DIO1 workmode", "", 0},
      {"DIO3 workmode", "6", 1},
      {"DIO3 workmode", "3", 0},
      {"DIO3 workmode", "", 0},
      // I/O modes
      {"I/O1 Mode", "4", 1},
      {"I/O1 Mode", "5", 2},
      {"I/O2 Mode", "6", 0},
      {"I/O2 Mode", "", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShowIndex(EncodingFor(c.entry), c.value), c.index)
        << c.entry << " <- \"" << c.value << '"';
}

TEST(ShowIndex, ItemTextListsMatchExactly) {
  const std::vector<std::string> items = {"1200", "9600", "115200"};
  const ChoiceEncoding& enc = EncodingFor("Serial Baudrate");
  EXPECT_EQ(ShowIndex(enc, "9600", {.items = items}), 1);
  EXPECT_EQ(ShowIndex(enc, "9600 ", {.items = items}), -1);
  EXPECT_EQ(ShowIndex(enc, "", {.items = items}), -1);
  EXPECT_EQ(ShowIndex(EncodingFor("LORA Mode"), "115200", {.items = items}), 2);
}

TEST(ShowIndex, ProtocolModelPrefersTheWorkModeKeyword) {
  const std::vector<std::string> items = {"Custom", "MQTT", "TRNS"};
  const ChoiceEncoding& enc = EncodingFor("Protocolmodel");
  // "MQTT" is item 1 but work mode 8.
  EXPECT_EQ(ShowIndex(enc, "MQTT", {.items = items}), 8);
  EXPECT_EQ(ShowIndex(enc, "MQTT", {}), 8);
  EXPECT_EQ(ShowIndex(enc, "Custom", {.items = items}), 0);
  EXPECT_EQ(ShowIndex(enc, "NOPE", {.items = items}), -1);
  EXPECT_EQ(ShowIndex(enc, "-1", {.items = items}), -1);
  EXPECT_EQ(ShowIndex(enc, "CUST", {}), 9);
  EXPECT_EQ(ItemTextIndex(items, "MQTT"), 1);
  EXPECT_EQ(KeywordIndex(enc, "TRNS"), 3);
  EXPECT_EQ(KeywordIndex(enc, "Custom"), std::nullopt);
}

TEST(ShowIndex, IoSelectionFollowsTheFirstChannelAtFour) {
  const ChoiceEncoding& enc = EncodingFor("I/O selection");
  EXPECT_EQ(ShowIndex(enc, "", {.channelWorkmodes = {"0", "4", "4"}}), 1);
  EXPECT_EQ(ShowIndex(enc, "", {.channelWorkmodes = {"4", "0", "0"}}), 0);
  EXPECT_EQ(ShowIndex(enc, "", {.channelWorkmodes = {"0", "5", "04"}}), kKeep);
  EXPECT_EQ(ShowIndex(enc, "", {.channelWorkmodes = {" 4", "", "4"}}), 2);
}

struct ReadCase {
  const char* entry;
  int index;
  const char* text;
  std::optional<std::string> value;
};

TEST(ReadChoice, MapsSelectionsToValues) {
  const std::optional<std::string> nothing;
  const ReadCase cases[] = {
      {"Debug Level", -1, "", nothing},
      {"Debug Level", 0, "x", "0"},
      {"Debug Level", 12, "", "12"},
      {"EXFUN", -1, "", nothing},
      {"EXFUN", 0, "", "0"},
      {"EXFUN", 1, "", "3"},
      {"EXFUN", 2, "", "2"},
      {"net mode", -1, "", nothing},
      {"net mode", 0, "", "0"},
      {"net mode", 1, "", "4"},
      {"net mode", 2, "", "5"},
      {"DeviceModel", 0, "", "CLI"},
      {"DeviceModel", 1, "", "SVR"},
      {"DeviceModel", -1, "", "-1"},
      {"DeviceModel", 2, "", "-1"},
      {"ActivateMethod", 3, "", "DATA"},
      {"ActivateMethod", 5, "", "DIO"},
      {"ActivateMethod", -1, "", ""},
      {"ActivateMethod", 6, "", ""},
      {"Serial Baudrate", 1, "9600", "9600"},
      {"Serial Baudrate", -1, "", ""},
      {"LORA Mode", -1, "", nothing},
      {"LORA Rate", 4, "5", "5"},
      {"ZigBee_RFchannel", 0, "11", "11"},
      {"ZigBee_RFchannel", -1, "", nothing},
      {"LORA typ", -1, "", "0"},
      {"LORA typ", 1, "", "2"},
      {"ActivationInterface", -1, "", nothing},
      {"Debugging  port", 0, "", "1"},
      {"A serial port binding center", -1, "", nothing},
      {"A serial port binding center", 0, "", "0"},
      {"A serial port binding center", 1, "", "1"},
      {"A serial port binding center", 3, "", "4"},
      {"RS485 port binding center", 5, "", "16"},
      {"RS485 port binding center", 6, "", "255"},
      {"RS485 port binding center", 7, "", nothing},
      {"I/O1 Mode", -1, "", nothing},
      {"I/O1 Mode", 0, "", nothing},
      {"I/O1 Mode", 1, "", "4"},
      {"I/O2 Mode", 2, "", "5"},
      {"I/O selection", 1, "", nothing},
  };
  const ChoiceTexts texts;
  for (const auto& c : cases)
    EXPECT_EQ(ReadChoice(EncodingFor(c.entry), c.index, c.text, texts), c.value)
        << c.entry << " index " << c.index;
}

TEST(ReadChoice, LanguageTextsDecideProtocolAndWorkmode) {
  ChoiceTexts texts;
  texts.customProtocol = "Custom mode";
  texts.dioWorkmode = {"Input", "Output", "Analog", "Pulse", "Modbus"};
  const ChoiceEncoding& proto = EncodingFor("Protocolmodel");
  EXPECT_EQ(ReadChoice(proto, 9, "Custom mode", texts), "CUST");
  EXPECT_EQ(ReadChoice(proto, 3, "TRNS", texts), "TRNS");
  EXPECT_EQ(ReadChoice(proto, -1, "", texts), "");

  const ChoiceEncoding& dio = EncodingFor("DIO1 workmode");
  const std::pair<const char*, const char*> cases[] = {
      {"", "0"},       {"Input", "0"},  {"Output", "1"}, {"Analog", "2"},
      {"Pulse", "3"},  {"Modbus", "6"}, {"Other", "0"},
  };
  for (auto [text, value] : cases) EXPECT_EQ(ReadChoice(dio, 0, text, texts), value) << text;
  EXPECT_EQ(ReadChoice(EncodingFor("DIO3 workmode"), 1, "Modbus", texts), "6");
}

// Showing a value and reading the selection back gives the value again, for
// every value an encoding shows.
TEST(ChoiceEncodings, ShownValuesReadBackUnchanged) {
  const std::pair<const char*, const char*> cases[] = {
      {"Debug Level", "3"},   {"EXFUN", "0"},       {"EXFUN", "3"},
      {"net mode", "0"},      {"net mode", "5"},    {"DeviceModel", "SVR"},
      {"ActivateMethod", "MIXD"},                   {"LORA typ", "4"},
      {"Debugging  port", "2"},                     {"A serial port binding center", "8"},
      {"A serial port binding center", "255"},      {"I/O1 Mode", "5"},
      {"DIO2 workmode", "2"}, {"Protocolmodel", "MQTT"},
  };
  ChoiceTexts texts;
  texts.dioWorkmode = {"a", "b", "c", "d", "e"};
  const std::vector<std::string> items = {"PROT", "DCUDP", "DCTCP", "TRNS", "SMSCLI",
                                          "SMSSER", "HTTP", "MTCP/MRTU", "MQTT", "CUST"};
  for (auto [entry, value] : cases) {
    const ChoiceEncoding& enc = EncodingFor(entry);
    auto i = ShowIndex(enc, value, {.items = items});
    ASSERT_TRUE(i.has_value()) << entry;
    std::string text = *i >= 0 && *i < 10 ? items[*i] : "";
    if (std::string(entry) == "DIO2 workmode") text = texts.dioWorkmode[*i];
    EXPECT_EQ(ReadChoice(enc, *i, text, texts), value) << entry;
  }
}

TEST(DirectionSwitches, BitsAndCarryOver) {
  const DirectionSwitchSet* lora = SwitchSetFor("EL transmit channel");
  const DirectionSwitchSet* zig = SwitchSetFor("EL transmit channel_Z");
  const DirectionSwitchSet* gps = SwitchSetFor("EL transmit channel_G");
  ASSERT_TRUE(lora && zig && gps);
  EXPECT_EQ(SwitchSetFor("Device Type"), nullptr);
  EXPECT_EQ(lora->switches[0], "Lora2COM");
  EXPECT_EQ(zig->switches[5], "GPRS2Zigbee");
  EXPECT_EQ(gps->switches[2], "GPRS2COM");

  const std::array<bool, 6> all{true, true, true, true, true, true};
  const std::array<bool, 6> none{};
  EXPECT_EQ(ReadSwitches(*lora, all, "204"), 255);  // bits 2, 3, 6, 7 carried
  EXPECT_EQ(ReadSwitches(*lora, none, "51"), 0);
  EXPECT_EQ(ReadSwitches(*zig, {true, false, false, false, false, true}, "12"), 45);
  EXPECT_EQ(ReadSwitches(*lora, none, ""), 0);
  EXPECT_EQ(ReadSwitches(*gps, all, "255"), 63);
  EXPECT_EQ(ReadSwitches(*gps, none, "255"), 0);
}

}  // namespace
}  // namespace params
