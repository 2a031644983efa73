#pragma once
// Retained, windowless control tree. Nothing here draws: a painter follows the
// tree through ControlObserver and reports user actions back as notifications.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Control;
class PaintManager;

enum class ControlKind {
  Container, VerticalLayout, HorizontalLayout, GroupBox, TabLayout,
  Label, Button, Option, Edit, Combo, RichEdit,
};

// What changed on a control, so a painter can update just that.
enum class Change {
  Text, Visible, Enabled, BkImage, Attribute, Selection, Items, Children, Focus,
};

// One observer per tree (the painter). Calls arrive on the UI thread, after
// the model has changed.
class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void controlChanged(Control& control, Change what, std::string_view attribute) = 0;
};

class Control {
 public:
  explicit Control(ControlKind kind);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  // Element class the skin used ("Button", "WorkTab" ...).
  const std::string& className() const { return className_; }
  void setClassName(std::string c) { className_ = std::move(c); }

  const std::string& name() const { return name_; }
  void setName(std::string n);

  const std::string& text() const { return text_; }
  virtual void setText(std::string_view t);

  bool visible() const { return visible_; }  // own flag only
  void setVisible(bool v);
  // False when this control or a parent is hidden, or when it sits in a
  // page of a TabLayout that is not the selected page.
  bool effectivelyVisible() const;

  bool enabled() const { return enabled_; }
  void setEnabled(bool e);

  const std::string& bkImage() const { return bkImage_; }
  void setBkImage(std::string_view image);

  // Every skin attribute is kept; "width", "height", "text", "visible",
  // "enabled", "bkimage", "name" also update the typed state above
  // ("visible"/"enabled": only "true" is true; "width"/"height": decimal
  // pixels, 0 or text without digits clears the fixed size). Options also
  // take "selected", tab layouts "selectedid".
  void setAttribute(std::string_view name, std::string_view value);
  // The typed names read the current state; others the kept text, empty
  // when unset.
  std::string attribute(std::string_view name) const;
  const std::map<std::string, std::string, std::less<>>& attributes() const { return attrs_; }

  int fixedWidth() const { return fixedWidth_; }    // 0: not fixed
  int fixedHeight() const { return fixedHeight_; }  // 0: not fixed
  void setFixedWidth(int w);
  void setFixedHeight(int h);

  Control* parent() const { return parent_; }
  const std::vector<std::unique_ptr<Control>>& children() const { return children_; }
  // Takes ownership; returns the added control.
  Control* add(std::unique_ptr<Control> child);
  void removeAll();

  // Depth-first search of this subtree (a control before its children),
  // exact name match; null when absent or when `name` is empty.
  Control* findByName(std::string_view name);
  const Control* findByName(std::string_view name) const;

  PaintManager* manager() const;  // walks to the root
  void setManager(PaintManager* m) { manager_ = m; }

 protected:
  // Tells the window's observer; Change::Children also refreshes the
  // window's name index.
  void changed(Change what, std::string_view attribute = {});
  // Typed attributes of a subclass; returns whether `name` was one.
  virtual bool applyAttribute(std::string_view name, std::string_view value);
  virtual std::string typedAttribute(std::string_view name, bool& known) const;
  // Appends to the text in place (the log pane grows to 300000 bytes).
  void appendToText(std::string_view t, std::string_view attribute);

 private:
  friend class PaintManager;
  ControlKind kind_;
  std::string className_, name_, text_, bkImage_;
  bool visible_ = true, enabled_ = true;
  int fixedWidth_ = 0, fixedHeight_ = 0;
  std::map<std::string, std::string, std::less<>> attrs_;
  Control* parent_ = nullptr;
  PaintManager* manager_ = nullptr;
  std::vector<std::unique_ptr<Control>> children_;
};

class Container : public Control {
 public:
  explicit Container(ControlKind kind = ControlKind::Container) : Control(kind) {}
};

class VerticalLayout : public Container {
 public:
  VerticalLayout() : Container(ControlKind::VerticalLayout) {}
};

class HorizontalLayout : public Container {
 public:
  HorizontalLayout() : Container(ControlKind::HorizontalLayout) {}
};

// A titled vertical container; its text is the title.
class GroupBox : public Container {
 public:
  GroupBox() : Container(ControlKind::GroupBox) {}
};

class TabLayout : public Container {
 public:
  TabLayout() : Container(ControlKind::TabLayout) {}
  int currentIndex() const { return current_; }
  // Out-of-range indexes are ignored; returns whether the page exists.
  // Pages are the children in order, hidden ones included. No notification.
  bool selectItem(int index);
  Control* currentPage() const;  // null when there is no such child

 protected:
  bool applyAttribute(std::string_view name, std::string_view value) override;
  std::string typedAttribute(std::string_view name, bool& known) const override;

 private:
  int current_ = 0;
};

class Label : public Control {
 public:
  Label() : Control(ControlKind::Label) {}
 protected:
  explicit Label(ControlKind k) : Control(k) {}
};

class Button : public Label {
 public:
  Button() : Label(ControlKind::Button) {}
 protected:
  explicit Button(ControlKind k) : Label(k) {}
};

// An option belongs to the group named by its "group" attribute; selecting
// it deselects the others of that group in the same window and raises
// "selectchanged". Setting the state it already has does nothing; the
// options a group selection turns off raise nothing; an option without a
// group raises "selectchanged" on every change, on and off.
class Option : public Button {
 public:
  Option() : Button(ControlKind::Option) {}
  bool selected() const { return selected_; }
  void setSelected(bool on);
  const std::string& group() const;

 protected:
  bool applyAttribute(std::string_view name, std::string_view value) override;
  std::string typedAttribute(std::string_view name, bool& known) const override;

 private:
  friend class PaintManager;
  bool selected_ = false;
};

class Edit : public Label {
 public:
  Edit() : Label(ControlKind::Edit) {}
};

class Combo : public Container {
 public:
  Combo() : Container(ControlKind::Combo) {}
  int count() const { return static_cast<int>(items_.size()); }
  const std::vector<std::string>& items() const { return items_; }
  void addItem(std::string_view text);
  void removeAll();
  int currentSelection() const { return current_; }  // -1: none
  // Negative: no selection; at or past the count: the last item; the same
  // index: nothing happens; any other change raises "itemselect" at once,
  // whether the program or the user selects. Clearing the selection (a
  // negative index, or any index on an empty list) raises nothing. Never
  // moves the focus. Returns whether the selection changed.
  bool selectItem(int index);
  std::string selectedText() const;  // empty when nothing is selected
  // The combo's text is the selected item's text; removeAll() clears both.

 private:
  std::vector<std::string> items_;
  int current_ = -1;
};

class RichEdit : public Control {
 public:
  RichEdit() : Control(ControlKind::RichEdit) {}
  void setLimitText(int limit) { limit_ = limit; }
  int limitText() const { return limit_; }
  int textLength() const { return static_cast<int>(text().size()); }
  // Limits count bytes; a cut never splits a UTF-8 sequence.
  void setText(std::string_view t) override;  // cut at the limit
  // What exceeds the limit is dropped. Observer: Change::Text "append",
  // the new bytes start at appendOffset().
  void appendText(std::string_view t);
  std::size_t appendOffset() const { return appendOffset_; }
  void endDown();                              // scroll to the end (observer: Change::Attribute "scroll")

 private:
  int limit_ = 0;  // 0: no limit
  std::size_t appendOffset_ = 0;
};

}  // namespace ui
