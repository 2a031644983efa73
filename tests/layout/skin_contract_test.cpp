// Both shipped skins against what the program looks up in them: names and
// kinds, the settings on their pages, the rows the layout rules switch, and
// the item texts the bindings and rules compare.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "layout/control_factory.h"
#include "params/param_registry.h"
#include "ui/lang_text.h"
#include "ui/skin_builder.h"
#include "ui/tree_dump.h"

namespace {

namespace fs = std::filesystem;
using ui::Control;
using ui::ControlKind;

fs::path SkinDir(const std::string& folder) { return fs::path(K9X40_SOURCE_DIR) / "skin" / folder; }

struct LoadedSkin {
  ui::SkinDocument doc;
  std::vector<std::string> pageErrors;
};

LoadedSkin LoadSkin(const fs::path& dir) {
  layout::CDialogBuilderCallbackEx factory(dir);
  LoadedSkin s;
  s.doc = ui::BuildSkin(dir / "skin.xml", factory.factory());
  s.pageErrors = factory.pageErrors();
  return s;
}

void Walk(Control& c, const std::function<void(Control&)>& f) {
  f(c);
  for (const auto& child : c.children()) Walk(*child, f);
}

bool IsLayout(const Control& c) {
  switch (c.kind()) {
    case ControlKind::Container:
    case ControlKind::VerticalLayout:
    case ControlKind::HorizontalLayout:
    case ControlKind::GroupBox:
      return true;
    default:
      return false;
  }
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// What the code expects a name to be.
enum class Kind { Combo, Edit, Button, Option, Label, Layout, RichEdit, Tab, Switch };

bool HasKind(const Control& c, Kind k) {
  switch (k) {
    case Kind::Combo: return c.kind() == ControlKind::Combo;
    case Kind::Edit: return c.kind() == ControlKind::Edit;
    case Kind::Button: return c.kind() == ControlKind::Button;
    case Kind::Option: return c.kind() == ControlKind::Option;
    case Kind::Label: return c.kind() == ControlKind::Label;
    case Kind::Layout: return IsLayout(c);
    case Kind::RichEdit: return c.kind() == ControlKind::RichEdit;
    case Kind::Tab: return c.kind() == ControlKind::TabLayout;
    case Kind::Switch: return Contains(c.bkImage(), "enable") || Contains(c.bkImage(), "disable");
  }
  return false;
}

const char* const kHeaders[11] = {"WorkModeTab", "ServerTab", "SerialTab", "IOTab", "WirelessTab", "GlobalTab",
                                  "EquimentTab", "LoraTab", "ZigbeeTab", "GPSTab", "OperationTab"};

const char* const kSwitches[] = {"COM2GPRS", "COM2GPS", "COM2Lora", "COM2Zigbee", "GPRS2COM",
                                 "GPRS2GPS", "GPRS2Lora", "GPRS2Zigbee", "GPS2COM", "GPS2GPRS",
                                 "Lora2COM", "Lora2GPRS", "Zigbee2COM", "Zigbee2GPRS"};

std::vector<std::string> Range(const std::string& prefix, int from, int to) {
  std::vector<std::string> out;
  for (int i = from; i <= to; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

// Every name the program looks up, with its kind.
std::vector<std::pair<std::string, Kind>> ContractNames() {
  std::vector<std::pair<std::string, Kind>> names = {
      {"closebtn", Kind::Button}, {"minbtn", Kind::Button}, {"maxbtn", Kind::Button},
      {"restorebtn", Kind::Button}, {"richedit", Kind::RichEdit}, {"HelpRichEdit", Kind::RichEdit},
      {"Ver", Kind::Label}, {"VerDown", Kind::Label}, {"Logo_Container", Kind::Layout},
      {"SerialPort", Kind::Combo}, {"BaudRate1", Kind::Combo}, {"Checkcode", Kind::Combo},
      {"Open", Kind::Button}, {"FINDNETMODE", Kind::Edit}, {"DeviceState", Kind::Label},
      {"helpGroupBox", Kind::Layout}, {"Language", Kind::Combo}, {"switch", Kind::Tab},
      {"HorizontalLayoutUI6", Kind::Layout}, {"TabLeft", Kind::Button}, {"TabRight", Kind::Button},
      {"Server's Label", Kind::Label}, {"ServerTitle", Kind::Label},
  };
  for (const char* b : {"Login", "Load", "Save", "RestoreFactory", "SaveToFile", "LoadFromFile", "Clear",
                        "SetTime", "READFILELOG", "CPIN", "CSQ", "GetVer", "quit"})
    names.emplace_back(b, Kind::Button);
  for (const char* h : kHeaders) {
    std::string option(h);
    names.emplace_back(option.substr(0, option.size() - 3), Kind::Option);
  }
  for (const char* s : kSwitches) names.emplace_back(s, Kind::Switch);

  std::vector<std::string> layouts = {
      "ModeGroupBox", "ModeHorizontalLayout1", "ModeHorizontalLayout1.1", "ModeHorizontalLayout1.2",
      "ModeLayout1.1", "ModeLayout1.2", "HttpLayout", "MQTTLayout", "ServiceGroupBox", "ServiceGroupBox2",
      "bindingCenterGroupBox", "bindingCenterGroupBox2", "bindingCenterGroupBox3", "serialGroupbox",
      "serial2Groupbox", "serial3Groupbox", "ActivateGroupBox", "ActivateHorizontalLayout1",
      "ActivateHorizontalLayout1.2", "ActivateHorizontalLayout6", "ActivateHorizontalLayout6.1",
      "ActivateHorizontalLayout6.1.1", "ActivateHorizontalLayout6.1.2", "PPPGroupBox", "ICMPGroupBox",
      "GlobalHorizontalLayout1", "GlobalHorizontalLayout2", "DtumanageGroupBox", "DtumanageGroupBox1",
      "EquimentLayout1", "EquimentLayout2", "LoraGroupBox", "LoraLayout", "LoraType", "LoraPower",
      "LoraPID", "IO1GroupBox", "IO2GroupBox", "IO3GroupBox", "DebugHorizontalLayout1"};
  for (auto r : {Range("ModeHorizontalLayout", 2, 8), Range("ServiceHorizontalLayout", 0, 6),
                 Range("ActivateHorizontalLayout", 2, 5), Range("ActivateHorizontalLayout", 7, 9)})
    layouts.insert(layouts.end(), r.begin(), r.end());
  for (int n = 1; n <= 3; ++n)
    for (const char* suffix : {".1", ".2", ".2.1", ".3", ".3.1", ".3.2", ".4", ".4.1", ".4.2", ".5", ".6", ".7"})
      layouts.push_back("IOLayout" + std::to_string(n) + suffix);
  for (const auto& l : layouts) names.emplace_back(l, Kind::Layout);
  return names;
}

// Rows whose settings follow their visibility: exactly these controls inside.
std::map<std::string, std::set<std::string>> RowMembers() {
  std::map<std::string, std::set<std::string>> rows = {
      {"ModeHorizontalLayout1", {"Modem'sID number", "PhoneNO."}},
      {"ModeHorizontalLayout1.1", {"Modem'sID number"}},
      {"ModeHorizontalLayout1.2", {"Deliver Recved Tcp Data Directly"}},
      {"ModeHorizontalLayout2", {"DeviceModel", "Transferprotocol"}},
      {"ModeHorizontalLayout4", {"RegistrationAndHeart"}},
      {"ModeHorizontalLayout5", {"ListenPort"}},
      {"ModeHorizontalLayout7", {"RegisterbHex"}},
      {"ModeHorizontalLayout8", {"RegisterInfo", "RegistrationReplyInfo", "HeartbeatPacket", "HeartbeatPacketReplyInfo"}},
      {"ModeLayout1.1", {"sms Phone1 No", "sms Phone2 No", "sms Phone3 No", "sms Phone4 No", "sms Phone5 No"}},
      {"ModeLayout1.2", {"Show Phone NO", "Encode Hex SMS", "Send Hex SMS"}},
      {"HttpLayout", {"HTTP Request Mode"}},
      {"MQTTLayout", {"MQTT Client ID", "MQTT User Name", "MQTT Password", "MQTT Receive Topic", "MQTT Send Topic", "MQTT KEY"}},
      {"ActivateHorizontalLayout2", {"On-line data", "Offline data"}},
      {"ActivateHorizontalLayout3", {"ActivationInterface", "DataFormat"}},
      {"ActivateHorizontalLayout4", {"IOactivationmethods"}},
      {"ActivateHorizontalLayout5", {"I/O selection"}},
      {"ActivateHorizontalLayout6", {"I/O1 control", "I/O2 control"}},
      {"ActivateHorizontalLayout6.1.1", {"I/O3 control"}},
      {"ActivateHorizontalLayout6.1.2", {"Sms Daemon Password"}},
      {"ActivateHorizontalLayout7", {"ActivationPhoneNO."}},
      {"ActivateHorizontalLayout8", {"SMSActivationNO."}},
      {"ActivateHorizontalLayout9", {"I/O1 Mode", "I/O2 Mode"}},
      {"DebugHorizontalLayout1", {"Debugging  port"}},
      {"ServiceHorizontalLayout0", {"Server's Ip", "Server's Port"}},
      {"ServiceHorizontalLayout1", {"Secondary Server's Ip", "Secondary Server's Port"}},
      {"bindingCenterGroupBox", {"A serial port binding center"}},
      {"bindingCenterGroupBox2", {"A serial 2 port binding center"}},
      {"bindingCenterGroupBox3", {"RS485 port binding center"}},
      {"GlobalHorizontalLayout1", {"Lcp echo interval", "Lcp echo testing number"}},
      {"GlobalHorizontalLayout2", {"ICMP Ip", "ICMP interval", "ICMP testing number"}},
      {"DtumanageGroupBox", {"dtu is connect to dtu manage platform", "Dtu manage id", "dtu manage server's Ip",
                             "Dtumanagetransferprotocol", "dtu manage server's Port"}},
      {"EquimentLayout1", {"Dtu manage id", "dtu manage server's Ip", "Dtumanagetransferprotocol", "dtu manage server's Port"}},
      {"EquimentLayout2", {"DTU SMS configure password", "DTU SMS administrator number"}},
      {"LoraLayout", {"LORA TAddr"}},
      {"LoraPID", {"LORA pid"}},
      {"LoraType", {"LORA typ"}},
      {"LoraPower", {"LORA Power"}},
      {"IOLayout3.7", {"DIO3 ADCType", "DIO3 upper threshold", "DIO3 lower threshold"}},
  };
  for (int n = 2; n <= 5; ++n) {
    std::string s = "Server" + std::to_string(n);
    rows["ServiceHorizontalLayout" + std::to_string(n)] = {s + "'s Ip", s + "'s Port"};
  }
  for (int n = 1; n <= 3; ++n) {
    const std::string row = "IOLayout" + std::to_string(n), d = "DIO" + std::to_string(n);
    rows[row + ".1"] = {d + " protocol"};
    rows[row + ".2"] = {d + " interface"};
    rows[row + ".2.1"] = {d + " SMS number"};
    rows[row + ".3"] = {d + " reported methods"};
    rows[row + ".3.1"] = {d + " reported times"};
    rows[row + ".3.2"] = {d + " query command"};
    rows[row + ".4.1"] = {"1The " + d + " data format"};
    rows[row + ".4.2"] = {d + " output control result"};
    rows[row + ".5"] = {d + " high level information", d + " low level information"};
    rows[row + ".6"] = {d + " and mapping center"};
    if (n < 3) rows[row + ".7"] = {d + " upper threshold", d + " lower threshold"};
  }
  return rows;
}

// Containers the rules switch that hold no setting of their own: whatever
// settings they enclose sit in rows of the table above.
const char* const kEnclosingOnly[] = {
    "ModeHorizontalLayout3", "ModeHorizontalLayout6", "ActivateHorizontalLayout1", "ActivateHorizontalLayout1.2",
    "ActivateHorizontalLayout6.1", "ServiceHorizontalLayout6", "IOLayout1.4", "IOLayout2.4", "IOLayout3.4",
    "ServerTab", "IOTab", "WirelessTab", "GlobalTab", "EquimentTab"};

class SkinContract : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    params::BuildRegistry(registry_);
    skin_ = LoadSkin(SkinDir(GetParam()));
    ASSERT_NE(skin_.doc.root, nullptr) << skin_.doc.error;
    registry_.forEach([&](const std::string& name, const params::ParamEntry& e) {
      if (e.controlType == "Edit" || e.controlType == "Combobox") settingControls_.insert(name);
    });
  }

  Control* Find(const std::string& name) { return skin_.doc.root->findByName(name); }
  ui::Combo* FindCombo(const std::string& name) { return dynamic_cast<ui::Combo*>(Find(name)); }

  // Setting controls inside `c`, itself excluded.
  std::set<std::string> SettingsIn(Control& c) {
    std::set<std::string> out;
    for (const auto& child : c.children())
      Walk(*child, [&](Control& d) {
        if (settingControls_.count(d.name())) out.insert(d.name());
      });
    return out;
  }

  std::string Dump(Control* c) { return c ? ui::DumpTree(*c) : std::string("(absent)"); }

  params::ParamRegistry registry_;
  LoadedSkin skin_;
  std::set<std::string> settingControls_;
};

TEST_P(SkinContract, LoadsEveryPageWithSizeAndCaption) {
  EXPECT_TRUE(skin_.pageErrors.empty()) << skin_.pageErrors.front();
  EXPECT_EQ(skin_.doc.width, 1400);
  EXPECT_EQ(skin_.doc.height, 800);
  EXPECT_GT(skin_.doc.captionHeight, 0);
}

TEST_P(SkinContract, EveryLookedUpNameExistsWithItsKind) {
  for (const auto& [name, kind] : ContractNames()) {
    Control* c = Find(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_TRUE(HasKind(*c, kind)) << name << " is\n" << Dump(c);
  }
  EXPECT_TRUE(Find("maxbtn")->visible());
  EXPECT_FALSE(Find("restorebtn")->visible()) << "maximise and restore swap visibility";
}

TEST_P(SkinContract, NoNameIsUsedTwice) {
  std::map<std::string, int> seen;
  Walk(*skin_.doc.root, [&](Control& c) {
    if (!c.name().empty()) ++seen[c.name()];
  });
  for (const auto& [name, count] : seen) EXPECT_EQ(count, 1) << name;
}

TEST_P(SkinContract, EverySettingIsOnItsGroupsPageAsItsKind) {
  auto* tabs = dynamic_cast<ui::TabLayout*>(Find("switch"));
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->children().size(), 11u);
  registry_.forEach([&](const std::string& name, const params::ParamEntry& e) {
    if (!settingControls_.count(name)) return;
    Control* c = Find(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->kind(), e.controlType == "Edit" ? ControlKind::Edit : ControlKind::Combo) << name;
    ASSERT_GE(e.group, 0);
    ASSERT_LT(e.group, 11);
    EXPECT_NE(tabs->children()[e.group]->findByName(name), nullptr) << name << " is not on page " << e.group;
  });
}

TEST_P(SkinContract, HeadersHoldTheirSelectorsInSlotOrder) {
  Control* strip = Find("HorizontalLayoutUI6");
  ASSERT_NE(strip, nullptr);
  EXPECT_GT(strip->fixedWidth(), 0);
  int previous = -1;
  for (const char* h : kHeaders) {
    Control* header = Find(h);
    ASSERT_NE(header, nullptr) << h;
    EXPECT_GT(header->fixedWidth(), 0) << h;
    std::string option(h);
    option.resize(option.size() - 3);
    EXPECT_NE(header->findByName(option), nullptr) << h << " does not hold " << option;
    // Scrolling the strip walks the headers in slot order.
    auto it = std::find_if(strip->children().begin(), strip->children().end(),
                           [&](const auto& c) { return c.get() == header; });
    ASSERT_NE(it, strip->children().end()) << h << " is not a direct item of the strip";
    int at = static_cast<int>(it - strip->children().begin());
    EXPECT_GT(at, previous) << h;
    previous = at;
  }
}

TEST_P(SkinContract, ImagesExistAndSwitchesStartOffWithBothStates) {
  const fs::path dir = SkinDir(GetParam());
  Walk(*skin_.doc.root, [&](Control& c) {
    if (!c.bkImage().empty()) {
      EXPECT_TRUE(fs::exists(dir / c.bkImage())) << c.name() << ": " << c.bkImage();
    }
  });
  for (const char* s : kSwitches) {
    Control* c = Find(s);
    ASSERT_NE(c, nullptr) << s;
    std::string image = c->bkImage();
    ASSERT_TRUE(Contains(image, "disable")) << s << ": " << image;
    std::string on = std::regex_replace(image, std::regex("disable"), "enable");
    EXPECT_TRUE(fs::exists(dir / on)) << s << ": " << on;
  }
}

TEST_P(SkinContract, RowsHoldExactlyTheirSettings) {
  for (const auto& [row, members] : RowMembers()) {
    Control* c = Find(row);
    ASSERT_NE(c, nullptr) << row;
    EXPECT_EQ(SettingsIn(*c), members) << row << ":\n" << Dump(c);
  }
  std::map<std::string, std::set<std::string>> rows = RowMembers();
  for (const char* name : kEnclosingOnly) {
    Control* c = Find(name);
    ASSERT_NE(c, nullptr) << name;
    for (const std::string& setting : SettingsIn(*c)) {
      bool inNestedRow = false;
      for (const auto& [row, members] : rows) {
        Control* r = c->findByName(row);
        if (r && r != c && members.count(setting)) inNestedRow = true;
      }
      EXPECT_TRUE(inNestedRow) << setting << " sits loose in " << name;
    }
  }
}

TEST_P(SkinContract, BoxesHoldTheSettingsTheyTakeOutOfUse) {
  for (int n = 1; n <= 3; ++n) {
    const std::string d = "DIO" + std::to_string(n);
    std::set<std::string> channel = {d + " workmode", d + " protocol", d + " interface", d + " SMS number",
                                     d + " reported methods", d + " reported times", d + " query command",
                                     "1The " + d + " data format", d + " high level information",
                                     d + " low level information", d + " and mapping center",
                                     d + " upper threshold", d + " lower threshold", d + " output control result"};
    if (n == 3) channel.insert("DIO3 ADCType");
    Control* box = Find("IO" + std::to_string(n) + "GroupBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SettingsIn(*box), channel) << n;
  }
  std::set<std::string> servers = {"Server's Ip", "Server's Port", "Secondary Server's Ip", "Secondary Server's Port"};
  for (int n = 2; n <= 5; ++n) {
    servers.insert("Server" + std::to_string(n) + "'s Ip");
    servers.insert("Server" + std::to_string(n) + "'s Port");
  }
  ASSERT_NE(Find("ServiceGroupBox"), nullptr);
  EXPECT_EQ(SettingsIn(*Find("ServiceGroupBox")), servers);
}

std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> out;
  for (int i = from; i <= to; ++i) out.push_back(std::to_string(i));
  return out;
}

TEST_P(SkinContract, ItemsTheCodeComparesOrWrites) {
  ui::LanguageFile lang(SkinDir(GetParam()) / "Language.ini");
  struct Exact {
    std::string combo;
    std::vector<std::string> items;
  };
  std::vector<std::string> workModes = {"PROT", "DCUDP", "DCTCP", "TRNS", "SMSCLI", "SMSSER", "HTTP",
                                        "MTCP/MRTU", "MQTT", lang.LangText("Protocolmodel", "Text")};
  std::vector<std::string> dioModes;
  for (int i = 1; i <= 5; ++i) dioModes.push_back(lang.LangText("DIO workmode", "Text" + std::to_string(i)));
  const std::vector<Exact> exact = {
      {"Protocolmodel", workModes},
      {"DIO1 workmode", dioModes},
      {"DIO2 workmode", dioModes},
      {"DIO3 workmode", {dioModes[0], dioModes[4], dioModes[1], dioModes[2], dioModes[3]}},
      {"ZigBee_RFchannel", Numbers(11, 26)},
      {"ThePPPauthentication", Numbers(0, 5)},
  };
  for (const auto& e : exact) {
    ASSERT_NE(FindCombo(e.combo), nullptr) << e.combo;
    EXPECT_EQ(FindCombo(e.combo)->items(), e.items) << e.combo;
  }
  EXPECT_FALSE(workModes.back().empty());
  EXPECT_EQ(std::set<std::string>(dioModes.begin(), dioModes.end()).size(), 5u) << "DIO work-mode texts must differ";
  EXPECT_EQ(std::count(dioModes.begin(), dioModes.end(), ""), 0);

  const auto& rates = FindCombo("LORA Rate")->items();
  ASSERT_FALSE(rates.empty());
  EXPECT_EQ(rates, Numbers(1, static_cast<int>(rates.size())));
  const auto& loraModes = FindCombo("LORA Mode")->items();
  EXPECT_NE(std::find(loraModes.begin(), loraModes.end(), "TRNS"), loraModes.end());

  for (const char* c : {"I/O1 control", "I/O2 control", "I/O3 control", "DIO1 and mapping center"}) {
    const auto& items = FindCombo(c)->items();
    ASSERT_EQ(items.size(), 7u) << c;
    EXPECT_EQ(items[6], "None") << c;
    EXPECT_EQ(std::count(items.begin(), items.end(), "None"), 1) << c << ": centres 0 to 5 are not None";
  }
  for (const char* c : {"A serial port binding center", "A serial 2 port binding center", "RS485 port binding center"})
    EXPECT_EQ(FindCombo(c)->count(), 7) << c << ": bits 0, 1, 2, 4, 8, 16, 255";

  // Index meanings the rules and encodings rely on.
  const std::vector<std::pair<std::string, int>> counts = {
      {"DeviceModel", 2}, {"ActivateMethod", 6}, {"I/O selection", 3}, {"I/O1 Mode", 3}, {"I/O2 Mode", 3},
      {"Language", 2}};
  for (const auto& [c, n] : counts) EXPECT_EQ(FindCombo(c)->count(), n) << c;
  for (const char* c : {"DIO1 interface", "DIO2 interface", "DIO3 interface"})
    EXPECT_GE(FindCombo(c)->count(), 4) << c << ": index 3 is the SMS interface";
  EXPECT_EQ(FindCombo("Language")->currentSelection(), GetParam() == "ConifgENRes" ? 0 : 1);
}

TEST_P(SkinContract, LineSettingListsHoldTheTerminalsValues) {
  const std::regex baud("[1-9][0-9]*"), format("[5-8][NEOMS][12]");
  for (const char* c : {"BaudRate1", "Serial Baudrate", "Serial 2 Baudrate", "RS485 Baudrate"})
    for (const std::string& item : FindCombo(c)->items()) EXPECT_TRUE(std::regex_match(item, baud)) << c << ": " << item;
  for (const char* c : {"Checkcode", "Serial port commu mode", "Serial 2 port commu mode", "RS485 port commu mode"}) {
    EXPECT_GT(FindCombo(c)->count(), 1) << c;
    for (const std::string& item : FindCombo(c)->items()) EXPECT_TRUE(std::regex_match(item, format)) << c << ": " << item;
  }
  EXPECT_EQ(FindCombo("BaudRate1")->selectedText(), "115200");
  EXPECT_EQ(FindCombo("Checkcode")->selectedText(), "8N1");
}

TEST_P(SkinContract, EverySettingListHasDistinctNonEmptyItemsAndNoSelection) {
  for (const std::string& name : settingControls_) {
    auto* combo = FindCombo(name);
    if (!combo) continue;
    const auto& items = combo->items();
    EXPECT_GE(items.size(), 2u) << name;
    EXPECT_EQ(std::count(items.begin(), items.end(), ""), 0) << name;
    EXPECT_EQ(std::set<std::string>(items.begin(), items.end()).size(), items.size()) << name;
    // A preselected item would swallow the first report's change notification.
    EXPECT_EQ(combo->currentSelection(), -1) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SkinContract, ::testing::Values("ConifgENRes", "ConifgRes"));

// The two skins differ only in what the user reads.
void ExpectSameBut(const Control& en, const Control& zh, const std::set<std::string>& valueCombos) {
  ASSERT_EQ(en.className(), zh.className()) << en.name();
  ASSERT_EQ(en.name(), zh.name());
  for (const auto& [key, value] : en.attributes()) {
    if (key == "text" || key == "tooltip" || (en.name() == "Language" && key == "selectedid")) continue;
    EXPECT_EQ(value, zh.attribute(key)) << en.name() << " " << key;
  }
  EXPECT_EQ(en.attributes().size(), zh.attributes().size()) << en.name();
  if (en.kind() == ControlKind::Combo) {
    const auto& a = static_cast<const ui::Combo&>(en).items();
    const auto& b = static_cast<const ui::Combo&>(zh).items();
    EXPECT_EQ(a.size(), b.size()) << en.name();
    if (valueCombos.count(en.name())) {
      EXPECT_EQ(a, b) << en.name();
    }
  }
  ASSERT_EQ(en.children().size(), zh.children().size()) << en.name();
  for (size_t i = 0; i < en.children().size(); ++i) ExpectSameBut(*en.children()[i], *zh.children()[i], valueCombos);
}

TEST(SkinLanguages, DifferOnlyInDisplayTexts) {
  LoadedSkin en = LoadSkin(SkinDir("ConifgENRes")), zh = LoadSkin(SkinDir("ConifgRes"));
  ASSERT_NE(en.doc.root, nullptr);
  ASSERT_NE(zh.doc.root, nullptr);
  // Lists whose item texts are values or compared texts, the same in every language.
  const std::set<std::string> valueCombos = {
      "BaudRate1", "Checkcode", "Language", "Transferprotocol", "Dtumanagetransferprotocol",
      "The PPP authentication", "DIO1 interface", "DIO2 interface", "DIO3 interface", "Serial Baudrate",
      "Serial 2 Baudrate", "RS485 Baudrate", "Serial port commu mode", "Serial 2 port commu mode",
      "RS485 port commu mode", "LORA Mode", "LORA Rate", "ZigBee_RFchannel", "ThePPPauthentication"};
  ExpectSameBut(*en.doc.root, *zh.doc.root, valueCombos);
  // Item texts compared by the code inside otherwise localized lists.
  for (const char* c : {"I/O1 control", "I/O2 control", "I/O3 control"})
    EXPECT_EQ(static_cast<ui::Combo*>(en.doc.root->findByName(c))->items()[6],
              static_cast<ui::Combo*>(zh.doc.root->findByName(c))->items()[6]);
  const auto& a = static_cast<ui::Combo*>(en.doc.root->findByName("Protocolmodel"))->items();
  const auto& b = static_cast<ui::Combo*>(zh.doc.root->findByName("Protocolmodel"))->items();
  EXPECT_TRUE(std::equal(a.begin(), a.begin() + 9, b.begin())) << "work-mode keywords";
}

// Every (section, key) the program reads, in both languages.
TEST(SkinLanguages, LanguageFilesHoldEveryText) {
  const std::vector<std::pair<const char*, std::vector<const char*>>> keys = {
      {"ComSend", {"send"}},
      {"WorkerJobThreadProc", {"OutTime", "SaveSuccess", "SaveError", "FactorySuccess", "FactoryError"}},
      {"WinMain", {"WorkThread"}},
      {"InitValue", {"Text"}},
      {"OnStartCom", {"Open", "Close", "OpenNotice", "CloseNotice", "OpenError"}},
      {"SetDeviceState", {"szLoginOn", "szLoginOff"}},
      {"Notify", {"IpNotice", "ServerCount"}},
      {"ModeTabItemChange", {"ServerTitle1", "Server's Label1", "ServerTitle2", "Server's Label2"}},
      {"DIO workmode", {"Text1", "Text2", "Text3", "Text4", "Text5"}},
      {"Protocolmodel", {"Text"}},
      {"SaveToFile", {"OpenError"}},
      {"onLoadFrommFile", {"ReadError"}},
      {"Linux", {"PortMissing", "PortBusy", "PortDenied", "LineLost", "ValueLineBreak", "NotADevice", "NoLineFormat"}},
  };
  for (const char* folder : {"ConifgENRes", "ConifgRes"}) {
    ui::LanguageFile lang(SkinDir(folder) / "Language.ini");
    for (const auto& [section, names] : keys)
      for (const char* key : names)
        EXPECT_FALSE(lang.LangText(section, key).empty()) << folder << " [" << section << "] " << key;
    // The help fallback is cut to 99 characters with its line end.
    EXPECT_LE(lang.LangText("InitValue", "Text", "\r\n").size(), 99u) << folder;
  }
}

}  // namespace
