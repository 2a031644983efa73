#pragma once
// Per-window state of the control tree: the root, the notifier, the caption
// band, focus. The painter reports user actions through the notify* calls.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/control.h"

namespace ui {

struct Notification {
  std::string type;  // "windowinit", "click", "selectchanged", "itemselect",
                     // "setfocus", "killfocus", "dropdown"
  Control* sender = nullptr;
};

class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void Notify(const Notification& n) = 0;
};

class PaintManager {
 public:
  PaintManager();
  ~PaintManager();

  // Takes the built tree (the observer sees Change::Children on it).
  void setRoot(std::unique_ptr<Control> root);
  Control* root() const { return root_.get(); }
  // Exact name, case included; the first in depth-first order wins, as in
  // Control::findByName. Null when absent or empty. Served from an index
  // that any change of the tree's children or names refreshes.
  Control* findControl(std::string_view name) const;
  template <class T>
  T* find(std::string_view name) const { return dynamic_cast<T*>(findControl(name)); }

  void setNotifier(Notifier* n) { notifier_ = n; }
  void setObserver(ControlObserver* o) { observer_ = o; }
  ControlObserver* observer() const { return observer_; }

  // Window attributes from the skin's root element.
  int width = 1400, height = 800;
  int captionHeight = 0;  // height of the caption band from the top, in pixels

  // Delivers a notification to the notifier (synchronously, on the UI thread).
  void sendNotify(Control* sender, std::string_view type);
  // "windowinit" with the root as sender, once per window.
  void notifyWindowInit();

  // Painter entry points: user actions. They change the model (once) and
  // raise the matching notification.
  // "click"; then an option with a group is selected, one without a group
  // toggles (and so raises "selectchanged"). Disabled controls do nothing.
  void userClick(Control& c);
  void userSelectItem(Combo& c, int index);   // raises "itemselect" if changed
  void userSetText(Control& c, std::string_view text);  // edit typing; no notification
  // Focus moves: gaining sends "killfocus" to the control that had it, then
  // "setfocus"; gaining it again sends nothing. Losing always sends "killfocus".
  void userFocus(Control& c, bool gained);
  void userDropDown(Combo& c);                // "dropdown"
  Control* focused() const { return focused_; }

  // Option groups are per window: selects `o` and deselects the other
  // options of its group in this window's tree.
  void selectOption(Option& o);

 private:
  friend class Control;
  void treeChanged() { indexStale_ = true; }
  void forgetSubtree(const Control& c);  // before `c` and its children are destroyed
  void rebuildIndex() const;
  const std::vector<Option*>& optionGroup(std::string_view group) const;

  std::unique_ptr<Control> root_;
  Notifier* notifier_ = nullptr;
  ControlObserver* observer_ = nullptr;
  Control* focused_ = nullptr;
  bool windowInitSent_ = false;
  mutable bool indexStale_ = true;
  mutable std::unordered_map<std::string, Control*> byName_;
  mutable std::unordered_map<std::string, std::vector<Option*>> groups_;
};

}  // namespace ui
