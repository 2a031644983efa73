#pragma once
// A complete form without a skin: one control per registry entry, the 14
// direction switches, a language file with the texts the encodings compare
// with, and a settings report whose every value its encoding shows and reads
// back unchanged.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "params/form_context.h"
#include "params/param_registry.h"
#include "ui/control.h"
#include "ui/paint_manager.h"

namespace params::testing {

inline const char* kLanguageIni =
    "[Protocolmodel]\nText=Custom\n"
    "[DIO workmode]\nText1=Input\nText2=Output\nText3=Analog\nText4=Pulse\nText5=Modbus\n"
    "[Linux]\nValueLineBreak=Line break in value, not sent:\n"
    "[SaveToFile]\nOpenError=Cannot write the file\n"
    "[onLoadFrommFile]\nReadError=Cannot read the file\n";

inline std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> v;
  for (int i = from; i <= to; ++i) v.push_back(std::to_string(i));
  return v;
}

// Item texts the encodings need; plain index lists get eight items.
inline std::vector<std::string> ItemsFor(const std::string& name) {
  static const std::map<std::string, std::vector<std::string>> items = {
      {"Protocolmodel",
       {"PROT", "DCUDP", "DCTCP", "TRNS", "SMSCLI", "SMSSER", "HTTP", "MTCP/MRTU", "MQTT", "Custom"}},
      {"DeviceModel", {"Client", "Server"}},
      {"ActivateMethod", {"Auto", "SMS", "Call", "Data", "Mixed", "DIO"}},
      {"Serial Baudrate", {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
      {"Serial 2 Baudrate", {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
      {"RS485 Baudrate", {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
      {"Serial port commu mode", {"8N1", "8E1", "8O1"}},
      {"Serial 2 port commu mode", {"8N1", "8E1", "8O1"}},
      {"RS485 port commu mode", {"8N1", "8E1", "8O1"}},
      {"The PPP authentication", {"AUTO", "PAP", "CHAP", "NONE"}},
      {"Transferprotocol", {"TCP", "UDP"}},
      {"Dtumanagetransferprotocol", {"TCP", "UDP"}},
      {"DIO1 interface", {"COM1", "COM2", "RS485"}},
      {"DIO2 interface", {"COM1", "COM2", "RS485"}},
      {"DIO3 interface", {"COM1", "COM2", "RS485"}},
      {"LORA Mode", {"0", "1", "2", "3"}},
      {"LORA Rate", Numbers(1, 10)},
      {"ZigBee_RFchannel", Numbers(11, 26)},
      {"EXFUN", {"Off", "On", "Two"}},
      {"net mode", {"Auto", "4", "5", "6"}},
      {"A serial port binding center", {"None", "1", "2", "3", "4", "5", "All"}},
      {"A serial 2 port binding center", {"None", "1", "2", "3", "4", "5", "All"}},
      {"RS485 port binding center", {"None", "1", "2", "3", "4", "5", "All"}},
      {"DIO1 workmode", {"Input", "Output", "Analog", "Pulse", "Modbus"}},
      {"DIO2 workmode", {"Input", "Output", "Analog", "Pulse", "Modbus"}},
      {"DIO3 workmode", {"Input", "Modbus"}},
      {"I/O selection", {"I/O1", "I/O2", "I/O3"}},
      {"I/O1 Mode", {"None", "Mode 4", "Mode 5"}},
      {"I/O2 Mode", {"None", "Mode 4", "Mode 5"}},
      {"I/O1 control", Numbers(0, 6)},
      {"I/O2 control", Numbers(0, 6)},
      {"I/O3 control", Numbers(0, 6)},
  };
  auto it = items.find(name);
  return it != items.end() ? it->second : Numbers(100, 107);
}

// Terminal values by command word (entries that share a command share a
// report line), chosen so that the form reads each back unchanged.
inline std::string ReportValue(const std::string& name, const ParamEntry& e) {
  static const std::map<std::string, std::string> values = {
      {"At+PROMODE", "TRNS"},      {"AT+DEVMODE", "CLI"},       {"AT+ACTI", "AUTO"},
      {"AT+IPR", "115200"},        {"AT+SETIPR2", "9600"},      {"AT+RS485IPR", "9600"},
      {"AT+SERMODE", "8N1"},       {"AT+SERMODE2", "8E1"},      {"AT+RS485SERMODE", "8N1"},
      {"AT+PAUTH", "PAP"},         {"AT+TRNPRO", "TCP"},        {"AT+MANAPRO", "UDP"},
      {"AT+DIOINTFACE1", "COM1"},  {"AT+DIOINTFACE2", "COM2"},  {"AT+DIOINTFACE3", "RS485"},
      {"AT+MOD", "1"},             {"AT+RSPD", "3"},            {"AT+CHA", "15"},
      {"AT+LTYP", "2"},            {"AT+ACTSERLNO", "1"},       {"AT+DEBUGPORT", "2"},
      {"AT+EXFUN", "3"},           {"AT+NETMODE", "5"},         {"AT+SERBINDCNT", "1"},
      {"AT+SERBINDCNT2", "255"},   {"AT+RS485BINDCNT", "16"},   {"AT+DIOWORKMODE1", "0"},
      {"AT+DIOWORKMODE2", "1"},    {"AT+DIOWORKMODE3", "6"},    {"AT+DIOMAPC1", "6"},
      {"AT+DIOMAPC2", "6"},        {"AT+DIOMAPC3", "6"},        {"AT+ZDATCHAN", "51"},
      {"AT+LVER", "V1.2"},         {"AT+SVRCNT", "2"},          {"AT+LPORT", "5001"},
      {"AT+IPAD", "192.168.1.10"}, {"AT+PORT", "5000"},
  };
  if (name == "Device Type") return "K9x40-L";
  auto it = values.find(e.atCommand);
  if (it != values.end()) return it->second;
  if (e.controlType == "Combobox") return "1";
  return "text " + e.atCommand;
}

inline std::string RealisticReport(const ParamRegistry& reg) {
  std::string report = "\r\nAT+SHOW\r\nK9x40 configuration\r\n";
  std::set<std::string> printed;
  auto line = [&](const std::string& name, const ParamEntry& e) {
    const std::string key = e.atCommand.empty() ? name : e.atCommand;
    if (e.reportLabel.empty() || !printed.insert(key).second) return;
    if (e.reportLabel.rfind("\r\n", 0) != 0) report += "\r\n";
    report += e.reportLabel + " " + ReportValue(name, e) + "\r\n";
  };
  line("Access Point Name", *reg.find("Access Point Name"));
  reg.forEach(line);
  return report + "\r\nOK\r\n";
}

struct RecordingNotifier : ui::Notifier {
  std::vector<std::string> itemSelects;
  void Notify(const ui::Notification& n) override {
    if (n.type == "itemselect" && n.sender) itemSelects.push_back(n.sender->name());
  }
};

inline const char* kDirectionSwitches[] = {
    "Lora2COM", "COM2Lora", "Lora2GPRS", "GPRS2Lora", "Zigbee2COM", "COM2Zigbee", "Zigbee2GPRS",
    "GPRS2Zigbee", "GPS2COM", "COM2GPS", "GPS2GPRS", "GPRS2GPS", "GPRS2COM", "COM2GPRS"};

class Form {
 public:
  Form() {
    BuildRegistry(registry);
    std::string tmpl = (std::filesystem::temp_directory_path() / "k9x40_form_XXXXXX").string();
    dir_ = ::mkdtemp(tmpl.data()) ? std::filesystem::path(tmpl) : std::filesystem::path("k9x40_form_fallback");
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "Language.ini") << kLanguageIni;
    lang = ui::LanguageFile(dir_ / "Language.ini");

    auto root = std::make_unique<ui::Container>();
    registry.forEach([&](const std::string& name, const ParamEntry& e) {
      if (e.controlType == "Combobox") {
        auto c = std::make_unique<ui::Combo>();
        c->setName(name);
        for (const auto& item : ItemsFor(name)) c->addItem(item);
        root->add(std::move(c));
      } else if (e.controlType == "Edit") {
        auto c = std::make_unique<ui::Edit>();
        c->setName(name);
        root->add(std::move(c));
      }
    });
    for (const char* s : kDirectionSwitches) {
      auto b = std::make_unique<ui::Button>();
      b->setName(s);
      b->setBkImage(std::string("dir_disable.png"));
      root->add(std::move(b));
    }
    pm.setRoot(std::move(root));
    pm.setNotifier(&notifier);

    ctx.pm = &pm;
    ctx.registry = &registry;
    ctx.tabs = &tabs;
    ctx.lang = &lang;
    ctx.loraVersion = &loraVersion;
    ctx.postLayoutGroup = [this](int g, int a) { posts.emplace_back(g, a); };
    ctx.messageBox = [this](const std::string& t) { boxes.push_back(t); };
    ctx.log = [this](const std::string& t) { logs.push_back(t); };
    ctx.refreshTabHeader = [this] { ++tabRefreshes; };
  }
  const std::filesystem::path& dir() const { return dir_; }
  ~Form() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  ui::Combo& combo(const std::string& name) {
    auto* c = pm.find<ui::Combo>(name);
    EXPECT_NE(c, nullptr) << name;
    return *c;
  }
  ui::Control& field(const std::string& name) {
    auto* c = pm.findControl(name);
    EXPECT_NE(c, nullptr) << name;
    return *c;
  }
  // Removes a control from the tree, as a skin without it would be.
  void drop(const std::string& name) {
    auto* c = pm.findControl(name);
    ASSERT_NE(c, nullptr);
    c->setName("");
  }

  ParamRegistry registry;
  TabSlots tabs = MakeTabSlots();
  ui::PaintManager pm;
  ui::LanguageFile lang;
  std::string loraVersion;
  RecordingNotifier notifier;
  std::vector<std::pair<int, int>> posts;
  std::vector<std::string> boxes, logs;
  int tabRefreshes = 0;
  FormContext ctx;

 private:
  std::filesystem::path dir_;
};

}  // namespace params::testing
