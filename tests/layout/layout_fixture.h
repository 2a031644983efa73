#pragma once
// A form for the layout rules: a registry, tab slots, a language file, a
// control tree and a FIFO standing in for the window's posted messages.

#include <deque>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "params/form_context.h"
#include "params/param_registry.h"
#include "ui/control.h"
#include "ui/lang_text.h"
#include "ui/paint_manager.h"

namespace layout_test {

using Post = std::pair<int, int>;  // group, argument

class LayoutForm : public ui::Notifier {
 public:
  // An empty tree; add controls with add().
  LayoutForm();
  ~LayoutForm() override;

  // Adds a control under `parent` (the root when empty). Returns it.
  ui::Control* add(std::string_view parent, ui::ControlKind kind, std::string_view name);
  ui::Combo* addCombo(std::string_view parent, std::string_view name,
                      std::vector<std::string> items);
  // The code-built form: every container the rules switch, on its page of
  // "switch", with the selectors the rules read.
  void buildStandardTree();
  // The English skin of the source tree with its language file; false when
  // it does not load.
  bool loadEnglishSkin();

  // "itemselect" from these combos posts the given group, as the window does.
  void postOnItemSelect(std::string name, int group) { itemSelectGroups_[std::move(name)] = group; }

  ui::Control* find(std::string_view name) const { return pm.findControl(name); }
  ui::Combo* combo(std::string_view name) const { return pm.find<ui::Combo>(name); }
  void select(std::string_view combo, int index);  // without raising a rule
  void selectText(std::string_view combo, std::string_view item);  // the item must exist
  void setShown(std::initializer_list<std::string_view> names, bool visible);
  std::string text(std::string_view section, std::string_view key) const {
    return lang.LangText(section, key);
  }
  bool shown(std::string_view name) const;          // own flag; fails the test if absent
  int height(std::string_view name) const;          // the "height" attribute as a number
  bool inUse(std::string_view param) const;         // fails the test if unknown
  void selectPage(int page);

  // Runs queued rules, oldest first, until none is left; returns the groups run.
  std::vector<Post> drain();
  int run(int group, int arg = 0);  // one rule, nothing drained
  std::vector<Post> takePosts();    // posts made since the last call

  void Notify(const ui::Notification& n) override;

  ui::PaintManager pm;
  params::ParamRegistry registry;
  params::TabSlots tabs;
  std::filesystem::path langPath;
  ui::LanguageFile lang;
  std::string loraVersion;
  std::vector<std::string> messageBoxes;
  params::FormContext ctx;

 private:
  std::deque<Post> queue_;
  std::vector<Post> posts_;
  std::map<std::string, int, std::less<>> itemSelectGroups_;
  bool quiet_ = false;
};

// Language texts the fixture's file holds.
inline constexpr const char* kDioText[] = {"Switch input", "Digital input", "Digital output",
                                           "Pulse count", "Analog input"};

}  // namespace layout_test
