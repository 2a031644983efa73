#include "layout_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <unistd.h>

#include "layout/control_factory.h"
#include "layout/layout_group.h"
#include "ui/skin_builder.h"

namespace layout_test {
namespace {

std::filesystem::path WriteLanguageFile() {
  static std::atomic<int> serial{0};
  auto path = std::filesystem::temp_directory_path() /
              ("layout_lang_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) + ".ini");
  std::ofstream f(path, std::ios::binary);
  f << "[DIO workmode]\r\n";
  for (int i = 0; i < 5; ++i) f << "Text" << i + 1 << "=" << kDioText[i] << "\r\n";
  f << "[ModeTabItemChange]\r\nServerTitle1=Main and secondary server\r\n"
       "Server's Label1=Main server\r\nServerTitle2=Servers\r\nServer's Label2=Server 1\r\n"
       "[Notify]\r\nServerCount=At least one server is required\r\n";
  return path;
}

std::unique_ptr<ui::Control> Make(ui::ControlKind kind) {
  using K = ui::ControlKind;
  switch (kind) {
    case K::TabLayout: return std::make_unique<ui::TabLayout>();
    case K::Label: return std::make_unique<ui::Label>();
    case K::Button: return std::make_unique<ui::Button>();
    case K::Option: return std::make_unique<ui::Option>();
    case K::Edit: return std::make_unique<ui::Edit>();
    case K::Combo: return std::make_unique<ui::Combo>();
    case K::RichEdit: return std::make_unique<ui::RichEdit>();
    default: return std::make_unique<ui::Container>(kind);
  }
}

}  // namespace

LayoutForm::LayoutForm() : tabs(params::MakeTabSlots()), langPath(WriteLanguageFile()), lang(langPath) {
  params::BuildRegistry(registry);
  auto root = std::make_unique<ui::Container>(ui::ControlKind::VerticalLayout);
  root->setName("root");
  pm.setRoot(std::move(root));
  pm.setNotifier(this);
  ctx.pm = &pm;
  ctx.registry = &registry;
  ctx.tabs = &tabs;
  ctx.lang = &lang;
  ctx.loraVersion = &loraVersion;
  ctx.postLayoutGroup = [this](int g, int a) {
    queue_.emplace_back(g, a);
    posts_.emplace_back(g, a);
  };
  ctx.messageBox = [this](const std::string& text) { messageBoxes.push_back(text); };
  ctx.log = [](const std::string&) {};
}

LayoutForm::~LayoutForm() {
  std::error_code ec;
  std::filesystem::remove(langPath, ec);
}

ui::Control* LayoutForm::add(std::string_view parent, ui::ControlKind kind, std::string_view name) {
  ui::Control* p = parent.empty() ? pm.root() : pm.findControl(parent);
  if (!p) {
    ADD_FAILURE() << "no parent " << parent;
    return nullptr;
  }
  auto c = Make(kind);
  c->setName(std::string(name));
  return p->add(std::move(c));
}

ui::Combo* LayoutForm::addCombo(std::string_view parent, std::string_view name,
                                std::vector<std::string> items) {
  auto* c = static_cast<ui::Combo*>(add(parent, ui::ControlKind::Combo, name));
  if (c)
    for (const auto& i : items) c->addItem(i);
  return c;
}

void LayoutForm::buildStandardTree() {
  using K = ui::ControlKind;
  const auto H = K::HorizontalLayout;
  add("", H, "HorizontalLayoutUI6");
  for (const char* n : params::kTabButtonNames) add("HorizontalLayoutUI6", K::Button, n);
  add("", K::TabLayout, "switch");
  for (int i = 0; i < params::kTabSlotCount; ++i) add("switch", K::Container, "page" + std::to_string(i));

  // Work-mode page.
  add("page0", K::GroupBox, "ModeGroupBox");
  addCombo("ModeGroupBox", "Protocolmodel",
           {"PROT", "DCUDP", "DCTCP", "TRNS", "SMSCLI", "SMSSER", "HTTP", "MTCP/MRTU", "MQTT", "Custom"});
  for (const char* n : {"ModeHorizontalLayout1", "ModeHorizontalLayout1.2", "ModeHorizontalLayout2",
                        "ModeHorizontalLayout3", "ModeHorizontalLayout4", "ModeHorizontalLayout5",
                        "ModeHorizontalLayout6", "ModeHorizontalLayout7", "ModeHorizontalLayout8",
                        "ModeLayout1.1", "ModeLayout1.2", "HttpLayout", "MQTTLayout"})
    add("ModeGroupBox", H, n);
  add("ModeHorizontalLayout1", H, "ModeHorizontalLayout1.1");
  addCombo("ModeHorizontalLayout2", "DeviceModel", {"Client", "Server"});
  addCombo("ModeHorizontalLayout2", "Transferprotocol", {"TCP", "UDP"});
  addCombo("ModeHorizontalLayout4", "RegistrationAndHeart", {"Off", "On"});

  add("page0", K::GroupBox, "ActivateGroupBox");
  addCombo("ActivateGroupBox", "ActivateMethod", {"AUTO", "SMSD", "CTRL", "DATA", "MIXD", "DIO"});
  for (const char* n : {"ActivateHorizontalLayout1", "ActivateHorizontalLayout1.2",
                        "ActivateHorizontalLayout2", "ActivateHorizontalLayout3",
                        "ActivateHorizontalLayout4", "ActivateHorizontalLayout5",
                        "ActivateHorizontalLayout6", "ActivateHorizontalLayout6.1",
                        "ActivateHorizontalLayout7", "ActivateHorizontalLayout8",
                        "ActivateHorizontalLayout9"})
    add("ActivateGroupBox", H, n);
  add("ActivateHorizontalLayout6.1", H, "ActivateHorizontalLayout6.1.1");
  add("ActivateHorizontalLayout6.1", H, "ActivateHorizontalLayout6.1.2");
  addCombo("ActivateHorizontalLayout4", "IOactivationmethods", {"Selection", "Control", "Other"});
  addCombo("ActivateHorizontalLayout5", "I/O selection", {"I/O1", "I/O2", "I/O3"});
  const std::vector<std::string> centres = {"C1", "C2", "C3", "C4", "C5", "C6", "None"};
  addCombo("ActivateHorizontalLayout6", "I/O1 control", centres);
  addCombo("ActivateHorizontalLayout6", "I/O2 control", centres);
  addCombo("ActivateHorizontalLayout6.1.1", "I/O3 control", centres);
  addCombo("ActivateHorizontalLayout9", "I/O1 Mode", {"Free", "On", "Off"});
  addCombo("ActivateHorizontalLayout9", "I/O2 Mode", {"Free", "On", "Off"});
  addCombo("page0", "Debug Level", {"0", "1", "2"});
  add("page0", H, "DebugHorizontalLayout1");

  // Servers.
  add("page1", K::GroupBox, "ServiceGroupBox");
  addCombo("ServiceGroupBox", "ThePPPauthentication", {"0", "1", "2", "3", "4", "5"});
  add("ServiceGroupBox", K::Label, "ServerTitle");
  add("ServiceGroupBox", K::Label, "Server's Label");
  for (int i = 0; i <= 6; ++i) add("ServiceGroupBox", H, "ServiceHorizontalLayout" + std::to_string(i));
  add("page1", K::GroupBox, "ServiceGroupBox2");

  // Serial ports.
  add("page2", K::GroupBox, "serialGroupbox");
  add("serialGroupbox", H, "bindingCenterGroupBox");
  add("page2", K::GroupBox, "serial2Groupbox");
  add("serial2Groupbox", H, "bindingCenterGroupBox2");
  add("page2", K::GroupBox, "serial3Groupbox");
  add("serial3Groupbox", H, "bindingCenterGroupBox3");

  // I/O channels.
  for (int ch = 1; ch <= 3; ++ch) {
    const std::string d = std::to_string(ch);
    const std::string box = "IO" + d + "GroupBox", row = "IOLayout" + d;
    add("page3", K::GroupBox, box);
    addCombo(box, "DIO" + d + " workmode", {kDioText, kDioText + 5});
    for (const char* s : {".1", ".2", ".2.1", ".3", ".3.1", ".3.2", ".4", ".5", ".6", ".7"})
      add(box, H, row + s);
    add(row + ".4", H, row + ".4.1");
    add(row + ".4", H, row + ".4.2");
    addCombo(row + ".1", "DIO" + d + " protocol", {"None", "Modbus", "Other"});
    addCombo(row + ".2", "DIO" + d + " interface", {"RS232", "RS485", "GPRS", "SMS"});
    addCombo(row + ".3", "DIO" + d + " reported methods", {"Query", "Timed", "Change"});
    addCombo(row + ".4.1", "1The DIO" + d + " data format", {"ASCII", "Hex"});
    add(row + ".3.2", K::Edit, "DIO" + d + " query command");
    add(row + ".4.2", K::Edit, "DIO" + d + " output control result");
    add(row + ".5", K::Edit, "DIO" + d + " high level information");
    add(row + ".5", K::Edit, "DIO" + d + " low level information");
  }

  // Global and equipment pages.
  add("page5", K::GroupBox, "PPPGroupBox");
  addCombo("PPPGroupBox", "LCP ECHO", {"Off", "On", "Auto"});
  add("PPPGroupBox", H, "GlobalHorizontalLayout1");
  add("page5", K::GroupBox, "ICMPGroupBox");
  addCombo("ICMPGroupBox", "EXFUN", {"Off", "ICMP", "Other"});
  add("ICMPGroupBox", H, "GlobalHorizontalLayout2");
  add("page6", K::GroupBox, "DtumanageGroupBox");
  addCombo("DtumanageGroupBox", "dtu is connect to dtu manage platform", {"No", "Yes", "Other"});
  add("DtumanageGroupBox", H, "EquimentLayout1");
  add("page6", K::GroupBox, "DtumanageGroupBox1");
  addCombo("DtumanageGroupBox1", "DTU SMS configure fun", {"Off", "On", "Other"});
  add("DtumanageGroupBox1", H, "EquimentLayout2");

  // LoRa.
  add("page7", K::GroupBox, "LoraGroupBox");
  addCombo("LoraGroupBox", "LORA Mode", {"TRNS", "FP"});
  for (const char* n : {"LoraLayout", "LoraPID", "LoraType", "LoraPower"}) add("LoraGroupBox", H, n);
}

bool LayoutForm::loadEnglishSkin() {
  const auto dir = std::filesystem::path(K9X40_SOURCE_DIR) / "skin" / "ConifgENRes";
  ui::SkinDocument doc = ui::BuildSkin(dir / "skin.xml", layout::MakeControlFactory(dir));
  EXPECT_NE(doc.root, nullptr) << doc.error;
  if (!doc.root) return false;
  pm.setRoot(std::move(doc.root));
  lang = ui::LanguageFile(dir / "Language.ini");
  return true;
}

void LayoutForm::selectText(std::string_view name, std::string_view item) {
  ui::Combo* c = combo(name);
  ASSERT_NE(c, nullptr) << name;
  const auto& items = c->items();
  auto it = std::find(items.begin(), items.end(), item);
  ASSERT_NE(it, items.end()) << name << ": " << item;
  select(name, static_cast<int>(it - items.begin()));
}

void LayoutForm::setShown(std::initializer_list<std::string_view> names, bool visible) {
  for (std::string_view n : names) {
    ui::Control* c = find(n);
    EXPECT_NE(c, nullptr) << n;
    if (c) c->setVisible(visible);
  }
}

void LayoutForm::select(std::string_view name, int index) {
  ui::Combo* c = combo(name);
  ASSERT_NE(c, nullptr) << name;
  quiet_ = true;
  c->selectItem(index);
  quiet_ = false;
}

bool LayoutForm::shown(std::string_view name) const {
  ui::Control* c = find(name);
  EXPECT_NE(c, nullptr) << name;
  return c && c->visible();
}

int LayoutForm::height(std::string_view name) const {
  ui::Control* c = find(name);
  EXPECT_NE(c, nullptr) << name;
  return c ? std::atoi(c->attribute("height").c_str()) : -1;
}

bool LayoutForm::inUse(std::string_view param) const {
  auto v = registry.inUse(param);
  EXPECT_TRUE(v.has_value()) << param;
  return v.value_or(false);
}

void LayoutForm::selectPage(int page) {
  auto* sw = pm.find<ui::TabLayout>("switch");
  ASSERT_NE(sw, nullptr);
  sw->selectItem(page);
}

std::vector<Post> LayoutForm::drain() {
  std::vector<Post> ran;
  // A rule that keeps re-posting itself would never end; the rules do not.
  while (!queue_.empty() && ran.size() < 10000) {
    Post p = queue_.front();
    queue_.pop_front();
    ran.push_back(p);
    layout::OnLayoutGroup(ctx, p.first, p.second);
  }
  EXPECT_TRUE(queue_.empty()) << "rules keep posting";
  return ran;
}

int LayoutForm::run(int group, int arg) { return layout::OnLayoutGroup(ctx, group, arg); }

std::vector<Post> LayoutForm::takePosts() { return std::exchange(posts_, {}); }

void LayoutForm::Notify(const ui::Notification& n) {
  if (quiet_ || n.type != "itemselect" || !n.sender) return;
  auto it = itemSelectGroups_.find(n.sender->name());
  if (it != itemSelectGroups_.end()) ctx.postLayoutGroup(it->second, 0);
}

}  // namespace layout_test
