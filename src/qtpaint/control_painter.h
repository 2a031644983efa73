#pragma once
// Draws a window's control tree with Qt widgets and keeps them in step with
// the model through ui::ControlObserver. What the user does goes back through
// the PaintManager's user* calls, which change the model once and raise the
// notification; the widget then follows the model like after any change.

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "ui/paint_manager.h"

class QBoxLayout;
class QStackedWidget;
class QWidget;

namespace qtpaint {

class ControlPainter : public QObject, public ui::ControlObserver {
  Q_OBJECT

 public:
  // Puts the tree's root widget into `host` (which gets a layout) and
  // observes `pm` until destroyed. Images are read from `skinDir`.
  ControlPainter(ui::PaintManager& pm, std::filesystem::path skinDir, QWidget* host);
  ~ControlPainter() override;

  // The widget that draws `c`; null when it has none.
  QWidget* widgetFor(const ui::Control* c) const;
  // The control drawn by `w` or by its nearest painted parent; null outside the tree.
  ui::Control* controlAt(const QWidget* w) const;
  QWidget* rootWidget() const;

  void controlChanged(ui::Control& control, ui::Change what, std::string_view attribute) override;

 private:
  struct Node {
    ui::Control* control = nullptr;
    QWidget* widget = nullptr;     // draws the control
    QWidget* outer = nullptr;      // sits in the parent's layout (a scroll area, or the widget)
    QWidget* slot = nullptr;       // what to delete: outer, or its page holder in a stack
    bool shown = true;             // what visibility last decided
    QBoxLayout* box = nullptr;     // containers: holds the children
    QStackedWidget* stack = nullptr;  // tab layouts
    std::vector<const ui::Control*> kids;  // as last built, to forget them when they go
  };

  void build(ui::Control& c, QWidget* parentWidget, Node* parentNode);
  QWidget* makeWidget(ui::Control& c, Node& n);
  void buildChildren(Node& n);
  void forget(const ui::Control* c);  // the node and its subtree, without touching the controls

  void applyAll(Node& n);
  void applyText(Node& n);
  void applyVisible(Node& n, bool propagate);
  void applyImage(Node& n);
  void applySelection(Node& n);
  void applyItems(Node& n);
  void applyAttribute(Node& n, std::string_view name);
  void applySize(Node& n);
  void placeInParent(Node& n);  // stretch of the child in its parent's box

  void wireUserActions(Node& n);
  QPixmap loadImage(const std::string& file) const;
  Node* node(const ui::Control* c);

  ui::PaintManager& pm_;
  std::filesystem::path skinDir_;
  QPointer<QWidget> host_;
  std::unordered_map<const ui::Control*, Node> nodes_;
  const ui::Control* root_ = nullptr;
};

}  // namespace qtpaint
