#include "ui/control.h"

#include <algorithm>
#include <charconv>

#include "ui/paint_manager.h"
#include "ui/utf8_cut.h"

namespace ui {
namespace {

bool IsTrue(std::string_view v) { return v == "true"; }

// Skin sizes: leading blanks, then decimal digits; anything else is 0.
int ParsePixels(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  int n = 0;
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  (void)ptr;
  return ec == std::errc() && n > 0 ? n : 0;
}

std::string Bool(bool b) { return b ? "true" : "false"; }

}  // namespace

Control::Control(ControlKind kind) : kind_(kind) {}
Control::~Control() = default;

void Control::setName(std::string n) {
  if (n == name_) return;
  name_ = std::move(n);
  changed(Change::Attribute, "name");
  if (PaintManager* pm = manager()) pm->treeChanged();
}

void Control::setText(std::string_view t) {
  if (t == text_) return;
  text_.assign(t);
  changed(Change::Text);
}

void Control::appendToText(std::string_view t, std::string_view attribute) {
  if (t.empty()) return;
  text_.append(t);
  changed(Change::Text, attribute);
}

void Control::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  changed(Change::Visible);
}

bool Control::effectivelyVisible() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (c->parent_ && c->parent_->kind_ == ControlKind::TabLayout &&
        static_cast<const TabLayout*>(c->parent_)->currentPage() != c)
      return false;
  }
  return true;
}

void Control::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  changed(Change::Enabled);
}

void Control::setBkImage(std::string_view image) {
  if (image == bkImage_) return;
  bkImage_.assign(image);
  changed(Change::BkImage);
}

void Control::setFixedWidth(int w) {
  w = std::max(w, 0);
  if (w == fixedWidth_) return;
  fixedWidth_ = w;
  changed(Change::Attribute, "width");
}

void Control::setFixedHeight(int h) {
  h = std::max(h, 0);
  if (h == fixedHeight_) return;
  fixedHeight_ = h;
  changed(Change::Attribute, "height");
}

bool Control::applyAttribute(std::string_view name, std::string_view value) {
  if (name == "name") setName(std::string(value));
  else if (name == "text") setText(value);
  else if (name == "visible") setVisible(IsTrue(value));
  else if (name == "enabled") setEnabled(IsTrue(value));
  else if (name == "bkimage") setBkImage(value);
  else if (name == "width") setFixedWidth(ParsePixels(value));
  else if (name == "height") setFixedHeight(ParsePixels(value));
  else return false;
  return true;
}

std::string Control::typedAttribute(std::string_view name, bool& known) const {
  known = true;
  if (name == "name") return name_;
  if (name == "text") return text_;
  if (name == "visible") return Bool(visible_);
  if (name == "enabled") return Bool(enabled_);
  if (name == "bkimage") return bkImage_;
  if (name == "width") return fixedWidth_ ? std::to_string(fixedWidth_) : std::string();
  if (name == "height") return fixedHeight_ ? std::to_string(fixedHeight_) : std::string();
  known = false;
  return {};
}

void Control::setAttribute(std::string_view name, std::string_view value) {
  auto it = attrs_.find(name);
  if (it == attrs_.end()) attrs_.emplace(std::string(name), std::string(value));
  else it->second.assign(value);
  if (applyAttribute(name, value)) return;
  if (name == "group") {
    if (PaintManager* pm = manager()) pm->treeChanged();  // option groups are indexed
  }
  changed(Change::Attribute, name);
}

std::string Control::attribute(std::string_view name) const {
  bool known = false;
  std::string typed = typedAttribute(name, known);
  if (known) return typed;
  auto it = attrs_.find(name);
  return it == attrs_.end() ? std::string() : it->second;
}

Control* Control::add(std::unique_ptr<Control> child) {
  if (!child) return nullptr;
  child->parent_ = this;
  Control* added = child.get();
  children_.push_back(std::move(child));
  changed(Change::Children);
  return added;
}

void Control::removeAll() {
  if (children_.empty()) return;
  if (PaintManager* pm = manager()) {
    for (auto& c : children_) pm->forgetSubtree(*c);
  }
  children_.clear();
  changed(Change::Children);
}

const Control* Control::findByName(std::string_view name) const {
  if (name.empty()) return nullptr;
  if (name_ == name) return this;
  for (const auto& c : children_) {
    if (const Control* found = c->findByName(name)) return found;
  }
  return nullptr;
}

Control* Control::findByName(std::string_view name) {
  return const_cast<Control*>(static_cast<const Control*>(this)->findByName(name));
}

PaintManager* Control::manager() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (c->manager_) return c->manager_;
  }
  return nullptr;
}

void Control::changed(Change what, std::string_view attribute) {
  PaintManager* pm = manager();
  if (!pm) return;
  if (what == Change::Children) pm->treeChanged();
  if (ControlObserver* o = pm->observer()) o->controlChanged(*this, what, attribute);
}

// --- TabLayout -------------------------------------------------------------

bool TabLayout::selectItem(int index) {
  if (index < 0 || index >= static_cast<int>(children().size())) return false;
  if (index != current_) {
    current_ = index;
    changed(Change::Selection);
  }
  return true;
}

Control* TabLayout::currentPage() const {
  if (current_ < 0 || current_ >= static_cast<int>(children().size())) return nullptr;
  return children()[current_].get();
}

bool TabLayout::applyAttribute(std::string_view name, std::string_view value) {
  if (name != "selectedid") return Container::applyAttribute(name, value);
  // Pages may not exist yet while the skin is read: keep the index as given.
  int index = ParsePixels(value);
  if (index != current_) {
    current_ = index;
    changed(Change::Selection);
  }
  return true;
}

std::string TabLayout::typedAttribute(std::string_view name, bool& known) const {
  if (name != "selectedid") return Container::typedAttribute(name, known);
  known = true;
  return std::to_string(current_);
}

// --- Option ----------------------------------------------------------------

const std::string& Option::group() const {
  static const std::string none;
  auto it = attributes().find("group");
  return it == attributes().end() ? none : it->second;
}

void Option::setSelected(bool on) {
  if (on == selected_) return;
  PaintManager* pm = manager();
  if (on && pm && !group().empty()) {
    pm->selectOption(*this);
    return;
  }
  selected_ = on;
  changed(Change::Selection);
  if (pm && (on || group().empty())) pm->sendNotify(this, "selectchanged");
}

bool Option::applyAttribute(std::string_view name, std::string_view value) {
  if (name != "selected") return Button::applyAttribute(name, value);
  setSelected(IsTrue(value));
  return true;
}

std::string Option::typedAttribute(std::string_view name, bool& known) const {
  if (name != "selected") return Button::typedAttribute(name, known);
  known = true;
  return Bool(selected_);
}

// --- Combo -----------------------------------------------------------------

void Combo::addItem(std::string_view text) {
  items_.emplace_back(text);
  changed(Change::Items);
}

void Combo::removeAll() {
  const bool hadItems = !items_.empty();
  items_.clear();
  current_ = -1;
  Control::setText({});
  if (hadItems) changed(Change::Items);
}

bool Combo::selectItem(int index) {
  const int target = index < 0 ? -1 : std::min(index, count() - 1);
  if (target == current_) return false;
  current_ = target;
  Control::setText(selectedText());
  changed(Change::Selection);
  if (target >= 0) {
    if (PaintManager* pm = manager()) pm->sendNotify(this, "itemselect");
  }
  return true;
}

std::string Combo::selectedText() const {
  return current_ >= 0 && current_ < count() ? items_[current_] : std::string();
}

// --- RichEdit --------------------------------------------------------------

void RichEdit::setText(std::string_view t) {
  if (limit_ > 0) t = Utf8Cut(t, static_cast<std::size_t>(limit_));
  appendOffset_ = 0;
  Control::setText(t);
}

void RichEdit::appendText(std::string_view t) {
  if (limit_ > 0) {
    const std::size_t used = text().size();
    const std::size_t room = used < static_cast<std::size_t>(limit_) ? limit_ - used : 0;
    t = Utf8Cut(t, room);
  }
  if (t.empty()) return;
  appendOffset_ = text().size();
  appendToText(t, "append");
}

void RichEdit::endDown() { changed(Change::Attribute, "scroll"); }

}  // namespace ui
