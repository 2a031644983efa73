#include "ui/paint_manager.h"

namespace ui {

PaintManager::PaintManager() = default;

PaintManager::~PaintManager() {
  // The tree goes with us; nothing may reach back while it is destroyed.
  observer_ = nullptr;
  notifier_ = nullptr;
  focused_ = nullptr;
  if (root_) root_->setManager(nullptr);
}

void PaintManager::setRoot(std::unique_ptr<Control> root) {
  focused_ = nullptr;
  if (root_) root_->setManager(nullptr);
  root_ = std::move(root);
  windowInitSent_ = false;
  indexStale_ = true;
  if (!root_) return;
  root_->setManager(this);
  if (observer_) observer_->controlChanged(*root_, Change::Children, {});
}

void PaintManager::rebuildIndex() const {
  byName_.clear();
  groups_.clear();
  if (root_) {
    // Depth-first, a control before its children: the first of a name wins.
    std::vector<Control*> stack{root_.get()};
    while (!stack.empty()) {
      Control* c = stack.back();
      stack.pop_back();
      if (!c->name().empty()) byName_.try_emplace(c->name(), c);
      if (c->kind() == ControlKind::Option) {
        auto* o = static_cast<Option*>(c);
        if (!o->group().empty()) groups_[o->group()].push_back(o);
      }
      const auto& kids = c->children();
      for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.push_back(it->get());
    }
  }
  indexStale_ = false;
}

Control* PaintManager::findControl(std::string_view name) const {
  if (name.empty()) return nullptr;
  if (indexStale_) rebuildIndex();
  auto it = byName_.find(std::string(name));
  return it == byName_.end() ? nullptr : it->second;
}

const std::vector<Option*>& PaintManager::optionGroup(std::string_view group) const {
  static const std::vector<Option*> none;
  if (indexStale_) rebuildIndex();
  auto it = groups_.find(std::string(group));
  return it == groups_.end() ? none : it->second;
}

void PaintManager::forgetSubtree(const Control& c) {
  indexStale_ = true;
  if (!focused_) return;
  for (const Control* f = focused_; f; f = f->parent()) {
    if (f == &c) {
      focused_ = nullptr;
      return;
    }
  }
}

void PaintManager::sendNotify(Control* sender, std::string_view type) {
  if (notifier_) notifier_->Notify(Notification{std::string(type), sender});
}

void PaintManager::notifyWindowInit() {
  if (windowInitSent_) return;
  windowInitSent_ = true;
  sendNotify(root_.get(), "windowinit");
}

void PaintManager::selectOption(Option& o) {
  if (o.selected_) return;
  if (!o.group().empty()) {
    // Copy: a notification handler below must not see a half-updated group.
    const std::vector<Option*> group = optionGroup(o.group());
    for (Option* other : group) {
      if (other != &o && other->selected_) {
        other->selected_ = false;
        other->changed(Change::Selection);
      }
    }
  }
  o.selected_ = true;
  o.changed(Change::Selection);
  sendNotify(&o, "selectchanged");
}

void PaintManager::userClick(Control& c) {
  if (!c.enabled()) return;
  sendNotify(&c, "click");
  if (c.kind() == ControlKind::Option) {
    auto& o = static_cast<Option&>(c);
    o.setSelected(o.group().empty() ? !o.selected() : true);
  }
}

void PaintManager::userSelectItem(Combo& c, int index) {
  if (!c.enabled()) return;
  c.selectItem(index);
}

void PaintManager::userSetText(Control& c, std::string_view text) {
  if (!c.enabled()) return;
  c.setText(text);
}

void PaintManager::userFocus(Control& c, bool gained) {
  if (!gained) {
    if (focused_ == &c) {
      focused_ = nullptr;
      c.changed(Change::Focus);
    }
    sendNotify(&c, "killfocus");
    return;
  }
  if (focused_ == &c) return;
  if (Control* old = focused_) {
    focused_ = nullptr;
    old->changed(Change::Focus);
    sendNotify(old, "killfocus");
  }
  focused_ = &c;
  c.changed(Change::Focus);
  sendNotify(&c, "setfocus");
}

void PaintManager::userDropDown(Combo& c) { sendNotify(&c, "dropdown"); }

}  // namespace ui
