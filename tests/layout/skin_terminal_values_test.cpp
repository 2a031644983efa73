// Every value the simulated terminal can report must have its place in the
// skin's drop-down lists: an item-text list without the value shows nothing
// and a Save then writes an empty value; an index list that is too short
// clamps to its last item and a Save writes that item's value instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "layout/control_factory.h"
#include "params/param_registry.h"
#include "sim/setting_rules.h"
#include "ui/skin_builder.h"

namespace {

std::vector<std::string> Keywords(const char* list) {
  std::vector<std::string> out;
  std::stringstream in(list);
  for (std::string k; std::getline(in, k, '|');) out.push_back(k);
  return out;
}

// Lists that show the terminal's value as their item text.
const std::set<std::string> kItemTextLists = {
    "The PPP authentication", "DIO1 interface", "DIO2 interface", "DIO3 interface", "Transferprotocol",
    "Dtumanagetransferprotocol", "Serial Baudrate", "Serial 2 Baudrate", "RS485 Baudrate",
    "Serial port commu mode", "Serial 2 port commu mode", "RS485 port commu mode", "LORA Mode"};

// Lists that by design have no item for some values: the work modes 4 and 5
// are set through the activation selectors, and EXFUN keeps its selection
// for the values 1 and 2.
const std::set<std::string> kPartialLists = {"DIO1 workmode", "DIO2 workmode", "DIO3 workmode",
                                             "I/O1 Mode", "I/O2 Mode", "EXFUN"};

class SkinTerminalValues : public ::testing::TestWithParam<std::string> {};

TEST_P(SkinTerminalValues, ListsCoverEveryReportedValue) {
  const auto dir = std::filesystem::path(K9X40_SOURCE_DIR) / "skin" / GetParam();
  layout::CDialogBuilderCallbackEx factory(dir);
  ui::SkinDocument doc = ui::BuildSkin(dir / "skin.xml", factory.factory());
  ASSERT_NE(doc.root, nullptr) << doc.error;
  params::ParamRegistry registry;
  params::BuildRegistry(registry);
  int checked = 0;
  registry.forEach([&](const std::string& name, const params::ParamEntry& e) {
    if (e.controlType != "Combobox" || e.atCommand.empty() || kPartialLists.count(name)) return;
    const sim::SettingRule* rule = sim::FindSettingRule(e.atCommand);
    ASSERT_NE(rule, nullptr) << name << " " << e.atCommand;
    auto* combo = dynamic_cast<ui::Combo*>(doc.root->findByName(name));
    ASSERT_NE(combo, nullptr) << name;
    const auto& items = combo->items();
    ++checked;
    if (rule->kind == sim::ValueKind::Keyword) {
      std::vector<std::string> values = Keywords(rule->keywords);
      if (kItemTextLists.count(name)) {
        for (const std::string& v : values)
          EXPECT_NE(std::find(items.begin(), items.end(), v), items.end()) << name << " lacks " << v;
        return;
      }
      values.erase(std::remove(values.begin(), values.end(), "-1"), values.end());  // no selection
      EXPECT_GE(items.size(), values.size()) << name;
    } else {
      ASSERT_EQ(rule->kind, sim::ValueKind::Number) << name;
      EXPECT_GE(static_cast<int>(items.size()), rule->max - rule->min + 1) << name;
    }
  });
  EXPECT_GT(checked, 50);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SkinTerminalValues, ::testing::Values("ConifgENRes", "ConifgRes"));

}  // namespace
