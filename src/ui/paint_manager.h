#pragma once
// Per-window state of the control tree: the root, the notifier, the caption
// band, focus. The painter reports user actions through the notify* calls.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

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

  void setRoot(std::unique_ptr<Control> root);  // takes the built tree
  Control* root() const { return root_.get(); }
  Control* findControl(std::string_view name) const;  // null when absent
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

  // Painter entry points: user actions. They change the model (once) and
  // raise the matching notification.
  void userClick(Control& c);                 // button/option click
  void userSelectItem(Combo& c, int index);   // raises "itemselect" if changed
  void userSetText(Control& c, std::string_view text);  // edit typing; no notification
  void userFocus(Control& c, bool gained);    // "setfocus"/"killfocus"
  void userDropDown(Combo& c);                // "dropdown"

  // Option groups are per window.
  void selectOption(Option& o);

 private:
  std::unique_ptr<Control> root_;
  Notifier* notifier_ = nullptr;
  ControlObserver* observer_ = nullptr;
};

}  // namespace ui
